// The update on a program that started its own server: the installer is
// started only after the program has left as at its exit, server stopped.
#include <gtest/gtest.h>
#include <signal.h>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <cstdlib>

#include "LocalUpdateService.h"
#include "ScriptedPrompter.h"
#include "TestServer.h"
#include "app/MainWindow.h"
#include "db/InstallationSetup.h"

namespace {

const char* const kCloseAndInstall =
    "Kitul de instalare pentru versiunea 2.10 a fost descarcat. Programul se inchide si "
    "porneste instalarea. Continui?";

// The limit only keeps a broken test from hanging.
template <typename Condition>
bool WaitUntil(Condition condition) {
    for (int i = 0; i < 6000 && !condition(); ++i) QTest::qWait(10);
    return condition();
}

bool ProcessRuns(pid_t pid) {
    return pid > 0 && ::kill(pid, 0) == 0;
}

pid_t ServerPid(const QString& installation) {
    QFile pidFile(installation + "/server/mysqld.pid");
    return pidFile.open(QIODevice::ReadOnly) ? pidFile.readAll().trimmed().toInt() : 0;
}

TEST(UpdateLeave, YesStopsTheServerAsLeavingDoesBeforeTheInstallerStarts) {
    QTemporaryDir folder;
    int port = FreeLocalPort();
    while (port == ServerLogin::kDefaultPort) port = FreeLocalPort();
    const InstallationResult prepared =
        CreateInstallation({.folder = folder.path().toStdString(), .port = port});
    ASSERT_EQ(InstallationOutcome::Created, prepared.outcome) << prepared.message;
    LocalUpdateService service;
    QByteArray installer(999, 'A');
    service.versionAnswer = "02.10 " + QByteArray::number(installer.size()).rightJustified(10, '0');
    service.installer = installer;
    {
        QFile settings(folder.path() + "/orvik.conf");
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
        settings.write(service.SettingLine());
    }
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));

    ScriptedPrompter prompter;
    pid_t server = 0;
    {
        MainWindow window(prompter, MainWindow::Options{});
        QTemporaryDir downloads;
        bool connectedAtStart = true;
        bool serverRanAtStart = true;
        int starts = 0;
        window.SetUpdateInstaller(downloads.path(), [&](const std::string&) {
            ++starts;
            connectedAtStart = window.Client().IsConnected();
            serverRanAtStart = ProcessRuns(server);
            return ENOEXEC;
        });
        bool ready = false;
        QEventLoop loop;
        QObject::connect(&window, &MainWindow::StartUpFinished, [&](bool ok) {
            ready = ok;
            loop.quit();
        });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        window.show();
        loop.exec();
        ASSERT_TRUE(ready);
        server = ServerPid(folder.path());
        ASSERT_TRUE(ProcessRuns(server));
        auto* update = window.findChild<QPushButton*>("updateButton");
        ASSERT_TRUE(WaitUntil([&] { return update->isVisible(); }));

        prompter.ExpectQuestion(kCloseAndInstall, true);
        prompter.ExpectMessage("Eroare la lansarea procedurii de instalare (#8)",
                               MessageKind::Error);
        QTest::mouseClick(update, Qt::LeftButton);
        EXPECT_EQ(1, starts);
        EXPECT_FALSE(connectedAtStart);
        EXPECT_FALSE(serverRanAtStart);
        EXPECT_FALSE(window.isVisible());
    }
    // Whatever went wrong, the server does not outlive the test.
    if (ProcessRuns(server) && ::kill(server, SIGTERM) == 0)
        for (int i = 0; i < 600 && ProcessRuns(server); ++i) QThread::msleep(50);
    QDir::setCurrent(previous);
    prompter.VerifyDone();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
