// Our identifier checks against the verdicts of python3-stdnum, an
// independent implementation, on a few thousand generated codes.
//
// Where the two rule sets differ on purpose, the test says so instead of
// hiding the codes:
// - CNP: stdnum also checks the first digit and the birth date; our rule checks
//   only the control digit (and that the code is not all zeros). So every code
//   stdnum accepts we accept, and we accept exactly the codes whose control
//   digit stdnum's own checksum accepts.
// - CUI: stdnum refuses a leading zero and takes up to 10 digits; we strip
//   blanks and leading zeros and refuse 10..12 significant digits. Compared on
//   2..9 significant digits, written bare and with blanks and zeros around.
// - IBAN: compared on 24-character Romanian accounts of the national layout,
//   where both are the plain mod-97 check.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "domain/Identifiers.h"

namespace {

struct OracleLine {
    std::string kind;
    std::string code;
    bool valid = false;
    bool checksumOnly = false;
};

std::vector<OracleLine> ReadOracle() {
    std::string command = std::string(ORVIK_SYSTEM_PYTHON) + " " + ORVIK_STDNUM_ORACLE;
    std::vector<OracleLine> lines;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return lines;
    std::string text;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, got);
    int status = pclose(pipe);
    if (status != 0) return {};
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        OracleLine parsed;
        std::string valid;
        std::string checksum;
        std::getline(fields, parsed.kind, '\t');
        std::getline(fields, parsed.code, '\t');
        std::getline(fields, valid, '\t');
        std::getline(fields, checksum, '\t');
        parsed.valid = valid == "1";
        parsed.checksumOnly = checksum == "1";
        lines.push_back(parsed);
    }
    return lines;
}

class StdnumOracle : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_lines = ReadOracle(); }

    void SetUp() override {
        ASSERT_FALSE(s_lines.empty())
            << "no verdicts from " << ORVIK_SYSTEM_PYTHON << " " << ORVIK_STDNUM_ORACLE
            << " (is the Debian package python3-stdnum installed?)";
    }

    static std::vector<OracleLine> Of(const std::string& kind) {
        std::vector<OracleLine> selected;
        for (const auto& line : s_lines) {
            if (line.kind == kind) selected.push_back(line);
        }
        return selected;
    }

    static inline std::vector<OracleLine> s_lines;
};

TEST_F(StdnumOracle, FiscalCodesAgreeOnTwoToNineDigits) {
    auto codes = Of("cui");
    ASSERT_GE(codes.size(), 2000u);
    std::map<std::size_t, int> validByLength;
    for (const auto& c : codes) {
        ASSERT_GE(c.code.size(), 2u);
        ASSERT_LE(c.code.size(), 9u);
        EXPECT_EQ(IsValidFiscalCode(c.code), c.valid) << c.code;
        EXPECT_EQ(IsValidFiscalCode(" 00" + c.code + "\t"), c.valid) << c.code;
        validByLength[c.code.size()] += c.valid ? 1 : 0;
    }
    // Both verdicts occur at every length, so agreement means something.
    for (std::size_t length = 2; length <= 9; ++length) EXPECT_GT(validByLength[length], 10);
}

TEST_F(StdnumOracle, EveryCnpStdnumAcceptsIsAccepted) {
    auto codes = Of("cnp");
    ASSERT_GE(codes.size(), 2000u);
    int acceptedByBoth = 0;
    int acceptedOnlyByUs = 0;
    for (const auto& c : codes) {
        bool ours = IsValidCnp(c.code);
        if (c.valid) {
            EXPECT_TRUE(ours) << c.code;
            ++acceptedByBoth;
        }
        // Intended difference: no birth-date or first-digit check here.
        bool allZero = c.code.find_first_not_of('0') == std::string::npos;
        EXPECT_EQ(ours, c.checksumOnly && !allZero) << c.code;
        if (ours && !c.valid) ++acceptedOnlyByUs;
    }
    EXPECT_GT(acceptedByBoth, 500);
    // The difference is real and visible: codes with impossible birth dates.
    EXPECT_GT(acceptedOnlyByUs, 100);
}

TEST_F(StdnumOracle, BankAccountsAgree) {
    auto codes = Of("iban");
    ASSERT_GE(codes.size(), 1500u);
    int valid = 0;
    for (const auto& c : codes) {
        ASSERT_EQ(c.code.size(), 24u);
        EXPECT_EQ(IsValidBankAccount(c.code), c.valid) << c.code;
        valid += c.valid ? 1 : 0;
    }
    EXPECT_GT(valid, 500);
    EXPECT_LT(valid, static_cast<int>(codes.size()) - 500);
}

}  // namespace
