// `orvik-cli import employees` as a whole process, as a user runs it, on its
// own throwaway server: 10,000 new employees with a month of sums, the same
// file again (every person and sum updated, with their change-log copies),
// and 30,000 of each to see the cost stay linear. Beside it, in the same run,
// MariaDB's own bulk load of the same rows: the `mariadb` client process
// loading multi-row INSERTs. Times in milliseconds, medians of a few runs.
//   bench_import [ORVIK-CLI]   times another build of orvik-cli (an older one,
//                              for before/after figures in the same conditions)
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "CliInstallation.h"
#include "db/CClient.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr int kRuns = 3;
const char* const kCompany = "12345674";
// Goals for a whole process on a 2-core machine.
constexpr double kGoalNewMs = 1500;
constexpr double kGoalAgainMs = 2500;

// The same rows as SQL text for the server's own bulk path: the company, the
// persons in multi-row INSERTs of 1,000, their sums in one INSERT ... SELECT.
bool WriteBulkLoad(const std::string& path, int employees) {
    std::ofstream out(path);
    out << "START TRANSACTION;\nINSERT INTO asigurati.societati (cf, denumire, ziua_lic) VALUES ("
        << kCompany << ", 'ALFA SRL', '10');\n";
    for (int first = 0; first < employees; first += 1000) {
        out << "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, forma, intrare) "
               "VALUES ";
        for (int i = first; i < first + 1000 && i < employees; ++i)
            out << (i == first ? "" : ",") << "(" << kCompany << ", 'CASAB', 'NUME" << i % 997
                << "', 'PRENUME" << i << "', " << bench::NthCnp(i) << ", 'S', 20050101)";
        out << ";\n";
    }
    out << "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, asig_datorat, "
           "asig_virat, ang_datorat, ang_virat) SELECT a.index, a.cf, a.cnp, 200907, "
           "1500 + (a.index - 1) % 1000, 82.5, 82.5, 78, 78 FROM asigurati.asigurati AS a;\n"
           "COMMIT;\n";
    return static_cast<bool>(out);
}

// Runs a program to its end, stdin from `input` (or /dev/null), stdout and
// stderr to /dev/null; its exit status, -1 when it could not run.
int RunProcess(const std::vector<std::string>& args, const std::string& input = "/dev/null") {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool Empty(CClient& client) {
    for (const char* table :
         {"societati", "asigurati", "sume", "zlog_societati", "zlog_asigurati", "zlog_sume"})
        if (!client.Query(std::string("TRUNCATE TABLE asigurati.") + table, false)) return false;
    return true;
}

struct Bench {
    std::string cli;
    CClient& client;
    std::string installation;
    int port;
    bool clean = true;

    double TimeImport(const std::string& file) {
        const auto start = Clock::now();
        const int status =
            RunProcess({cli, "import", "employees", file, "--company-name", "ALFA SRL",
                        "--payment-day", "10", "--installation", installation});
        const double ms = Ms(start);
        if (status != 0) {
            std::cerr << "orvik-cli import ended with " << status << "\n";
            clean = false;
        }
        return ms;
    }
    double TimeBulkLoad(const std::string& sql) {
        const auto start = Clock::now();
        const int status =
            RunProcess({"mariadb", "--defaults-file=" + installation + "/server/bin/client.cnf",
                        "-h127.0.0.1", "-P" + std::to_string(port)},
                       sql);
        const double ms = Ms(start);
        if (status != 0) {
            std::cerr << "the mariadb client ended with " << status << "\n";
            clean = false;
        }
        return ms;
    }
    std::string Count(const char* table) {
        if (!client.Query(std::string("SELECT COUNT(*) AS n FROM asigurati.") + table, true))
            return "?";
        return client.GetValue(0, "N");
    }
};

struct Figures {
    double fresh, again, bulk;
};

Figures Measure(Bench& bench, int employees, const fs::path& folder) {
    const std::string dbf = (folder / ("pay" + std::to_string(employees) + ".dbf")).string();
    const std::string sql = (folder / ("bulk" + std::to_string(employees) + ".sql")).string();
    if (!bench::WritePayroll(dbf, kCompany, employees, "200907") ||
        !WriteBulkLoad(sql, employees)) {
        bench.clean = false;
        return {};
    }
    std::vector<double> fresh, again, bulk;
    const std::string expected = std::to_string(employees);
    for (int run = 0; run < kRuns; ++run) {
        if (!Empty(bench.client)) bench.clean = false;
        fresh.push_back(bench.TimeImport(dbf));
        again.push_back(bench.TimeImport(dbf));
        // Every row once, and its update's copy once in the change log.
        if (bench.Count("asigurati") != expected || bench.Count("sume") != expected ||
            bench.Count("zlog_asigurati") != expected || bench.Count("zlog_sume") != expected) {
            std::cerr << "the imports did not leave " << expected << " rows in each table\n";
            bench.clean = false;
        }
        if (!Empty(bench.client)) bench.clean = false;
        bulk.push_back(bench.TimeBulkLoad(sql));
    }
    return {Median(fresh), Median(again), Median(bulk)};
}

}  // namespace

int main(int argc, char** argv) {
    ThrowawayServer server("import-bench");
    if (server.Port() == 0) {
        std::cerr << "the throwaway server did not start\n";
        return 1;
    }
    const fs::path folder =
        fs::temp_directory_path() / ("orvik-import-bench-files-" + std::to_string(getpid()));
    fs::create_directories(folder);
    PrintingPrompter prompter;
    CClient client(prompter, server.Login());
    if (!client.Connect("127.0.0.1")) return 1;
    Bench bench{argc > 1 ? argv[1] : ORVIK_CLI, client, server.Folder().string(), server.Port()};
    const Figures ten = Measure(bench, 10000, folder);
    const Figures thirty = Measure(bench, 30000, folder);
    fs::remove_all(folder);
    std::cout << bench.cli << " import employees, whole process (median of " << kRuns << ")\n"
              << "  10,000 new:        " << ten.fresh << " ms (goal <= " << kGoalNewMs << " ms; "
              << ten.fresh / kGoalNewMs << " of the goal)\n"
              << "  10,000 re-import:  " << ten.again << " ms (goal <= " << kGoalAgainMs << " ms; "
              << ten.again / kGoalAgainMs << " of the goal)\n"
              << "  mariadb bulk load of the same 10,000: " << ten.bulk << " ms\n"
              << "  new / bulk load: " << ten.fresh / ten.bulk
              << ", re-import / bulk load: " << ten.again / ten.bulk << "\n"
              << "  30,000 new:        " << thirty.fresh << " ms (" << thirty.fresh / ten.fresh
              << " x the 10,000; linear is 3)\n"
              << "  30,000 re-import:  " << thirty.again << " ms (" << thirty.again / ten.again
              << " x the 10,000; linear is 3)\n"
              << "  mariadb bulk load of the same 30,000: " << thirty.bulk << " ms\n"
              << "  new / bulk load: " << thirty.fresh / thirty.bulk
              << ", re-import / bulk load: " << thirty.again / thirty.bulk << "\n"
              << (bench.clean ? "" : "NOT every run was clean (see above)\n");
    return bench.clean && prompter.m_messages == 0 ? 0 : 1;
}
