// The launcher and its panels, offscreen and without a server.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ScriptedPrompter.h"
#include "app/MainWindow.h"
#include "app/ModulePanel.h"
#include "app/SingleInstance.h"

namespace {

using Module = MainWindow::Module;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window =
            std::make_unique<MainWindow>(m_prompter, MainWindow::Options{.connectAtStart = false});
        m_window->show();
    }
    void Press(const char* name) {
        auto* button = m_window->findChild<QPushButton*>(name);
        ASSERT_NE(nullptr, button) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    std::vector<bool> Marks() const {
        return {m_window->IsMarked(Module::Health), m_window->IsMarked(Module::Leave),
                m_window->IsMarked(Module::Import)};
    }
    int VisiblePanels() const {
        int count = 0;
        for (auto* panel : m_window->findChildren<ModulePanel*>()) count += panel->isVisible();
        return count;
    }

    ScriptedPrompter m_prompter;
    std::unique_ptr<MainWindow> m_window;
};

TEST_F(MainWindowTest, ShowsItsCaptionButtonsAndVersion) {
    EXPECT_EQ("Orvik Asigurati", m_window->windowTitle());
    EXPECT_EQ(QPoint(0, 0), m_window->pos());
    for (const char* text : {"Sanatate", "Concedii medicale", "Import de date din sursa externa",
                             "Info", "[ESC] Iesire"}) {
        bool found = false;
        for (auto* b : m_window->findChildren<QPushButton*>()) found |= b->text() == text;
        EXPECT_TRUE(found) << text;
    }
    EXPECT_EQ("Versiune: 2.08", m_window->findChild<QLabel*>("versionLabel")->text());
    for (auto* label : m_window->findChildren<QLabel*>()) {
        if (label->text() == "Actualizari disponibile:") {
            EXPECT_FALSE(label->isVisible());
        }
    }
}

TEST_F(MainWindowTest, PressingAModuleTwiceLeavesNoPanel) {
    Press("healthButton");
    ASSERT_NE(nullptr, m_window->OpenPanel());
    EXPECT_EQ("Declaratia de sanatate", m_window->OpenPanel()->windowTitle());
    EXPECT_EQ((std::vector<bool>{true, false, false}), Marks());
    Press("healthButton");
    EXPECT_EQ(nullptr, m_window->OpenPanel());
    EXPECT_EQ(0, VisiblePanels());
    EXPECT_EQ((std::vector<bool>{false, false, false}), Marks());
}

TEST_F(MainWindowTest, AnotherModuleSwapsThePanels) {
    Press("healthButton");
    Press("leaveButton");
    EXPECT_EQ("Declaratia de concedii medicale", m_window->OpenPanel()->windowTitle());
    EXPECT_EQ(1, VisiblePanels());
    EXPECT_EQ((std::vector<bool>{false, true, false}), Marks());
    Press("importButton");
    EXPECT_EQ("Import de date din sursa externa", m_window->OpenPanel()->windowTitle());
    EXPECT_EQ((std::vector<bool>{false, false, true}), Marks());
}

TEST_F(MainWindowTest, PanelsDockAtTheRightEdgeAndFollowTheWindow) {
    Press("importButton");
    ModulePanel* panel = m_window->OpenPanel();
    EXPECT_EQ(m_window->frameGeometry().right() + 1, panel->x());
    EXPECT_EQ(m_window->frameGeometry().top(), panel->y());
    EXPECT_EQ(m_window->height(), panel->height());  // the import panel is full height
    m_window->move(100, 50);
    QApplication::processEvents();
    EXPECT_EQ(m_window->frameGeometry().right() + 1, panel->x());
    EXPECT_EQ(m_window->frameGeometry().top(), panel->y());
    Press("importButton");
    Press("healthButton");
    EXPECT_NE(m_window->height(), m_window->OpenPanel()->height());  // its own height
}

// A panel the user made narrower or taller keeps that size when it follows.
TEST_F(MainWindowTest, APanelFollowsTheWindowWithTheSizeItWasGiven) {
    Press("leaveButton");
    ModulePanel* panel = m_window->OpenPanel();
    panel->resize(panel->width() - 120, panel->height() + 40);
    const QSize given = panel->size();
    m_window->move(30, 20);
    QApplication::processEvents();
    EXPECT_EQ(m_window->frameGeometry().right() + 1, panel->x());
    EXPECT_EQ(given, panel->size());
    // The import panel's height stays the main window's.
    Press("importButton");
    panel = m_window->OpenPanel();
    const int narrower = panel->width() - 50;
    panel->resize(narrower, panel->height() + 40);
    m_window->move(40, 20);
    QApplication::processEvents();
    EXPECT_EQ(narrower, panel->width());
    EXPECT_EQ(m_window->height(), panel->height());
}

TEST_F(MainWindowTest, EscapeInAPanelAsksTheLeaveQuestionAndNoKeepsEverything) {
    Press("leaveButton");
    m_prompter.ExpectQuestion("Esti sigur ca vrei sa iesi din program?", false);
    QTest::keyClick(m_window->OpenPanel(), Qt::Key_Escape);
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_NE(nullptr, m_window->OpenPanel());
    m_prompter.ExpectQuestion("Esti sigur ca vrei sa iesi din program?", false);
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    EXPECT_TRUE(m_window->isVisible());
}

TEST_F(MainWindowTest, YesClosesThePanelsAndTheWindow) {
    Press("healthButton");
    m_prompter.ExpectQuestion("Esti sigur ca vrei sa iesi din program?", true);
    Press("exitButton");
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(nullptr, m_window->OpenPanel());
    EXPECT_EQ(0, VisiblePanels());
}

TEST_F(MainWindowTest, InfoShowsTheInformationDialog) {
    QString title, button;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(nullptr, dialog);
        title = dialog->windowTitle();
        auto* close = dialog->findChild<QPushButton*>("closeButton");
        button = close->text();
        QTest::mouseClick(close, Qt::LeftButton);
    });
    Press("infoButton");
    EXPECT_EQ("Informatii", title);
    EXPECT_EQ("[ESC]   Iesire", button);
}

TEST(SingleInstanceTest, ASecondCopyIsRefusedUntilTheFirstEnds) {
    const int port = 39999;
    auto first = std::make_unique<SingleInstance>(port);
    ASSERT_TRUE(first->Acquire());
    SingleInstance second(port);
    EXPECT_FALSE(second.Acquire());
    SingleInstance otherPort(port + 1);
    EXPECT_TRUE(otherPort.Acquire());
    first.reset();
    SingleInstance third(port);
    EXPECT_TRUE(third.Acquire());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
