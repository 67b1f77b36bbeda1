#pragma once
#include <sys/types.h>
#include <string>
#include <vector>

// The database's own client tools run as child processes. The login never
// appears on a command line (any user could read it in the process list) nor
// on disk: it goes into an anonymous memory file that the child inherits as
// descriptor 3 and opens as /dev/fd/3, gone with the last process holding it.
class ClientDefaultsFile {
public:
    ClientDefaultsFile(const std::string& host, int port, const std::string& login,
                       const std::string& password);
    ~ClientDefaultsFile();
    ClientDefaultsFile(const ClientDefaultsFile&) = delete;
    ClientDefaultsFile& operator=(const ClientDefaultsFile&) = delete;

    bool Ok() const { return m_fd >= 0; }
    // "--defaults-file=...": it must be the tool's first argument.
    std::string Argument() const { return "--defaults-file=/dev/fd/3"; }
    // Handed to ChildProcess::Start, which places it as the child's descriptor 3.
    int Fd() const { return m_fd; }

private:
    int m_fd = -1;
};

// A started child with its standard input or output on a pipe of ours and
// its standard error kept in a file, so a failure can say what the tool said.
class ChildProcess {
public:
    enum class Pipe { Input, Output };

    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // `defaults` (a ClientDefaultsFile's descriptor) becomes the child's descriptor 3.
    bool Start(const std::string& program, const std::vector<std::string>& arguments, Pipe pipe,
               int defaults = -1);
    pid_t Pid() const { return m_pid; }
    // Our end of the pipe: write to the child's input or read its output.
    int Fd() const { return m_fd; }
    void ClosePipe();
    // Hands our end of the pipe over (to a FILE*, say); ClosePipe no longer closes it.
    int TakeFd() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    // Waits for the end; true when the child ended by itself with status 0.
    bool Wait();
    // What the child wrote to its standard error, trimmed.
    std::string ErrorText() const;

private:
    pid_t m_pid = -1;
    int m_fd = -1;
    int m_errorFd = -1;
    int m_status = -1;
};

// The tool `name` next to the installation's server, else from PATH; empty
// when there is none.
std::string FindClientTool(const std::string& installationFolder, const std::string& name);

// Writes all of `text` to a file descriptor (a pipe to a child); false when
// the other end went away.
bool WriteAll(int fd, const std::string& text);
