// Import of 10,000 employees with a month of sums from one payroll file, on
// its own throwaway server, with every per-row rule kept (checks, look-ups,
// guarded inserts, a savepoint per row), against the server's own bulk load
// of the same rows (multi-row INSERTs in one transaction), in milliseconds.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "datalist/DataList.h"
#include "db/CClient.h"
#include "dbf/DbfTableSpec.h"
#include "dbf/DbfWriter.h"
#include "import/ImportFile.h"
#include "import/ImportSave.h"

namespace {

constexpr int kEmployees = 10000;
constexpr int kRuns = 3;
const char* const kCompany = "12345674";

std::string Cnp(int n) {
    const std::string cnp =
        "18001" + std::string(7 - std::to_string(n).size(), '0') + std::to_string(n);
    const char* key = "279146358279";
    int sum = 0;
    for (int i = 0; i < 12; ++i) sum += (cnp[i] - '0') * (key[i] - '0');
    return cnp + static_cast<char>('0' + (sum % 11 == 10 ? 1 : sum % 11));
}

std::string Salary(int n) {
    return std::to_string(1500 + n % 1000);
}

bool WritePayroll(const std::string& path) {
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
        list.AppendColumn(f.name, f.type, 100, 0);
        AddDbfField(spec, f.name, f.type, f.length, f.decimals);
    }
    for (int i = 0; i < kEmployees; ++i) {
        const std::vector<std::string> row = {kCompany,
                                              "CASAB",
                                              Cnp(i),
                                              "NUME" + std::to_string(i % 997),
                                              "PRENUME" + std::to_string(i),
                                              "20050101",
                                              "S",
                                              Salary(i),
                                              "82.50",
                                              "82.50",
                                              "78.00",
                                              "78.00",
                                              "200907"};
        list.AddRowCells(std::vector<std::string_view>(row.begin(), row.end()));
    }
    return WriteDbfFile(path, &list, &spec);
}

bool Empty(CClient& client) {
    for (const char* table :
         {"societati", "asigurati", "sume", "zlog_societati", "zlog_asigurati", "zlog_sume"})
        if (client.Query(std::string("TRUNCATE TABLE asigurati.") + table, false) != 0)
            return false;
    return true;
}

// The import as the window runs it: open, then save.
double TimeImport(CClient& client, const std::string& path, bool& clean) {
    const auto start = Clock::now();
    DataList list;
    ImportFile file(ImportKind::Employees);
    if (!file.Open(client, path, list)) return clean = false, 0;
    ImportRequest request;
    request.company.denumire = "ALFA SRL";
    request.company.ziuaLic = "10";
    const ImportResult result = SaveImport(client, file, list, request);
    clean = clean && result.end == SaveEnd::Finished && result.Count(RowEnd::Taken) == kEmployees;
    return Ms(start);
}

// The same rows through the server's own bulk path, in one transaction.
double TimeBulkLoad(CClient& client) {
    const auto start = Clock::now();
    client.Query("START TRANSACTION", false);
    client.Query(std::string("INSERT INTO asigurati.societati (cf, denumire, ziua_lic) VALUES (") +
                     kCompany + ", 'ALFA SRL', '10')",
                 false);
    for (int first = 0; first < kEmployees; first += 1000) {
        std::string sql =
            "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, forma, "
            "intrare) VALUES ";
        for (int i = first; i < first + 1000 && i < kEmployees; ++i)
            sql += std::string(i == first ? "" : ",") + "(" + kCompany + ", 'CASAB', 'NUME" +
                   std::to_string(i % 997) + "', 'PRENUME" + std::to_string(i) + "', " + Cnp(i) +
                   ", 'S', 20050101)";
        client.Query(sql, false);
    }
    client.Query(
        "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, asig_datorat, "
        "asig_virat, ang_datorat, ang_virat) SELECT a.index, a.cf, a.cnp, 200907, "
        "1500 + (a.index - 1) % 1000, 82.5, 82.5, 78, 78 FROM asigurati.asigurati AS a",
        false);
    client.Query("COMMIT", false);
    return Ms(start);
}

}  // namespace

int main() {
    ThrowawayServer server("import-bench");
    if (server.Port() == 0) {
        std::cerr << "the throwaway server did not start\n";
        return 1;
    }
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("orvik-import-" + std::to_string(getpid()) + ".dbf"))
                                 .string();
    if (!WritePayroll(path)) return 1;
    PrintingPrompter prompter;
    CClient client(prompter, server.Login());
    if (client.Connect("127.0.0.1") != 0) return 1;
    std::vector<double> fresh, again, bulk;
    bool clean = true;
    for (int run = 0; run < kRuns; ++run) {
        if (!Empty(client)) return 1;
        fresh.push_back(TimeImport(client, path, clean));
        again.push_back(TimeImport(client, path, clean));
        if (!Empty(client)) return 1;
        bulk.push_back(TimeBulkLoad(client));
    }
    std::remove(path.c_str());
    std::cout << "import of " << kEmployees << " new employees with their sums: " << Median(fresh)
              << " ms (median of " << kRuns << ")\n"
              << "the same file again (every person and sum updated): " << Median(again) << " ms\n"
              << "bulk load of the same rows (multi-row INSERT): " << Median(bulk) << " ms\n"
              << "import / bulk load: " << Median(fresh) / Median(bulk) << "\n"
              << "messages shown: " << prompter.m_messages << " (the final message of each save)"
              << (clean ? "" : "; NOT every row was taken") << "\n";
    return clean && prompter.m_messages == 2 * kRuns ? 0 : 1;
}
