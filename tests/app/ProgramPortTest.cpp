// The program started in an installation whose server listens on a port of
// its own: the start-up connects there, as orvik-cli does.
#include <gtest/gtest.h>
#include <signal.h>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdlib>

#include "ScriptedPrompter.h"
#include "TestServer.h"
#include "app/MainWindow.h"
#include "db/InstallationPaths.h"
#include "db/InstallationSetup.h"

namespace {

TEST(ProgramPort, StartUpUsesThePortOfTheInstallationItRunsIn) {
    QTemporaryDir folder;
    int port = FreeLocalPort();
    while (port == ServerLogin::kDefaultPort) port = FreeLocalPort();
    const InstallationResult prepared =
        CreateInstallation({.folder = folder.path().toStdString(), .port = port});
    ASSERT_EQ(InstallationOutcome::Created, prepared.outcome) << prepared.message;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));

    // As main() leaves it: the current folder is the installation.
    ScriptedPrompter prompter;
    bool ready = false;
    {
        MainWindow window(prompter, MainWindow::Options{});
        QEventLoop loop;
        QObject::connect(&window, &MainWindow::StartUpFinished, [&](bool ok) {
            ready = ok;
            loop.quit();
        });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        window.show();
        loop.exec();
        EXPECT_TRUE(ready);
        EXPECT_EQ(port, window.Client().Port());
        EXPECT_EQ(InstallationLogin(folder.path().toStdString())->port, port);
        if (ready) {
            ASSERT_TRUE(window.Client().Query("SELECT @@port AS p", true));
            EXPECT_EQ(std::to_string(port), window.Client().GetValue(0, "P"));
        }
        window.EndWithoutAsking();
    }
    // A failed start-up leaves the server it started running: not past the test.
    QFile pidFile(folder.path() + "/server/mysqld.pid");
    if (pidFile.open(QIODevice::ReadOnly)) {
        const pid_t pid = pidFile.readAll().trimmed().toInt();
        if (pid > 0 && ::kill(pid, SIGTERM) == 0)
            for (int i = 0; i < 600 && ::kill(pid, 0) == 0; ++i) QThread::msleep(50);
    }
    QDir::setCurrent(previous);
    prompter.VerifyDone();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
