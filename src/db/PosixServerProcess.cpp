#include "db/PosixServerProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace {

// In the child between fork and exec only async-signal-safe calls are allowed.
[[noreturn]] void RunInChild(const std::string& program, const std::string& arguments,
                             int reportFd) {
    setsid();
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        if (null > STDERR_FILENO) close(null);
    }
    char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(arguments.c_str()),
                          nullptr};
    execv(program.c_str(), argv);
    // Tell the parent why the server could not be run.
    const int error = errno;
    (void)!write(reportFd, &error, sizeof error);
    _exit(127);
}

}  // namespace

bool PosixServerProcess::Start(const std::string& program, const std::string& arguments) {
    // A server of ours that already ended is reaped, never waited for.
    if (m_pid > 0 && waitpid(m_pid, nullptr, WNOHANG) != 0) m_pid = -1;
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return false;
    const pid_t pid = fork();
    if (pid < 0) {
        close(report[0]);
        close(report[1]);
        return false;
    }
    if (pid == 0) RunInChild(program, arguments, report[1]);
    close(report[1]);
    // The pipe closes without a word when exec succeeds.
    int error = 0;
    ssize_t got;
    do {
        got = read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    close(report[0]);
    if (got > 0) {
        waitpid(pid, nullptr, 0);
        return false;
    }
    m_pid = pid;
    return true;
}

bool PosixServerProcess::WaitForExit(int milliseconds) {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        const pid_t done = waitpid(m_pid, nullptr, WNOHANG);
        if (done == m_pid || (done < 0 && errno == ECHILD)) return true;
        if (steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void PosixServerProcess::Stop() {
    if (m_pid <= 0) return;
    if (!WaitForExit(kShutdownWaitMs)) {
        kill(m_pid, SIGTERM);
        if (!WaitForExit(5000)) {
            kill(m_pid, SIGKILL);
            WaitForExit(1000);
        }
    }
    m_pid = -1;
}

void PosixServerProcess::Detach() {
    m_pid = -1;
}
