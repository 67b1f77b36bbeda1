// Step 2 of the monthly declaration for a company of 5,000 employees, on its
// own throwaway server: showing the month's list (the company selected in the
// window until the list is painted with its totals) and the carry-forward of
// every employee's sums from the month before, in milliseconds.
// Run offscreen: QT_QPA_PLATFORM=offscreen bench_sums
#include <QApplication>
#include <QLabel>

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
#include "db/CClient.h"
#include "health/MonthlySums.h"
#include "ui/DataListView.h"
#include "ui/LinkedLists.h"
#include "ui/health/EmployeeSumsWindow.h"

namespace {

constexpr int kEmployees = 5000;
constexpr int kRuns = 5;
const char* const kMonth = "200902";

// One company, 5,000 open employees hired before the month, each with the
// sums of the month before (a few with a later month too, never taken).
bool FillCompany(CClient& client) {
    if (!client.Query("INSERT INTO asigurati.societati (cf, denumire, ziua_lic, jud) VALUES "
                      "(12345674, 'ALFA CONSTRUCT SRL', '10', 'MB')",
                      false))
        return false;
    std::string people =
        "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, intrare, iesire, forma) "
        "VALUES ";
    for (int i = 0; i < kEmployees; ++i) {
        if (i) people += ",";
        people += "(12345674, 'CAS_B', 'NUME" + std::to_string(i % 997) + "', 'PRENUME" +
                  std::to_string(i) + "', " + std::to_string(1800101000000LL + i) + ", " +
                  (i % 50 == 0 ? "20090210" : "20050101") + ", " +
                  (i % 40 == 0 ? "20090215" : "0") + ", 'S')";
    }
    return client.Query(people, false) &&
           client.Query(
               "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, "
               "asig_datorat, asig_virat) SELECT a.index, a.cf, a.cnp, 200901, "
               "1000 + a.index, 55, 55 FROM asigurati.asigurati AS a",
               false) &&
           client.Query(
               "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu) SELECT "
               "a.index, a.cf, a.cnp, 200905, 99999 FROM asigurati.asigurati AS a "
               "WHERE a.index % 10 = 0",
               false);
}

struct Run {
    double show, carry;
};

Run Measure(CClient& client) {
    Run run{};
    (void)client.Query("DELETE FROM asigurati.sume WHERE luna=200902", false);
    EmployeeSumsWindow window(client, kMonth);
    window.show();
    QApplication::processEvents();
    auto* lists = window.findChild<LinkedLists*>();
    auto* total = window.findChild<QLabel*>("employeePaidTotal");

    auto start = Clock::now();
    lists->Master()->SelectRow(0, false);
    (void)window.grab();
    run.show = Ms(start);
    if (lists->Detail()->RowCount() != kEmployees) std::cerr << "not all employees listed\n";

    MonthlySums sums(client, kMonth);
    start = Clock::now();
    const Outcome carried = sums.CarryForward(lists->Detail()->List());
    run.carry = Ms(start);
    if (carried.Key() != kEmployees) std::cerr << "carried " << carried.Key() << " rows\n";
    (void)total;
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ThrowawayServer server("sums-bench");
    const int port = server.Port();
    if (port == 0) return 1;

    // Every question is answered Yes; any message means the run went wrong.
    PrintingPrompter prompter;
    prompter.m_answer = true;
    std::vector<double> show, carry;
    {
        CClient client(prompter, server.Login());
        if (!client.Connect("127.0.0.1") || !FillCompany(client)) return 1;
        for (int i = 0; i < kRuns; ++i) {
            const Run run = Measure(client);
            show.push_back(run.show);
            carry.push_back(run.carry);
        }
    }
    std::printf("step 2, one company of %d employees, median of %d runs\n", kEmployees, kRuns);
    std::printf("show the month's list    %8.1f ms\n", Median(show));
    std::printf("carry-forward            %8.1f ms\n", Median(carry));
    const bool clean = prompter.m_messages == 0;
    return server.Stop() && clean ? 0 : 1;
}
