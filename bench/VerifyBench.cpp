// Verification of an annex A file of 100,000 records: reading it into the list and checking
// every record, each share on its own, then marking the list as the window does; beside it
// shapelib's dbfdump printing the same file. Medians of several runs, in milliseconds.
//   bench_verify [RUNS]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "datalist/DataList.h"
#include "dbf/DbfReader.h"
#include "dbf/DbfWriter.h"
#include "domain/Identifiers.h"
#include "import/VerifyReport.h"

namespace {

constexpr int kRecords = 100000;

// A valid CNP for each number: the control digit found by the check itself.
std::string CnpOf(int i) {
    const std::string base = std::to_string(180010100000LL + i);
    for (char control = '0'; control <= '9'; ++control)
        if (IsValidCnp(base + control)) return base + control;
    return base + "0";
}

const char* const kFields[][3] = {
    {"LN", "N", "2"},       {"AN", "N", "4"},   {"CF", "C", "13"},   {"RJ", "C", "3"},
    {"RN", "N", "5"},       {"RA", "N", "4"},   {"CNP", "N", "13"},  {"NUME", "C", "30"},
    {"PRENUME", "C", "30"}, {"CAT", "C", "3"},  {"ANG", "D", "8"},   {"PL", "D", "8"},
    {"SDL", "N", "12"},     {"SVL", "N", "12"}, {"NREP", "C", "30"}, {"PREP", "C", "30"}};

// Every 50th record has a form the houses do not know, so the marking has work to do.
bool WriteAnnexA(const std::string& path) {
    DbfTableSpec spec;
    DataList list;
    for (const auto& field : kFields) {
        AddDbfField(spec, field[0], field[1], std::atoi(field[2]), 0);
        list.AppendColumn(field[0], field[1][0] == 'N' ? "N" : "C", 100, 0);
    }
    list.ReserveRows(kRecords);
    for (int i = 0; i < kRecords; ++i) {
        const std::string cnp = CnpOf(i), n = std::to_string(i);
        const std::string sums = std::to_string(1000 + i % 5000);
        const std::string surname = "IONESCU-" + n, name = "MARIA " + n;
        const std::string_view cells[] = {"7",        "2009",
                                          "12345674", "J40",
                                          "1234",     "2003",
                                          cnp,        surname,
                                          name,       i % 50 ? "S" : "XX",
                                          "20090315", i % 10 ? "0" : "20090720",
                                          sums,       "100",
                                          "POPESCU",  "ION"};
        list.AddRowCells(std::vector<std::string_view>(std::begin(cells), std::end(cells)));
    }
    std::string error;
    if (!WriteDbfFile(path, &list, &spec, nullptr, &error)) std::cerr << error << "\n";
    return error.empty();
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const auto folder = std::filesystem::temp_directory_path() / "orvik-verify-bench";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "1A_0709_12345674.dbf").string();
    if (!WriteAnnexA(path)) return 1;

    std::vector<double> read, check, whole, mark, dump;
    int faulty = 0;
    for (int run = 0; run < runs; ++run) {
        {
            DataList list;
            DbfTableSpec spec;
            auto start = Clock::now();
            if (!ReadDbfFile(path, list, spec)) return 1;
            read.push_back(Ms(start));
            start = Clock::now();
            const FileVerdict verdict = VerifyTable(VerifiedKind::AnnexA, spec, list);
            check.push_back(Ms(start));
            faulty = verdict.FaultyCount();
        }
        DataList list;
        auto start = Clock::now();
        const VerifiedFile file = ReadAndVerify(VerifiedKind::AnnexA, path, list);
        whole.push_back(Ms(start));
        start = Clock::now();
        ApplyVerdict(list, file);
        mark.push_back(Ms(start));
        start = Clock::now();
        if (std::system(("dbfdump '" + path + "' > /dev/null").c_str()) != 0)
            dump.push_back(-1);
        else
            dump.push_back(Ms(start));
    }
    std::printf("annex A, %d records, %d faulty, %ju bytes, median of %d runs\n", kRecords, faulty,
                static_cast<std::uintmax_t>(std::filesystem::file_size(path)), runs);
    std::printf("  reading into the list   %8.1f ms\n", Median(read));
    std::printf("  checking the records    %8.1f ms\n", Median(check));
    std::printf("  read and verify         %8.1f ms  (goal under 150 ms)\n", Median(whole));
    std::printf("  marking the list        %8.1f ms\n", Median(mark));
    std::printf("  dbfdump > /dev/null     %8.1f ms\n", Median(dump));
    std::filesystem::remove_all(folder);
    return 0;
}
