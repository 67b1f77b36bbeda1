#include "app/ConsoleProcess.h"

#include <QDir>

ConsoleProcess::~ConsoleProcess() { Stop(); }

bool ConsoleProcess::Start(const std::string& program, const std::string& arguments) {
    Stop();
    m_process = std::make_unique<QProcess>();
    m_process->setProgram(QString::fromLocal8Bit(program.c_str()));
    m_process->setArguments({QString::fromLocal8Bit(arguments.c_str())});
    m_process->setWorkingDirectory(QDir::currentPath());
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->setStandardOutputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(QProcess::nullDevice());
    m_process->start();
    if (m_process->waitForStarted(5000)) return true;
    m_process.reset();
    return false;
}

bool ConsoleProcess::IsRunning() const {
    return m_process && m_process->state() != QProcess::NotRunning;
}

// Called after the shutdown request: wait for the server to finish on its own,
// then terminate, and kill only as the last resort. A server that already died
// (a crash, a kill) is found ended at once, so starting it again costs no wait.
void ConsoleProcess::Stop() {
    if (!m_process) return;
    if (IsRunning() && !m_process->waitForFinished(kShutdownWaitMs)) {
        m_process->terminate();
        if (!m_process->waitForFinished(5000)) {
            m_process->kill();
            m_process->waitForFinished(1000);
        }
    }
    m_process.reset();
}

// A failed start-up leaves the server it started running. Destroying the
// QProcess would kill it, so the object is given up on purpose.
void ConsoleProcess::Detach() {
    if (m_process) (void)m_process.release();
}
