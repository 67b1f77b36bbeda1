#pragma once
// The program's main window on the test server, with the keyboard, for the
// tests that drive a module by key events alone.
#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>

#include <memory>

#include "../dbf/DbfTestSupport.h"
#include "KeyboardUser.h"
#include "TestServer.h"
#include "app/MainWindow.h"
#include "ui/EnterPressesButtons.h"

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
