// The schema ladder at a normal start (database already at the current
// version): what every start of the program pays before the main window is
// usable, and the share of the layout check in it. Starts its own throwaway
// server from sql/ in a temporary folder.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "BenchSupport.h"
#include "db/CClient.h"
#include "db/LayoutCompletion.h"
#include "db/SchemaUpgrade.h"

namespace {

ServerLogin g_login;

void BM_UpgradeAtCurrentVersion(benchmark::State& state) {
    PrintingPrompter prompter;
    CClient client(prompter, g_login);
    if (!client.Connect("127.0.0.1")) return state.SkipWithError("no connection");
    for (auto _ : state)
        if (!UpgradeSchema(client)) return state.SkipWithError("upgrade failed");
}
BENCHMARK(BM_UpgradeAtCurrentVersion)->Unit(benchmark::kMillisecond);

void BM_LayoutCheckOnly(benchmark::State& state) {
    PrintingPrompter prompter;
    CClient client(prompter, g_login);
    if (!client.Connect("127.0.0.1")) return state.SkipWithError("no connection");
    for (auto _ : state) CompleteLayout(client);
}
BENCHMARK(BM_LayoutCheckOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    ThrowawayServer server("ladder-bench");
    if (server.Port() == 0) return 1;
    g_login = server.Login();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return server.Stop() ? 0 : 1;
}
