// orvik-cli check as a shell script uses it: one line per value and an exit
// status that tells whether every value was valid.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct RunResult {
    std::string output;
    int status = -1;
};

RunResult RunCli(const std::string& arguments) {
    std::string command = std::string("'") + ORVIK_CLI + "' " + arguments + " 2>/dev/null";
    RunResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[512];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, got);
    int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

TEST(CheckCommand, OutputAndExitStatus) {
    struct Case {
        const char* arguments;
        const char* output;
        int status;
    };
    const Case cases[] = {
        {"check cnp 1800101221144", "1800101221144\tok\n", 0},
        {"check cnp 1800101221144 1800101221145", "1800101221144\tok\n1800101221145\tinvalid\n", 1},
        {"check cui 18547290 ' 0018547290' 1800101221144",
         "18547290\tok\n 0018547290\tok\n1800101221144\tok\n", 0},
        {"check cui 1234567897", "1234567897\tinvalid\n", 1},
        {"check iban ro12rncb0082004402390001 'RO12 RNCB 0082 0044 0239 0001'",
         "ro12rncb0082004402390001\tok\nRO12 RNCB 0082 0044 0239 0001\tinvalid\n", 1},
        {"check iban ''", "\tinvalid\n", 1},
        {"check", "", 2},
        {"check cnp", "", 2},
        {"check isbn 123", "", 2},
    };
    for (const auto& c : cases) {
        RunResult result = RunCli(c.arguments);
        EXPECT_EQ(result.output, c.output) << c.arguments;
        EXPECT_EQ(result.status, c.status) << c.arguments;
    }
}

}  // namespace
