#pragma once
// The program's main window on the test server, with the keyboard, for the
// tests that drive a module by key events alone.
#include <gtest/gtest.h>
#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include <memory>

#include "../dbf/DbfTestSupport.h"
#include "KeyboardUser.h"
#include "TestServer.h"
#include "app/MainWindow.h"
#include "ui/EnterPressesButtons.h"
#include "ui/QtPrompter.h"

// Messages in the program's own boxes, read and closed by the keyboard; the
// file dialog answered by the script.
class BoxesAndScriptedFiles : public Prompter {
public:
    explicit BoxesAndScriptedFiles(ScriptedPrompter& files) : m_files(files) {}
    void ShowMessage(const std::string& text, MessageKind kind) override {
        m_boxes.ShowMessage(text, kind);
    }
    bool AskYesNo(const std::string& text) override { return m_boxes.AskYesNo(text); }
    std::optional<std::string> ChooseFolder(const std::string& title) override {
        return m_files.ChooseFolder(title);
    }
    std::optional<std::string> ChooseOpenFile(const std::string& filter) override {
        return m_files.ChooseOpenFile(filter);
    }

private:
    QtPrompter m_boxes;
    ScriptedPrompter& m_files;
};

// The box the keyboard is in reads `text`; Enter closes it.
inline KeyboardUser::Action ReadAndClose(std::string text) {
    return [text](KeyboardUser& u) {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box->text().toStdString() != text)
            return u.Fail("the box should read \"" + text + "\"");
        u.Press(Qt::Key_Return);
    };
}

class KeyboardTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        // As the program installs it at its start.
        qApp->installEventFilter(&m_enterPresses);
    }
    void TearDown() override {
        m_window.reset();
        qApp->removeEventFilter(&m_enterPresses);
        DbTest::TearDown();
    }
    // Shown, connected and active, as after the program's start.
    void OpenMainWindow() { OpenMainWindow(m_prompter); }
    // With the program's questions asked through `prompter`.
    void OpenMainWindow(Prompter& prompter) {
        MainWindow::Options options;
        options.login = TestServerLogin();
        options.connectAtStart = false;
        m_window = std::make_unique<MainWindow>(prompter, options);
        ASSERT_TRUE(m_window->Client().Connect("127.0.0.1"));
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    EnterPressesButtons m_enterPresses;
    std::unique_ptr<MainWindow> m_window;
    TempFolder m_folder;
};
