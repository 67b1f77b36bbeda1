// Filling a list of 100,000 rows x 16 columns from a query result and sorting
// it by a numeric column: wall time of each step and the peak resident memory
// of the process (the result table itself included, as the connection holds it).
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "base/ResultTable.h"
#include "datalist/DataList.h"

namespace {

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

ResultTable MakeResult(int rows) {
    ResultTable r;
    r.m_columnNames = {"NUME",         "PRENUME",    "CNP",         "CF",
                       "CAS",          "INTRARE",    "IESIRE",      "SALARIU",
                       "ASIG_DATORAT", "ASIG_VIRAT", "ANG_DATORAT", "ANG_VIRAT",
                       "LUNA",         "FORMA",      "ZZ_CONT",     "ZZ_DATA"};
    r.m_columnKinds = {"C", "C", "N", "N", "C", "N", "N", "N",
                       "N", "N", "N", "N", "N", "C", "C", "D"};
    std::mt19937 random(7);
    r.m_values.reserve(static_cast<std::size_t>(rows) * 16);
    for (int i = 0; i < rows; ++i) {
        const unsigned salary = random() % 2000000;
        r.m_values.push_back("POPESCU-" + std::to_string(random() % 100000));
        r.m_values.push_back("ION ALEXANDRU");
        r.m_values.push_back(std::to_string(1800101000000ULL + random() % 999999));
        r.m_values.push_back("12345678");
        r.m_values.push_back("CAS_B");
        r.m_values.push_back(std::to_string(20000101 + random() % 90000));
        r.m_values.push_back("0");
        r.m_values.push_back(std::to_string(salary / 100) + "." + std::to_string(salary % 100));
        r.m_values.push_back(std::to_string(salary / 1000));
        r.m_values.push_back(std::to_string(salary / 1000));
        r.m_values.push_back(std::to_string(salary / 500));
        r.m_values.push_back(std::to_string(salary / 500));
        r.m_values.push_back("200905");
        r.m_values.push_back("CIM");
        r.m_values.push_back("admin");
        r.m_values.push_back("2009-05-01 10:11:12");
    }
    r.m_rowCount = rows;
    return r;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main() {
    constexpr int kRows = 100000;
    const long baseKb = PeakKilobytes();
    const ResultTable result = MakeResult(kRows);
    const long resultKb = PeakKilobytes();

    std::vector<double> fills, sorts;
    for (int run = 0; run < 5; ++run) {
        DataList list;
        auto start = std::chrono::steady_clock::now();
        list.FillFromResult(result);
        fills.push_back(Seconds(start));
        start = std::chrono::steady_clock::now();
        list.HeaderClick(list.ColumnIndex("SALARIU"), false);
        sorts.push_back(Seconds(start));
        if (list.RowCount() != kRows) return 1;
    }
    std::sort(fills.begin(), fills.end());
    std::sort(sorts.begin(), sorts.end());
    const long peakKb = PeakKilobytes();
    std::printf("rows %d x 16 columns\n", kRows);
    std::printf("fill   median %.3f s (best %.3f s)\n", fills[2], fills[0]);
    std::printf("sort   median %.3f s (best %.3f s)\n", sorts[2], sorts[0]);
    std::printf("fill+sort median %.3f s\n", fills[2] + sorts[2]);
    std::printf("peak RSS %.1f MB (start %.1f MB, with the result table %.1f MB)\n",
                peakKb / 1024.0, baseKb / 1024.0, resultKb / 1024.0);
    return 0;
}
