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

#include "db/CClient.h"
#include "db/LayoutCompletion.h"
#include "db/SchemaUpgrade.h"

namespace {

// Any message here means the ladder did not take its normal path.
class PrintingPrompter : public Prompter {
public:
    void ShowMessage(const std::string& text, MessageKind) override { std::cerr << text << "\n"; }
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> ChooseFolder(const std::string&) override { return {}; }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return {}; }
};

int g_port = 0;

void BM_UpgradeAtCurrentVersion(benchmark::State& state) {
    PrintingPrompter prompter;
    CClient client(prompter, g_port);
    if (client.Connect("127.0.0.1") != 0) return state.SkipWithError("no connection");
    for (auto _ : state)
        if (UpgradeSchema(client) != 0) return state.SkipWithError("upgrade failed");
}
BENCHMARK(BM_UpgradeAtCurrentVersion)->Unit(benchmark::kMillisecond);

void BM_LayoutCheckOnly(benchmark::State& state) {
    PrintingPrompter prompter;
    CClient client(prompter, g_port);
    if (client.Connect("127.0.0.1") != 0) return state.SkipWithError("no connection");
    for (auto _ : state) CompleteLayout(client);
}
BENCHMARK(BM_LayoutCheckOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const std::string script = std::string(ORVIK_SOURCE_DIR) + "/tests/support/test-server.sh";
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("orvik-ladder-bench-" + std::to_string(getpid()));
    if (std::system((script + " start " + folder.string()).c_str()) != 0) return 1;
    std::ifstream(folder / "port") >> g_port;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return std::system((script + " stop " + folder.string()).c_str()) == 0 ? 0 : 1;
}
