#include "cli/CliSession.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>
#include <thread>

#include "backup/CopyLock.h"
#include "db/FolderLock.h"
#include "db/InstallationPaths.h"
#include "db/ServerSettings.h"

namespace fs = std::filesystem;

void CliPrompter::ShowMessage(const std::string& text, MessageKind) {
    std::cerr << m_prefix << text << "\n";
}

bool CliPrompter::AskYesNo(const std::string& text) {
    std::cerr << m_prefix << text << " (raspuns: Nu)\n";
    return false;
}

std::optional<std::string> PrepareOutputFolder(const std::string& dir, std::string& why) {
    std::error_code error;
    const fs::path folder = fs::absolute(dir, error);
    if (!error) fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder)) {
        why = "nu se poate folosi folderul " + dir + ": " +
              (error ? error.message() : std::string("nu este un folder"));
        return std::nullopt;
    }
    if (access(folder.c_str(), W_OK) != 0) {
        why = "nu se poate scrie in folderul " + folder.string();
        return std::nullopt;
    }
    return folder.string();
}

namespace {

std::optional<std::string> FindInstallation(const std::optional<std::string>& named,
                                            std::string& why) {
    std::error_code error;
    if (named) {
        const std::string folder = fs::absolute(*named, error).string();
        if (IsInstallationFolder(folder)) return folder;
        why = folder + " nu este o instalare Orvik Asigurati (lipseste server/bin/my.cnf)";
        return std::nullopt;
    }
    const std::string current = fs::current_path(error).string();
    const std::string standard = DefaultInstallationPath();
    if (auto found = FindInstallationFolder(current, standard)) return found;
    why = "nu gasesc instalarea programului (server/bin/my.cnf) nici in folderul curent " +
          current + ", nici in folderul implicit " + standard +
          "; numeste-o cu --installation FOLDER";
    return std::nullopt;
}

// Inside the installation: the server's process number (its pid-file), and
// the number of a server a command started, kept while it runs.
const char* const kServerPidFile = "server/mysqld.pid";
const char* const kStartedMark = "server/cli-started.pid";
// How long a connection that was just closed may still be listed.
constexpr int kClosingConnectionWaitMs = 500;

pid_t ReadPid(const std::string& path) {
    std::ifstream in(path);
    long long pid = 0;
    in >> pid;
    return pid > 0 && pid < (1LL << 31) ? static_cast<pid_t>(pid) : 0;
}

void WritePid(const std::string& path, pid_t pid) {
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return;
    const std::string text = std::to_string(pid) + "\n";
    (void)!::write(fd, text.data(), text.size());
    ::close(fd);
}

// A server another session started is watched until it ended; one this
// process started and let go is also reaped.
void WaitUntilEnded(pid_t pid, int milliseconds) {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (::waitpid(pid, nullptr, WNOHANG) == 0 || ::kill(pid, 0) == 0 || errno == EPERM) {
        if (steady_clock::now() >= deadline) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace

bool CliSession::Open(const std::optional<std::string>& installation, std::string& why) {
    const auto folder = FindInstallation(installation, why);
    if (!folder) return false;
    const auto login = InstallationLogin(*folder);
    if (!login) {
        why = "portul serverului nu poate fi citit din " + *folder + "/server/bin/my.cnf";
        return false;
    }
    // The server is started from its installation folder, as the program does.
    std::error_code error;
    fs::current_path(*folder, error);
    if (error) {
        why = "nu se poate intra in " + *folder + ": " + error.message();
        return false;
    }
    // An installation of an older release gets this release's server settings
    // before its server starts; if that fails, the old ones still work.
    std::string settings;
    if (!UpdateServerSettings(*folder, settings))
        m_prompter.ShowMessage(settings, MessageKind::Warning);
    m_folder = *folder;
    m_client = std::make_unique<CClient>(m_prompter, *login);
    m_client->SetServerProcess(&m_server);
    // Not while another command is stopping the server.
    FolderLock lock(m_folder + "/server");
    if (m_client->Connect("127.0.0.1")) {
        if (m_server.Started())
            WritePid(m_folder + "/" + kStartedMark, ReadPid(m_folder + "/" + kServerPidFile));
        DropLeftoverStagedTables(*m_client);
        return true;
    }
    // A server still starting is left to finish rather than killed.
    m_client->DetachServer();
    m_client.reset();
    why.clear();
    return false;
}

bool CliSession::ServerStartedByCommand() const {
    const pid_t started = ReadPid(m_folder + "/" + kStartedMark);
    return started > 0 && started == ReadPid(m_folder + "/" + kServerPidFile);
}

// Every connection of the program's login but this one: other commands, the
// program, a copy being made. Without the PROCESS privilege the login sees
// exactly its own connections. When it cannot be told, others are assumed.
// A connection closed a moment ago (another command that just ended) may
// still be listed while the server finishes it, so the count is asked again
// for a short while before others are taken to be there.
bool CliSession::OthersConnected() {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(kClosingConnectionWaitMs);
    for (;;) {
        if (!m_client->Query("SELECT COUNT(*) AS n FROM information_schema.PROCESSLIST "
                             "WHERE USER = SUBSTRING_INDEX(USER(), '@', 1) AND "
                             "ID <> CONNECTION_ID()",
                             true))
            return true;
        if (m_client->GetValue(0, "N") == "0") return false;
        if (steady_clock::now() >= deadline) return true;
        std::this_thread::sleep_for(milliseconds(20));
    }
}

void CliSession::StopServer() {
    const pid_t server = ReadPid(m_folder + "/" + kServerPidFile);
    (void)m_client->ShutdownServer();
    // Waits for a server this session started to end.
    m_client->Disconnect();
    if (server > 0) WaitUntilEnded(server, PosixServerProcess::kShutdownWaitMs);
    ::unlink((m_folder + "/" + kStartedMark).c_str());
}

CliSession::~CliSession() {
    if (!m_client) return;
    // Counting the others and stopping are one step for the commands.
    FolderLock lock(m_folder + "/server");
    // A connection lost on the way is not brought back only to count.
    if (m_client->IsConnected() && (m_server.Started() || ServerStartedByCommand()) &&
        !OthersConnected()) {
        StopServer();
        return;
    }
    // Still in use, or not started by a command: it keeps running, and the
    // last command that uses a server a command started stops it.
    m_server.Detach();
    m_client->Disconnect();
}
