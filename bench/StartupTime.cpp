// Time from creating the main window to the program being ready (connected,
// schema checked), with the server stopped and with it already running,
// beside the floor: the server started on its own and connected to as soon as
// it answers (polled every millisecond), in the same run.
//   bench_startup INSTALLATION_FOLDER PORT
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/ConsoleProcess.h"
#include "app/MainWindow.h"
#include "db/InstallationPaths.h"
#include "ui/QtPrompter.h"

namespace {

// The failures of a server still starting are expected while probing.
class QuietPrompter : public Prompter {
    void ShowMessage(const std::string&, MessageKind) override {}
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> ChooseFolder(const std::string&) override { return {}; }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return {}; }
};

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

// Milliseconds from starting the server to its first accepted connection; the
// server is then asked to shut down, as the program does when it leaves (the
// runner waits for that before it would terminate it). -1 when it never answered.
double ServerFloor(ConsoleProcess& server, const ServerLogin& login) {
    QElapsedTimer clock;
    clock.start();
    server.Start(QDir::currentPath().toStdString() + CClient::kServerProgram,
                 CClient::kServerArguments);
    QuietPrompter quiet;
    while (clock.elapsed() < 10000) {
        CClient probe(quiet, login);
        if (probe.Connect("127.0.0.1")) {
            const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            (void)probe.ShutdownServer();
            return ms;
        }
        QThread::msleep(1);
    }
    return -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool WaitUntilAnswering(const ServerLogin& login) {
    QuietPrompter quiet;
    for (int attempt = 0; attempt < 200; ++attempt) {
        CClient probe(quiet, login);
        if (probe.Connect("127.0.0.1")) return true;
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
    constexpr double kGoalMs = 110;
    std::vector<double> cold, warm, floor;
    for (int run = 1; run <= 7; ++run) {
        const double stopped = TimeToReady(login);
        ConsoleProcess server;
        const double floorMs = ServerFloor(server, login);
        server.Stop();
        ConsoleProcess again;
        again.Start(QDir::currentPath().toStdString() + CClient::kServerProgram,
                    CClient::kServerArguments);
        if (floorMs < 0 || !WaitUntilAnswering(login)) return 1;
        const double running = TimeToReady(login);
        again.Stop();
        std::printf(
            "run %d: server stopped %.0f ms, server running %.0f ms, server's own "
            "start-to-connect %.0f ms\n",
            run, stopped, running, floorMs);
        cold.push_back(stopped);
        warm.push_back(running);
        floor.push_back(floorMs);
    }
    std::printf(
        "median: cold start %.0f ms (goal <= %.0f ms), floor %.0f ms, cold - floor %.0f "
        "ms, ratio %.2f; server running %.0f ms\n",
        Median(cold), kGoalMs, Median(floor), Median(cold) - Median(floor),
        Median(cold) / Median(floor), Median(warm));
    return 0;
}
