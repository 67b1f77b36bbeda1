#pragma once
#include <QProcess>
#include <memory>

#include "db/ServerProcess.h"

// Runs the local database server as a hidden child process. Its output goes
// to the null device; nobody reads it.
class ConsoleProcess : public ServerProcess {
public:
    // How long the server gets to finish after a shutdown request before it
    // is terminated: killing InnoDB early forces crash recovery at next start.
    static constexpr int kShutdownWaitMs = 30000;

    ConsoleProcess() = default;
    ~ConsoleProcess() override;

    bool Start(const std::string& program, const std::string& arguments) override;
    void Stop() override;
    void Detach() override;
    bool IsRunning() const;

private:
    std::unique_ptr<QProcess> m_process;
};
