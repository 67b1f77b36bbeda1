#include "db/InstallationSetup.h"

#include <fcntl.h>
#include <mysql.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <thread>
#include <vector>

#include "db/FolderLock.h"
#include "db/InstallationPaths.h"
#include "db/ServerSettings.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kPasswordLength = 32;
// The files that make the databases, in the order they are loaded.
const char* const kSqlFiles[] = {"schema.sql", "change_log.sql", "seed.sql", "nomenclature.sql",
                                 "users.sql"};
constexpr int kSteps = 4 + static_cast<int>(std::size(kSqlFiles));

class SetupFailed {
public:
    explicit SetupFailed(std::string message) : m_message(std::move(message)) {}
    const std::string& Message() const { return m_message; }

private:
    std::string m_message;
};

std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno) + ".";
}

bool IsExecutable(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// As the shell finds a command, then where Debian puts it (a user's PATH
// often lacks /usr/sbin).
std::string FindProgram(const std::string& name, const char* usual) {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string folder = folders.substr(start, end - start);
        if (!folder.empty() && IsExecutable(folder + "/" + name)) return folder + "/" + name;
        start = end + 1;
    }
    return IsExecutable(usual) ? usual : "";
}

std::string ServerProgram() {
    return FindProgram("mariadbd", "/usr/sbin/mariadbd");
}
std::string DataTool() {
    return FindProgram("mariadb-install-db", "/usr/bin/mariadb-install-db");
}

void MakePrivateFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || ::chmod(folder.c_str(), 0700) != 0)
        throw SetupFailed(SystemError("Folderul " + folder.string() + " nu poate fi creat"));
}

// A file of ours under its name: whatever stood there (a planted link, say)
// is replaced, never written through.
void WritePrivateFile(const fs::path& path, const std::string& text, mode_t mode) {
    ::unlink(path.c_str());
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    bool written = fd >= 0 && ::fchmod(fd, mode) == 0;
    for (std::size_t done = 0; written && done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        written = n > 0;
        if (written) done += static_cast<std::size_t>(n);
    }
    if (fd >= 0 && ::close(fd) != 0) written = false;
    if (!written)
        throw SetupFailed(SystemError("Fisierul " + path.string() + " nu poate fi scris"));
}

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The server creates its files 0600 and its folders 0700 (its default is 0660).
std::string ServerWrapperText(const std::string& server) {
    return "#!/bin/sh\nUMASK=0600 UMASK_DIR=0700 exec " + ShellQuoted(server) + " \"$@\"\n";
}

}  // namespace

std::string NewServerConfig(const std::string& folder, int port, const std::string& runAs) {
    std::string text = "[mysqld]\n";
    if (!runAs.empty()) text += "user=" + runAs + "\n";
    text += "bind-address=127.0.0.1\nport=" + std::to_string(port) + "\nsocket=" + folder +
            "/server/mysqld.sock\npid-file=" + folder + "/server/mysqld.pid\ndatadir=" + folder +
            "/server/data\nlog-error=" + folder +
            "/server/error.log\n"
            "lower_case_table_names=1\ncharacter-set-server=latin1\n"
            "collation-server=latin1_swedish_ci\n"
            "sql_mode=STRICT_TRANS_TABLES,NO_ENGINE_SUBSTITUTION\n"
            "default-storage-engine=InnoDB\nskip-name-resolve\n";
    // Buffers and the closed doors: the lines the program keeps up to date.
    for (const std::string& line : OwnedServerSettings(folder)) text += line + "\n";
    return text;
}

