// Recalculating a certificate of a 180-day leave, as the certificate editor
// does after every change of a field: with the holidays already in memory,
// with them read in one query, and with one holiday query per weekday as the
// leave's days were once looked up. Starts its own throwaway server from sql/.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "BenchSupport.h"
#include "db/CClient.h"
#include "domain/Dates.h"
#include "leave/HolidayCalendar.h"
#include "leave/LeaveCalculation.h"

namespace {

ServerLogin g_login;

// 4 January to 1 July 2010: 180 days over Easter, 1 May and Whitsun.
CertificateFields LongLeave() {
    CertificateFields fields;
    fields.declarationMonth = "201007";
    fields.employees = "50";
    fields.indemnityCode = "01";
    fields.start = {"04", "01", "2010"};
    fields.end = {"01", "07", "2010"};
    fields.income = "2906";
    fields.incomeDays = "122";
    fields.percent = "75";
    return fields;
}

void BM_HolidaysInMemory(benchmark::State& state) {
    PrintingPrompter prompter;
    CClient client(prompter, g_login);
    if (!client.Connect("127.0.0.1")) return state.SkipWithError("no connection");
    const CertificateFields fields = LongLeave();
    const auto period = PeriodOf(fields.start, fields.end);
    LoadedHolidays holidays = LoadHolidays(client, period->first, period->last);
    for (auto _ : state) benchmark::DoNotOptimize(RecalculateCertificate(fields, holidays));
}
BENCHMARK(BM_HolidaysInMemory)->Unit(benchmark::kMicrosecond);

void BM_OneHolidayQuery(benchmark::State& state) {
    PrintingPrompter prompter;
    CClient client(prompter, g_login);
    if (!client.Connect("127.0.0.1")) return state.SkipWithError("no connection");
    const CertificateFields fields = LongLeave();
    for (auto _ : state) benchmark::DoNotOptimize(RecalculateCertificate(fields, client));
}
BENCHMARK(BM_OneHolidayQuery)->Unit(benchmark::kMicrosecond);

void BM_OneQueryPerWeekday(benchmark::State& state) {
    PrintingPrompter prompter;
    CClient client(prompter, g_login);
    if (!client.Connect("127.0.0.1")) return state.SkipWithError("no connection");
    const CertificateFields fields = LongLeave();
    long long queries = 0;
    for (auto _ : state) {
        QueriedHolidays dayByDay(client);
        benchmark::DoNotOptimize(RecalculateCertificate(fields, dayByDay));
        queries = dayByDay.Queries();
    }
    state.counters["queries"] = static_cast<double>(queries);
}
BENCHMARK(BM_OneQueryPerWeekday)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    ThrowawayServer server("leave-bench");
    if (server.Port() == 0) return 1;
    g_login = server.Login();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return server.Stop() ? 0 : 1;
}
