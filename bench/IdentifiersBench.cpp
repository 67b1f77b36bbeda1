// Checks per second of the identifier rules that imports and verifications
// run once per record of files with thousands of rows.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "domain/Identifiers.h"

namespace {

// A mix of valid and invalid codes, so neither path is favoured.
const std::vector<std::string> kCnps = {"1800101221144", "1800101221145", "1945807302151",
                                        "2960229400124", "18A0101221144", "0000000000000",
                                        "1991301400129", "5040615123457"};
const std::vector<std::string> kAccounts = {"RO12RNCB0082004402390001", "ro12rncb0082004402390001",
                                            "RO17BTRL01301205S62439XX", "RO17BTRL01301205S62439XY",
                                            "RO21RNCB0082004402390001", "RO49AAAA1B31007593840000"};
const std::vector<std::string> kFiscalCodes = {"18547290",  " 0018547290",   "58537350",
                                               "123456788", "1800101221144", "27"};

template <bool (*Check)(std::string_view)>
void RunChecks(benchmark::State& state, const std::vector<std::string>& codes) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Check(codes[i]));
        i = i + 1 == codes.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_IsValidCnp(benchmark::State& state) {
    RunChecks<&IsValidCnp>(state, kCnps);
}
void BM_IsValidBankAccount(benchmark::State& state) {
    RunChecks<&IsValidBankAccount>(state, kAccounts);
}
void BM_IsValidFiscalCode(benchmark::State& state) {
    RunChecks<&IsValidFiscalCode>(state, kFiscalCodes);
}

BENCHMARK(BM_IsValidCnp);
BENCHMARK(BM_IsValidBankAccount);
BENCHMARK(BM_IsValidFiscalCode);

}  // namespace