namespace {

std::string UserName(uid_t uid) {
    const passwd* user = ::getpwuid(uid);
    return user ? user->pw_name : "";
}

// Everything under `path` becomes the user's (and the user's group's).
void GiveTree(const fs::path& path, uid_t uid, gid_t gid) {
    std::error_code error;
    bool given = ::lchown(path.c_str(), uid, gid) == 0;
    for (fs::recursive_directory_iterator it(path, error), end; given && !error && it != end;
         it.increment(error))
        given = ::lchown(it->path().c_str(), uid, gid) == 0;
    if (!given || error)
        throw SetupFailed(
            SystemError("Proprietarul lui " + path.string() + " nu poate fi schimbat"));
}

// A child with the installation's umask and the server's file modes in its
// environment; its output goes to `output` (created 0600). Everything the
// child needs is made before fork: after it only exec-safe calls run.
pid_t StartChild(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& output) {
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    std::vector<std::string> settings{"UMASK=0600", "UMASK_DIR=0700"};
    std::vector<char*> envp;
    for (char** e = environ; e && *e; ++e)
        if (std::strncmp(*e, "UMASK=", 6) != 0 && std::strncmp(*e, "UMASK_DIR=", 10) != 0)
            envp.push_back(*e);
    for (std::string& s : settings) envp.push_back(s.data());
    envp.push_back(nullptr);
    const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int in = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (out < 0 || in < 0) {
        if (out >= 0) ::close(out);
        if (in >= 0) ::close(in);
        return -1;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::umask(077);
        ::dup2(in, STDIN_FILENO);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(out, STDERR_FILENO);
        ::execve(program.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(out);
    ::close(in);
    return pid;
}

// The child's exit status; nothing when it has not ended within `ms`.
std::optional<int> WaitForChild(pid_t pid, int ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
        if (done < 0 && errno != EINTR) return 128;
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// A server that would not stop when asked: InnoDB recovers at its next start.
void EndServer(pid_t pid) {
    if (WaitForChild(pid, 0)) return;
    ::kill(pid, SIGTERM);
    if (!WaitForChild(pid, 30000)) {
        ::kill(pid, SIGKILL);
        WaitForChild(pid, 5000);
    }
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw SetupFailed("Fisierul " + path.string() + " nu poate fi citit.");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every statement of `sql`, its results read and dropped; false at the first
// that fails.
bool RunStatements(MYSQL* handle, const std::string& sql) {
    int status = mysql_real_query(handle, sql.data(), sql.size());
    while (status == 0) {
        if (MYSQL_RES* result = mysql_store_result(handle)) mysql_free_result(result);
        status = mysql_next_result(handle);
    }
    return status < 0;
}

struct Plan {
    fs::path folder;
    int port = ServerLogin::kDefaultPort;
    fs::path sqlFolder;
    std::string server;
    std::string dataTool;  // makes the server's data folder
    std::string admin;     // who talks to the server through its socket while preparing
    std::string owner;     // whose the installation is; the server runs as this user
    bool asRoot = false;
    uid_t ownerUid = 0;
    gid_t ownerGid = 0;
    InstallationProgress progress;
    int step = 0;

    fs::path Bin() const { return folder / "server/bin"; }
    fs::path Data() const { return folder / "server/data"; }
    fs::path Socket() const { return folder / "server/mysqld.sock"; }
    void Step(const std::string& text) {
        if (progress) progress(++step, kSteps, text);
    }
    // Prepared by root for another user: everything is that user's, before
    // the server (running as that user) writes its log and socket there.
    void Own() const {
        if (asRoot) GiveTree(folder / "server", ownerUid, ownerGid);
    }
};

void WriteFiles(Plan& plan, const std::string& password) {
    plan.Step("Se pregateste folderul instalarii...");
    if (::chmod(plan.folder.c_str(), 0700) != 0)
        throw SetupFailed(SystemError("Folderul " + plan.folder.string() + " nu poate fi inchis"));
    for (const char* sub : {"server", "server/bin", "server/data", "server/files", "server/tmp"})
        MakePrivateFolder(plan.folder / sub);
    WritePrivateFile(plan.Bin() / "mysqld", ServerWrapperText(plan.server), 0700);
    WritePrivateFile(
        plan.Bin() / "my.cnf",
        NewServerConfig(plan.folder.string(), plan.port, plan.asRoot ? plan.owner : std::string()),
        0600);
    WritePrivateFile(plan.Bin() / "client.cnf", OptionFileText(kProgramUser, password), 0600);
    plan.Own();
}

void MakeServerData(Plan& plan) {
    plan.Step("Se creeaza datele serverului de baze de date...");
    const std::string log = (plan.folder / "server/install.log").string();
    std::vector<std::string> arguments{"--defaults-file=" + (plan.Bin() / "my.cnf").string(),
                                       "--auth-root-authentication-method=socket",
                                       "--auth-root-socket-user=" + plan.owner};
    if (plan.asRoot) arguments.push_back("--user=" + plan.owner);
    arguments.push_back("--skip-test-db");
    const pid_t pid = StartChild(plan.dataTool, arguments, log);
    const std::optional<int> status = pid > 0 ? WaitForChild(pid, 10 * 60 * 1000) : 127;
    if (!status) EndServer(pid);
    if (status != 0) throw SetupFailed("Crearea bazei de date a esuat; vezi " + log);
}

MYSQL* ConnectThroughSocket(const Plan& plan, pid_t server) {
    for (int attempt = 0; attempt < 300; ++attempt) {
        MYSQL* handle = mysql_init(nullptr);
        if (!handle) break;
        mysql_options(handle, MYSQL_SET_CHARSET_NAME, "latin1");
        if (mysql_real_connect(handle, "localhost", plan.admin.c_str(), nullptr, nullptr, 0,
                               plan.Socket().c_str(), CLIENT_MULTI_STATEMENTS))
            return handle;
        mysql_close(handle);
        if (WaitForChild(server, 100)) break;  // the server ended: no use waiting
    }
    return nullptr;
}

void LoadSchema(Plan& plan, MYSQL* handle, const std::string& password) {
    std::string escaped(password.size() * 2 + 1, '\0');
    escaped.resize(
        mysql_real_escape_string(handle, escaped.data(), password.data(), password.size()));
    if (!RunStatements(handle, "SET @orvik_password = '" + escaped + "'"))
        throw SetupFailed(std::string("Incarcarea schemei a esuat.\n") + mysql_error(handle));
    for (const char* file : kSqlFiles) {
        plan.Step(std::string("Se incarca bazele de date (") + file + ")...");
        if (!RunStatements(handle, ReadText(plan.sqlFolder / file)))
            throw SetupFailed(std::string("Incarcarea schemei a esuat.\n") + file + ": " +
                              mysql_error(handle));
    }
}

// The schema goes in through a private socket, with the network closed.
void LoadDatabases(Plan& plan, const std::string& password) {
    plan.Step("Porneste serverul de baze de date...");
    const std::string bin = plan.Bin().string();
    const pid_t server = StartChild(
        bin + "/mysqld", {"--defaults-file=" + bin + "/my.cnf", "--skip-networking"}, "/dev/null");
    if (server <= 0) throw SetupFailed(SystemError("Serverul de baze de date nu porneste"));
    MYSQL* handle = ConnectThroughSocket(plan, server);
    try {
        if (!handle)
            throw SetupFailed("Serverul de baze de date nu raspunde; vezi " +
                              (plan.folder / "server/error.log").string());
        LoadSchema(plan, handle, password);
    } catch (const SetupFailed&) {
        if (handle) mysql_close(handle);
        EndServer(server);
        throw;
    }
    plan.Step("Se opreste serverul de baze de date...");
    RunStatements(handle, "SHUTDOWN");
    mysql_close(handle);
    if (!WaitForChild(server, 60000)) EndServer(server);
}

// Who prepares, and for whom: root may prepare a folder another user owns.
void ChooseAccounts(Plan& plan) {
    plan.asRoot = ::geteuid() == 0;
    plan.admin = UserName(::geteuid());
    struct stat info {};
    if (::stat(plan.folder.c_str(), &info) != 0)
        throw SetupFailed(SystemError("Folderul " + plan.folder.string() + " nu poate fi citit"));
    plan.ownerUid = plan.asRoot ? info.st_uid : ::geteuid();
    const passwd* owner = ::getpwuid(plan.ownerUid);
    if (plan.admin.empty() || !owner)
        throw SetupFailed("Utilizatorul care detine folderul " + plan.folder.string() +
                          " nu are un nume in sistem.");
    plan.owner = owner->pw_name;
    plan.ownerGid = owner->pw_gid;
}

Plan MakePlan(const InstallationRequest& request, const InstallationProgress& progress) {
    Plan plan;
    plan.progress = progress;
    plan.port = request.port;
    plan.sqlFolder =
        fs::path(request.dataFolder.empty() ? ProgramDataFolder() : request.dataFolder) / "sql";
    plan.folder = fs::absolute(request.folder).lexically_normal();
    if (!plan.folder.has_filename()) plan.folder = plan.folder.parent_path();
    plan.server = request.serverProgram.empty()         ? ServerProgram()
                  : IsExecutable(request.serverProgram) ? request.serverProgram
                                                        : "";
    plan.dataTool = request.dataTool.empty()         ? DataTool()
                    : IsExecutable(request.dataTool) ? request.dataTool
                                                     : "";
    return plan;
}

bool HoldsData(const Plan& plan) {
    std::error_code ignored;
    return fs::is_directory(plan.Data() / "mysql", ignored);
}

void Build(Plan& plan) {
    ChooseAccounts(plan);
    const std::string password = RandomPassword(kPasswordLength);
    if (password.size() != kPasswordLength)
        throw SetupFailed("Nu se poate genera parola bazei de date.");
    try {
        WriteFiles(plan, password);
        MakeServerData(plan);
        LoadDatabases(plan, password);
        plan.Own();
    } catch (const SetupFailed&) {
        // The next attempt starts afresh; the logs stay to be read. Without
        // its defaults file the folder is no installation, so the program's
        // next start offers to create it again.
        std::error_code ignored;
        fs::remove_all(plan.Data(), ignored);
        fs::remove(plan.Bin() / "client.cnf", ignored);
        fs::remove(plan.Bin() / "my.cnf", ignored);
        throw;
    }
}

}  // namespace

InstallationResult CreateInstallation(const InstallationRequest& request,
                                      const InstallationProgress& progress) {
    Plan plan = MakePlan(request, progress);
    InstallationResult result;
    result.folder = plan.folder.string();
    const auto end = [&result](InstallationOutcome outcome, std::string message) {
        result.outcome = outcome;
        result.message = std::move(message);
        return result;
    };
    const std::string there =
        "Instalarea din " + result.folder + " exista deja; datele ei raman neatinse.";
    if (HoldsData(plan)) return end(InstallationOutcome::AlreadyThere, there);
    if (plan.server.empty() || plan.dataTool.empty())
        return end(InstallationOutcome::ServerMissing,
                   std::string("Lipseste serverul de baze de date (mariadbd).\nInstaleaza "
                               "pachetul Debian ") +
                       kServerPackage + " (ca administrator: apt-get install " + kServerPackage +
                       ").");
    // A program installed without its SQL files makes nothing.
    for (const char* file : kSqlFiles)
        if (::access((plan.sqlFolder / file).c_str(), R_OK) != 0)
            return end(InstallationOutcome::Failed, "Fisierul " + (plan.sqlFolder / file).string() +
                                                        " lipseste; programul nu este instalat "
                                                        "complet.");
    try {
        std::error_code error;
        fs::create_directories(plan.folder, error);
        if (error || !fs::is_directory(plan.folder))
            throw SetupFailed("Folderul " + result.folder +
                              " nu poate fi creat: " + error.message() + ".");
        // A second preparation of the same folder waits, then finds it made.
        const FolderLock lock(plan.folder.string());
        if (!lock.Held())
            throw SetupFailed(SystemError("Folderul " + result.folder + " nu poate fi blocat"));
        if (HoldsData(plan)) return end(InstallationOutcome::AlreadyThere, there);
        Build(plan);
    } catch (const SetupFailed& failed) {
        return end(InstallationOutcome::Failed, failed.Message());
    }
    return end(InstallationOutcome::Created, "Instalare pregatita in " + result.folder + " (port " +
                                                 std::to_string(plan.port) + ").");
}
