// The copy window from the main window: its button and key, and a save that
// runs while the event loop keeps turning.
#include <gtest/gtest.h>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <filesystem>

#include "../backup/BackupInstallation.h"
#include "ScriptedPrompter.h"
#include "app/BackupDialog.h"
#include "app/MainWindow.h"

namespace {

class RecordingPrompter : public Prompter {
public:
    void ShowMessage(const std::string& text, MessageKind) override { shown.push_back(text); }
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> ChooseFolder(const std::string&) override { return {}; }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return {}; }
    std::vector<std::string> shown;
};

TEST(BackupDialog, F9OnTheMainWindowOpensItWithBothOperations) {
    ScriptedPrompter prompter;
    MainWindow window(prompter, MainWindow::Options{.connectAtStart = false});
    window.show();
    auto* button = window.findChild<QPushButton*>("backupButton");
    ASSERT_NE(nullptr, button);
    EXPECT_EQ("[F9] Copie de siguranta", button->text());
    ASSERT_EQ(nullptr, window.Backup());
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F9);
    ASSERT_NE(nullptr, window.Backup());
    EXPECT_TRUE(window.Backup()->isVisible());
    EXPECT_EQ("Salveaza o copie",
              window.Backup()->findChild<QPushButton*>("saveCopyButton")->text());
    EXPECT_EQ("Restaureaza o copie",
              window.Backup()->findChild<QPushButton*>("restoreCopyButton")->text());
}

TEST(BackupDialog, SaveRunsBesideTheEventLoopAndEndsWithNameAndSize) {
    BackupInstallation installation;
    ASSERT_TRUE(installation.Ready());
    RecordingPrompter prompter;
    BackupDialog dialog(installation.Client(), prompter, installation.Server(), nullptr);
    dialog.show();
    const QString path = QString::fromStdString(installation.Folder() + "/din-fereastra.sql.gz");
    dialog.SaveTo(path);
    EXPECT_TRUE(dialog.Busy());
    EXPECT_FALSE(dialog.findChild<QPushButton*>("saveCopyButton")->isEnabled());
    while (dialog.Busy()) QTest::qWait(20);
    ASSERT_EQ(1u, prompter.shown.size());
    EXPECT_EQ(0u, prompter.shown[0].find("Copia a fost salvata in fisierul:\n" +
                                         path.toStdString() + "\n\nMarime: "))
        << prompter.shown[0];
    EXPECT_TRUE(std::filesystem::exists(path.toStdString()));
    EXPECT_TRUE(dialog.findChild<QPushButton*>("saveCopyButton")->isEnabled());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
