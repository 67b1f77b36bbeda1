// Annex files 1A, 1B, 1C of a company with 10,000 employees, all with sums for
// the month and one in three with a dependant: the whole save of one house
// (from the first query to the last renamed file), and how it splits into the
// queries (with the fill of the hidden list) and the dBase writes. Starts its
// own throwaway server from sql/ in a temporary folder.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "datalist/DataList.h"
#include "db/CClient.h"
#include "dbf/DbfWriter.h"
#include "health/AnnexFiles.h"
#include "health/AnnexStatements.h"

namespace fs = std::filesystem;

namespace {

constexpr int kEmployees = 10000;
constexpr int kRuns = 7;

bool Load(CClient& client) {
    std::string sql =
        "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, intrare, iesire, forma) "
        "VALUES ";
    for (int i = 0; i < kEmployees; ++i) {
        if (i > 0) sql += ",";
        sql += "(12345678, 'CAS_B', 'NUME" + std::to_string(i % 997) + "', 'PRENUME" +
               std::to_string(i) + "', " + std::to_string(1800101000000LL + i) + ", 20080101, " +
               (i % 10 == 0 ? "20090715" : "0") + ", 'S')";
    }
    const char* const rest[] = {
        "INSERT INTO asigurati.societati (cf, denumire, reg_com, repr, ziua_lic, jud) VALUES "
        "(12345678, 'ALFA SRL', 'J40/1234/2003', 'POPESCU ION', '10', 'MB')",
        "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, asig_datorat, asig_virat) "
        "SELECT a.index, a.cf, a.cnp, 200907, 3000, 165, 160 FROM asigurati.asigurati AS a",
        "INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp, nume, prenume, tip) SELECT a.cf, "
        "a.cnp, a.cnp + 1000000000000, a.nume, 'COASIGURAT', 'S' FROM asigurati.asigurati AS a "
        "WHERE a.index % 3 = 0",
        "INSERT INTO asigurati.sume_societati (cf, luna, fond_de_salarii, datorat, virat) VALUES "
        "(12345678, 200907, 30000000, 1560000, 1500000)",
    };
    if (!client.Query(sql, false)) return false;
    for (const char* statement : rest)
        if (!client.Query(statement, false)) return false;
    return true;
}

struct Split {
    double query = 0;
    double write = 0;
};

// One annex the way WriteAnnex does it, timed in its two halves.
Split Measure(CClient& client, AnnexFiles& files, const AnnexCompany& company, Annex annex,
              const std::string& folder) {
    Split split;
    auto start = Clock::now();
    const auto values = MakeAnnexLiterals(client, files.Month(), company, "CAS_B");
    (void)client.Query(AnnexQuery(annex, *values), true);
    DataList list;
    list.FillFromResult(client.Result());
    split.query = Ms(start);
    start = Clock::now();
    DbfTableSpec spec = AnnexSpec(annex);
    WriteDbfFile(folder + "/x.dbf", &list, &spec);
    split.write = Ms(start);
    return split;
}

int RunBench(const ServerLogin& login, const std::string& folder) {
    PrintingPrompter prompter;
    CClient client(prompter, login);
    if (!client.Connect("127.0.0.1") || !Load(client)) return 1;
    AnnexFiles files(client, *ParseAnnexMonth("200907"));
    const auto company = files.LoadCompany("12345678");
    if (!company) return 1;

    std::vector<double> whole;
    std::vector<double> query[3], write[3];
    const Annex annexes[] = {Annex::A, Annex::B, Annex::C};
    for (int run = 0; run < kRuns; ++run) {
        std::vector<std::string> written;
        const auto start = Clock::now();
        const AnnexSaveRequest request{"12345678", {"CAS_B"}, false, folder, FileNaming::Legal};
        if (!files.WriteHouses(*company, request, written)) return 1;
        whole.push_back(Ms(start));
        for (int i = 0; i < 3; ++i) {
            const Split split = Measure(client, files, *company, annexes[i], folder);
            query[i].push_back(split.query);
            write[i].push_back(split.write);
        }
    }
    std::printf("annex files of one house, %d employees, median of %d runs\n", kEmployees, kRuns);
    std::printf("1A + 1B + 1C, first query to last rename  %8.1f ms\n", Median(whole));
    double queries = 0, writes = 0;
    for (int i = 0; i < 3; ++i) {
        std::printf("  %s  query + list %7.1f ms   write %7.1f ms\n", AnnexTitle(annexes[i]),
                    Median(query[i]), Median(write[i]));
        queries += Median(query[i]);
        writes += Median(write[i]);
    }
    std::printf("share: queries %.0f%%, writes %.0f%%\n", 100 * queries / (queries + writes),
                100 * writes / (queries + writes));
    return 0;
}

}  // namespace

int main() {
    ThrowawayServer server("annex-bench");
    if (server.Port() == 0) return 1;
    const fs::path output =
        fs::temp_directory_path() / ("orvik-annex-files-" + std::to_string(getpid()));
    fs::create_directories(output);
    const int status = RunBench(server.Login(), output.string());
    fs::remove_all(output);
    return status;
}
