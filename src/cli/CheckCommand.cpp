// orvik-cli check cnp|cui|iban VALUE...
// One line per value, "VALUE\tok" or "VALUE\tinvalid"; exit status 0 only
// when every value is valid, so a script can stop on the first bad batch.
#include <iostream>
#include <string_view>

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "domain/Identifiers.h"

namespace {

using Check = bool (*)(std::string_view);

Check CheckForKind(const std::string& kind) {
    if (kind == "cnp") return &IsValidCnp;
    if (kind == "cui") return &IsValidFiscalCode;
    if (kind == "iban") return &IsValidBankAccount;
    return nullptr;
}

constexpr const char* kUsage = "check cnp|cui|iban VALOARE...";
const CliReport kReport{"check", kUsage};

// Every argument after the kind is a value to judge, whatever it looks like:
// a script checking a column of values gets one verdict per value.
int RunCheck(const CliArgs& args) {
    Check check = args.empty() ? nullptr : CheckForKind(args[0]);
    if (check == nullptr || args.size() < 2) {
        std::cerr << kReport.UsageText() << "\n";
        return 2;
    }
    bool allValid = true;
    for (std::size_t i = 1; i < args.size(); ++i) {
        bool valid = check(args[i]);
        allValid = allValid && valid;
        std::cout << args[i] << '\t' << (valid ? "ok" : "invalid") << '\n';
    }
    std::cout.flush();
    return allValid ? 0 : 1;
}

const CliCommandRegistrar kRegistrar{"check", kUsage, &RunCheck};

}  // namespace
