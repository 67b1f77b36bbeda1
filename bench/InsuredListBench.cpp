// The insured list of a company with 5,000 employees: filled from a result
// shaped like asigurati.asigurati with the register's layout and red rows,
// painted, scrolled page by page, and sorted by name, in milliseconds.
// Run offscreen: QT_QPA_PLATFORM=offscreen bench_insured_list
#include <QApplication>
#include <QScrollBar>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "base/ResultTable.h"
#include "datalist/ListLayout.h"
#include "db/RecordRows.h"
#include "health/InsuredRegister.h"
#include "ui/DataListView.h"

namespace {

constexpr int kRows = 5000;
constexpr int kRuns = 5;

// One person in eight has left: their rows are drawn red.
ResultTable MakeResult() {
    ResultTable r;
    r.m_columnNames = {"INDEX", "CF",      "CAS",    "NUME",    "PRENUME", "CNP",
                       "FORMA", "INTRARE", "IESIRE", "ZZ_CONT", "ZZ_DATA"};
    r.m_columnKinds = {"N", "N", "C", "C", "C", "N", "C", "N", "N", "C", "D"};
    const char* const surnames[] = {"POPESCU", "IONESCU", "VASILE", "GEORGESCU", "MARINESCU"};
    std::mt19937 random(11);
    for (int i = 0; i < kRows; ++i) {
        const bool gone = random() % 8 == 0;
        r.m_values.push_back(std::to_string(i + 1));
        r.m_values.push_back("12345674");
        r.m_values.push_back(i % 3 ? "CAS_B" : "CASAB");
        r.m_values.push_back(std::string(surnames[random() % 5]) + "-" +
                             std::to_string(random() % 10000));
        r.m_values.push_back("ION ALEXANDRU");
        r.m_values.push_back(std::to_string(1800101000000ULL + random() % 999999));
        r.m_values.push_back("S");
        r.m_values.push_back(std::to_string(20100101 + random() % 140000));
        r.m_values.push_back(gone ? "20240331" : "0");
        r.m_values.push_back("admin");
        r.m_values.push_back("2024-05-01 10:11:12");
    }
    r.m_rowCount = kRows;
    return r;
}

struct Run {
    double fill, firstPaint, scrollPage, sort, sortedPaint;
};

Run Measure(const ResultTable& result) {
    Run run{};
    DataListView view;
    view.EnableSorting(true);
    view.resize(900, 480);
    view.show();
    QApplication::processEvents();

    auto start = Clock::now();
    DataList& list = view.List();
    list.FillFromResult(result);
    ApplyListLayout<InsuredRecord>(list, InsuredRegister::Columns());
    ColourInsuredRows(list);
    run.fill = Ms(start);

    start = Clock::now();
    (void)view.grab();
    run.firstPaint = Ms(start);

    // Page by page to the end, as a user holding Page Down does.
    QScrollBar* bar = view.verticalScrollBar();
    int pages = 0;
    start = Clock::now();
    for (int value = 0; value <= bar->maximum(); value += bar->pageStep(), ++pages) {
        bar->setValue(value);
        (void)view.grab();
    }
    run.scrollPage = Ms(start) / std::max(1, pages);

    start = Clock::now();
    view.ClickHeader(list.ColumnIndex("NUME"), false);
    run.sort = Ms(start);
    start = Clock::now();
    (void)view.grab();
    run.sortedPaint = Ms(start);
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const ResultTable result = MakeResult();
    std::vector<double> fill, paint, scroll, sort, sortedPaint;
    for (int i = 0; i < kRuns; ++i) {
        const Run run = Measure(result);
        fill.push_back(run.fill);
        paint.push_back(run.firstPaint);
        scroll.push_back(run.scrollPage);
        sort.push_back(run.sort);
        sortedPaint.push_back(run.sortedPaint);
    }
    std::printf("insured list, %d rows, median of %d runs\n", kRows, kRuns);
    std::printf("fill + layout + colours  %7.2f ms\n", Median(fill));
    std::printf("first paint              %7.2f ms\n", Median(paint));
    std::printf("scroll, one page painted %7.2f ms\n", Median(scroll));
    std::printf("sort by NUME             %7.2f ms\n", Median(sort));
    std::printf("paint after the sort     %7.2f ms\n", Median(sortedPaint));
    std::printf("open (fill + paint)      %7.2f ms\n", Median(fill) + Median(paint));
    return 0;
}
