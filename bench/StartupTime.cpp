// Time from creating the main window to the program being ready (connected,
// schema checked), with the server stopped and with it already running.
//   bench_startup INSTALLATION_FOLDER PORT
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <cstdio>

#include "app/ConsoleProcess.h"
#include "app/MainWindow.h"
#include "db/InstallationPaths.h"
#include "ui/QtPrompter.h"

namespace {

// Milliseconds to ready, or -1 when the start-up failed. The window then
// leaves as the program does, which shuts the server down.
double TimeToReady(const ServerLogin& login) {
    QtPrompter prompter;
    QElapsedTimer clock;
    clock.start();
    MainWindow window(prompter, MainWindow::Options{.login = login});
    window.show();
    QEventLoop loop;
    bool ready = false;
    QObject::connect(&window, &MainWindow::StartUpFinished, [&](bool ok) {
        ready = ok;
        loop.quit();
    });
    loop.exec();
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    window.EndWithoutAsking();
    return ready ? ms : -1;
}

bool WaitUntilAnswering(const ServerLogin& login) {
    class Quiet : public Prompter {
        void ShowMessage(const std::string&, MessageKind) override {}
        bool AskYesNo(const std::string&) override { return false; }
        std::optional<std::string> ChooseFolder(const std::string&) override { return {}; }
        std::optional<std::string> ChooseOpenFile(const std::string&) override { return {}; }
    } quiet;
    for (int attempt = 0; attempt < 200; ++attempt) {
        CClient probe(quiet, login);
        if (probe.Connect("127.0.0.1") == 0) return true;
        QThread::msleep(20);
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "bench_startup INSTALLATION_FOLDER PORT\n");
        return 2;
    }
    QDir::setCurrent(argv[1]);
    ServerLogin login = InstallationLogin(argv[1]).value_or(ServerLogin{});
    login.port = std::atoi(argv[2]);
    for (int run = 1; run <= 5; ++run) {
        const double stopped = TimeToReady(login);
        ConsoleProcess server;
        server.Start(QDir::currentPath().toStdString() + CClient::kServerProgram,
                     CClient::kServerArguments);
        if (!WaitUntilAnswering(login)) return 1;
        const double running = TimeToReady(login);
        server.Stop();
        std::printf("run %d: server stopped %.0f ms, server running %.0f ms\n", run, stopped,
                    running);
    }
    return 0;
}
