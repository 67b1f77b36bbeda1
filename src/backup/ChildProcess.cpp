#include "backup/ChildProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

extern char** environ;

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

ClientDefaultsFile::ClientDefaultsFile(const std::string& host, int port, const std::string& login,
                                       const std::string& password) {
    // Nothing on disk: a file with the password can outlive no process, not even one killed.
    const int fd = ::memfd_create("orvik-client", MFD_CLOEXEC);
    if (fd < 0) return;
    // Options of the [client] group are read by both mariadb and mariadb-dump.
    const std::string text = "[client]\nprotocol=tcp\nhost=" + host +
                             "\nport=" + std::to_string(port) + "\nuser=" + login +
                             "\npassword=" + password + "\n";
    if (::fchmod(fd, S_IRUSR | S_IWUSR) != 0 || !WriteAll(fd, text)) {
        ::close(fd);
        return;
    }
    m_fd = fd;
}

ClientDefaultsFile::~ClientDefaultsFile() {
    if (m_fd >= 0) ::close(m_fd);
}

ChildProcess::~ChildProcess() {
    ClosePipe();
    if (m_pid > 0) Wait();
    if (m_errorFd >= 0) ::close(m_errorFd);
}

bool ChildProcess::Start(const std::string& program, const std::vector<std::string>& arguments,
                         Pipe pipe, int defaults) {
    m_errorFd = ::memfd_create("orvik-child-errors", MFD_CLOEXEC);  // gone with us
    if (m_errorFd < 0) return false;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    const int childEnd = pipe == Pipe::Input ? fds[0] : fds[1];
    m_fd = pipe == Pipe::Input ? fds[1] : fds[0];

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, childEnd, pipe == Pipe::Input ? 0 : 1);
    posix_spawn_file_actions_adddup2(&actions, m_errorFd, 2);
    if (pipe == Pipe::Input)
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    // dup2 onto the same number would keep close-on-exec: go through a spare one.
    int spare = -1;
    if (defaults == 3) defaults = spare = ::fcntl(3, F_DUPFD_CLOEXEC, 10);
    if (defaults >= 0) posix_spawn_file_actions_adddup2(&actions, defaults, 3);
    std::vector<char*> argv;
    std::string name = program;
    argv.push_back(name.data());
    std::vector<std::string> copies = arguments;
    for (std::string& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    const int failed =
        ::posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(childEnd);
    if (spare >= 0) ::close(spare);
    if (failed != 0) {
        m_pid = -1;
        ClosePipe();
        return false;
    }
    return true;
}

void ChildProcess::ClosePipe() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

bool ChildProcess::Wait() {
    if (m_pid > 0) {
        while (::waitpid(m_pid, &m_status, 0) < 0 && errno == EINTR) {
        }
        m_pid = -1;
    }
    return m_status >= 0 && WIFEXITED(m_status) && WEXITSTATUS(m_status) == 0;
}

std::string ChildProcess::ErrorText() const {
    std::string text;
    if (m_errorFd < 0) return text;
    char buffer[4096];
    ssize_t n;
    off_t offset = 0;
    while (text.size() < 4000 && (n = ::pread(m_errorFd, buffer, sizeof buffer, offset)) > 0) {
        text.append(buffer, static_cast<std::size_t>(n));
        offset += n;
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    if (text.empty() && m_status >= 0 && WIFSIGNALED(m_status))
        text = "procesul a fost oprit (semnalul " + std::to_string(WTERMSIG(m_status)) + ")";
    return text;
}

std::string FindClientTool(const std::string& installationFolder, const std::string& name) {
    namespace fs = std::filesystem;
    const fs::path own = fs::path(installationFolder) / "server" / "bin" / name;
    if (::access(own.c_str(), X_OK) == 0) return own.string();
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t colon = folders.find(':', start);
        const std::string folder = folders.substr(start, colon - start);
        if (!folder.empty()) {
            const fs::path candidate = fs::path(folder) / name;
            if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
        }
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    return {};
}
