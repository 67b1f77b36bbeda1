#pragma once
#include <sys/types.h>

#include "db/ServerProcess.h"

// Starts the database server as a child process without Qt, for the
// command-line tool: in a session of its own (a closed terminal does not take
// it down), its output to the null device. Stop waits for it after a shutdown
// request and ends it only as a last resort.
class PosixServerProcess : public ServerProcess {
public:
    // How long the server gets to finish after a shutdown request before it is
    // terminated: killing InnoDB early forces crash recovery at the next start.
    static constexpr int kShutdownWaitMs = 30000;

    PosixServerProcess() = default;
    ~PosixServerProcess() override = default;  // a server still running keeps running
    PosixServerProcess(const PosixServerProcess&) = delete;
    PosixServerProcess& operator=(const PosixServerProcess&) = delete;

    bool Start(const std::string& program, const std::string& arguments) override;
    void Stop() override;
    void Detach() override;
    // True while a server this object started has not been stopped or let go.
    bool Started() const { return m_pid > 0; }

private:
    bool WaitForExit(int milliseconds);

    pid_t m_pid = -1;
};
