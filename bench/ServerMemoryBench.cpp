// The installation's server settings against a full installation: 100
// companies, 60,000 employees (10,000 of them in one company) and 600,000
// monthly sums. Measures the annex files of the large company as a whole
// process with the server running (median of several runs), and the server's
// resident memory after a month's work: an import, the files, a copy saved
// and restored (a few times, since memory grew with each restore).
//
//   bench_server_memory [name=value ...]
//
// Each name=value is given to the server on its command line, over the
// installation's my.cnf, so candidate settings can be tried without a build.
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "CliInstallation.h"
#include "base/Prompter.h"
#include "db/CClient.h"
#include "db/InstallationPaths.h"

namespace {

constexpr int kFileRuns = 7;
constexpr int kCycles = 3;
constexpr int kImported = 3000;
constexpr double kGoalFilesMs = 150;
constexpr double kGoalMemoryMb = 160;
const char* const kLarge = "1001";
const char* const kMonth = "200905";

class QuietPrompter : public Prompter {
public:
    void ShowMessage(const std::string&, MessageKind) override {}
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> ChooseFolder(const std::string&) override { return {}; }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return {}; }
};

// Starts the installation's server with `extra` options and waits for it to
// answer.
bool StartServer(const bench::Installation& installation, const std::vector<std::string>& extra) {
    std::string command = "cd '" + installation.Folder() +
                          "' && ./server/bin/mysqld --defaults-file=server/bin/my.cnf";
    for (const auto& option : extra) command += " '--" + option + "'";
    command += " > /dev/null 2>&1 &";
    if (std::system(command.c_str()) != 0) return false;
    QuietPrompter quiet;
    for (int attempt = 0; attempt < 600; ++attempt) {
        CClient probe(quiet, InstallationLogin(installation.Folder()).value_or(ServerLogin{}));
        if (probe.Connect("127.0.0.1") && installation.ServerPid() != 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

// What the server itself counts as allocated (the rest of its resident memory
// is the allocator's free lists and the code).
double Status(const std::string& folder, const std::string& name) {
    QuietPrompter quiet;
    CClient client(quiet, InstallationLogin(folder).value_or(ServerLogin{}));
    if (!client.Connect("127.0.0.1") ||
        !client.Query("SHOW GLOBAL STATUS LIKE '" + name + "'", true) || client.RowCount() != 1)
        return -1;
    return std::atof(client.GetValue(0, "VALUE").c_str());
}

double AccountedMb(const std::string& folder) {
    return Status(folder, "Memory_used") / 1048576.0;
}

double RssMb(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return -1;
}

// The installation's data, written in bulk by the server itself.
bool Fill(const std::string& folder) {
    QuietPrompter quiet;
    CClient client(quiet, InstallationLogin(folder).value_or(ServerLogin{}));
    if (!client.Connect("127.0.0.1")) return false;
    const char* const statements[] = {
        "INSERT INTO asigurati.societati (cf, denumire, reg_com, repr, ziua_lic, jud) SELECT "
        "1000 + seq, CONCAT('SOCIETATEA ', seq, ' SRL'), 'J40/1234/2003', 'POPESCU ION', '10', "
        "'MB' FROM asigurati.seq_1_to_100",
        "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, intrare, iesire, forma) "
        "SELECT IF(seq <= 10000, 1001, 1002 + seq % 99), 'CAS_B', CONCAT('NUME', seq % 997), "
        "CONCAT('PRENUME', seq), 1800101000000 + seq, 20080101, IF(seq % 10 = 0, 20090715, 0), "
        "'S' FROM asigurati.seq_1_to_60000",
        "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, asig_datorat, asig_virat) "
        "SELECT a.index, a.cf, a.cnp, 200900 + m.seq, 3000 + a.index % 1000, 165, 160 "
        "FROM asigurati.asigurati AS a, asigurati.seq_1_to_10 AS m",
        "INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp, nume, prenume, tip) SELECT a.cf, "
        "a.cnp, a.cnp + 1000000000000, a.nume, 'COASIGURAT', 'S' FROM asigurati.asigurati AS a "
        "WHERE a.index % 3 = 0",
        "INSERT INTO asigurati.sume_societati (cf, luna, fond_de_salarii, datorat, virat) "
        "SELECT s.cf, 200900 + m.seq, 30000000, 1560000, 1500000 FROM asigurati.societati AS s, "
        "asigurati.seq_1_to_10 AS m",
        "ANALYZE TABLE asigurati.societati, asigurati.asigurati, asigurati.sume, "
        "asigurati.coasigurati, asigurati.sume_societati",
    };
    for (const char* statement : statements)
        if (!client.Query(statement, false)) {
            std::cerr << "fill failed: " << statement << "\n";
            return false;
        }
    return true;
}

struct Figures {
    double filesMs = -1;
    double pagesRead = 0;  // from disk, per warm run
    std::vector<std::pair<std::string, double>> memory;
    std::vector<double> accounted;
    double peakMb = 0;
};

bool MonthOfWork(const bench::Installation& installation, Figures& figures) {
    const pid_t server = installation.ServerPid();
    const auto note = [&](const std::string& step) {
        const double mb = RssMb(server);
        figures.memory.emplace_back(step, mb);
        figures.accounted.push_back(AccountedMb(installation.Folder()));
        if (mb > figures.peakMb) figures.peakMb = mb;
    };
    note("started");
    const std::string out = installation.Folder() + "/anexe";
    const std::vector<std::string> files = {"health", "files", "--cf",  kLarge, "--month",
                                            kMonth,   "--all", "--dir", out};
    if (installation.TimedCli(files) < 0) return false;  // the first run warms the pool
    const double readsBefore = Status(installation.Folder(), "Innodb_buffer_pool_reads");
    std::vector<double> runs;
    for (int run = 0; run < kFileRuns; ++run) {
        const double ms = installation.TimedCli(files);
        if (ms < 0) return false;
        runs.push_back(ms);
    }
    figures.filesMs = Median(runs);
    figures.pagesRead =
        (Status(installation.Folder(), "Innodb_buffer_pool_reads") - readsBefore) / kFileRuns;
    note("health files");
    const std::string payroll = installation.Folder() + "/salarii.dbf";
    if (!bench::WritePayroll(payroll, "12345674", kImported, kMonth)) return false;
    if (installation.Cli({"import", "employees", payroll, "--company-name", "ALFA SRL",
                          "--payment-day", "10"}) != 0)
        return false;
    note("import");
    if (installation.TimedCli(files) < 0) return false;
    note("health files");
    const std::string copy = installation.Folder() + "/copie.sql.gz";
    for (int cycle = 1; cycle <= kCycles; ++cycle) {
        std::filesystem::remove(copy);
        if (installation.Cli({"backup", "save", copy}) != 0) return false;
        note("backup save " + std::to_string(cycle));
        if (installation.Cli({"backup", "restore", copy, "--yes"}) != 0) return false;
        note("backup restore " + std::to_string(cycle));
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> extra(argv + 1, argv + argc);
    bench::Installation installation("memory");
    if (!installation.Ready() || !StartServer(installation, extra)) {
        std::cerr << "the installation could not be prepared\n";
        return 1;
    }
    if (!Fill(installation.Folder())) return 1;
    // The month starts with the server as a user's day starts it.
    installation.StopServer();
    if (!StartServer(installation, extra)) return 1;
    Figures figures;
    if (!MonthOfWork(installation, figures)) {
        std::cerr << "a command failed\n";
        return 1;
    }
    std::printf("settings over my.cnf:");
    for (const auto& option : extra) std::printf(" %s", option.c_str());
    std::printf("%s\n", extra.empty() ? " (none)" : "");
    for (size_t i = 0; i < figures.memory.size(); ++i)
        std::printf("  server memory after %-18s %6.1f MB (counted by the server %5.1f MB)\n",
                    figures.memory[i].first.c_str(), figures.memory[i].second,
                    figures.accounted[i]);
    std::printf(
        "health files, company of 10,000 of 60,000, median of %d warm runs: %.0f ms "
        "(%.0f pages read from disk a run); goal <= %.0f ms -> %s\n",
        kFileRuns, figures.filesMs, figures.pagesRead, kGoalFilesMs,
        figures.filesMs <= kGoalFilesMs ? "met" : "NOT met");
    std::printf(
        "server memory, highest after the month's work (%d save/restore cycles): %.1f MB; "
        "goal <= %.0f MB -> %s\n",
        kCycles, figures.peakMb, kGoalMemoryMb,
        figures.peakMb <= kGoalMemoryMb ? "met" : "NOT met");
    return 0;
}
