#pragma once
// What the whole-process timing programs share: an installation prepared by
// `orvik-cli installation create` in a temporary folder on a free port, the
// command-line tool run as a user runs it, and a payroll file to import.
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "datalist/DataList.h"
#include "dbf/DbfTableSpec.h"
#include "dbf/DbfWriter.h"

extern char** environ;

namespace bench {

inline int FreePort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(s);
    return ntohs(address.sin_port);
}

// Runs a program with its output thrown away; its exit status, -1 when it
// could not run.
inline int RunQuietly(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A prepared installation, its server stopped; removed with the object (a
// server still running from it is stopped first).
class Installation {
public:
    explicit Installation(const std::string& name) : m_port(FreePort()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / ("orvik-" + name + "-XXXXXX")).string();
        if (!::mkdtemp(pattern.data())) return;
        m_folder = pattern;
        const std::string prepare = std::string(ORVIK_CLI) + " installation create '" + m_folder +
                                    "' --port " + std::to_string(m_port) + " > /dev/null";
        m_ready = std::system(prepare.c_str()) == 0;
    }
    ~Installation() {
        StopServer();
        std::error_code ignored;
        if (!m_folder.empty()) std::filesystem::remove_all(m_folder, ignored);
    }
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    bool Ready() const { return m_ready; }
    const std::string& Folder() const { return m_folder; }
    int Port() const { return m_port; }

    // The pid of a running server of this installation, 0 when none.
    pid_t ServerPid() const {
        std::ifstream in(m_folder + "/server/mysqld.pid");
        pid_t pid = 0;
        in >> pid;
        return pid > 0 && ::kill(pid, 0) == 0 ? pid : 0;
    }
    void StopServer() const {
        const pid_t pid = ServerPid();
        if (pid == 0 || ::kill(pid, SIGTERM) != 0) return;
        for (int i = 0; i < 1200 && ::kill(pid, 0) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }

    // orvik-cli with these arguments and --installation of this folder.
    int Cli(std::vector<std::string> args) const {
        args.insert(args.begin(), ORVIK_CLI);
        args.push_back("--installation");
        args.push_back(m_folder);
        return RunQuietly(args);
    }
    // The same, timed as a whole process in milliseconds; -1 when it failed.
    double TimedCli(std::vector<std::string> args) const {
        const auto start = Clock::now();
        const int status = Cli(std::move(args));
        const double ms = Ms(start);
        return status == 0 ? ms : -1;
    }

private:
    std::string m_folder;
    int m_port;
    bool m_ready = false;
};

inline std::string NthCnp(int n) {
    const std::string digits = std::to_string(n);
    const std::string cnp = "18001" + std::string(7 - digits.size(), '0') + digits;
    const char* key = "279146358279";
    int sum = 0;
    for (int i = 0; i < 12; ++i) sum += (cnp[i] - '0') * (key[i] - '0');
    return cnp + static_cast<char>('0' + (sum % 11 == 10 ? 1 : sum % 11));
}

// A payroll file of `employees` people of company `cf` with their sums of `month`.
inline bool WritePayroll(const std::string& path, const std::string& cf, int employees,
                         const std::string& month) {
    const struct {
        const char* name;
        const char* type;
        int length;
        int decimals;
    } fields[] = {{"CF", "C", 13, 0},      {"CAS", "C", 5, 0},      {"CNP", "C", 13, 0},
                  {"NUME", "C", 50, 0},    {"PRENUME", "C", 50, 0}, {"INTRARE", "C", 8, 0},
                  {"FORMA", "C", 3, 0},    {"SALARIU", "N", 12, 2}, {"ASG_DAT", "N", 10, 2},
                  {"ASG_VIR", "N", 10, 2}, {"ANG_DAT", "N", 10, 2}, {"ANG_VIR", "N", 10, 2},
                  {"LA_LUNA", "C", 6, 0}};
    DataList list;
    DbfTableSpec spec;
    for (const auto& f : fields) {
        list.AppendColumn(f.name, f.type, 100);
        AddDbfField(spec, f.name, f.type, f.length, f.decimals);
    }
    for (int i = 0; i < employees; ++i) {
        const std::vector<std::string> row = {cf,
                                              "CASAB",
                                              NthCnp(i),
                                              "NUME" + std::to_string(i % 997),
                                              "PRENUME" + std::to_string(i),
                                              "20050101",
                                              "S",
                                              std::to_string(1500 + i % 1000),
                                              "82.50",
                                              "82.50",
                                              "78.00",
                                              "78.00",
                                              month};
        list.AddRowCells(std::vector<std::string_view>(row.begin(), row.end()));
    }
    return WriteDbfFile(path, &list, &spec);
}

}  // namespace bench
