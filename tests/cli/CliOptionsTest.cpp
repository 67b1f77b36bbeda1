// The options table every command of orvik-cli reads its arguments with.
#include <gtest/gtest.h>

#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliOptions.h"

namespace {

// A command's options as health files has them: values and switches.
struct Options {
    std::optional<std::string> cf, month, dir;
    bool all = false, legalNames = false;
};

class CliOptionsTest : public ::testing::Test {
protected:
    // Reads `args` after the action, as the commands do.
    std::string Read(const CliArgs& args, const CliArgumentTaker& take = nullptr) {
        const CliOption table[] = {{.name = "--cf", .value = &m_o.cf},
                                   {.name = "--month", .value = &m_o.month},
                                   {.name = "--dir", .value = &m_o.dir},
                                   {.name = "--all", .isSet = &m_o.all},
                                   {.name = "--legal-names", .isSet = &m_o.legalNames}};
        return ReadCliOptions(args, 1, table, take);
    }
    Options m_o;
};

TEST_F(CliOptionsTest, ValuesInEitherFormAndSwitches) {
    EXPECT_EQ("", Read({"files", "--cf", "123", "--month=200907", "--all"}));
    EXPECT_EQ("123", m_o.cf);
    EXPECT_EQ("200907", m_o.month);
    EXPECT_TRUE(m_o.all);
    EXPECT_FALSE(m_o.dir.has_value());
    EXPECT_FALSE(m_o.legalNames);
    // Only the first "=" separates: the rest belongs to the value.
    EXPECT_EQ("", Read({"files", "--dir=a=b", "--cf", "=1"}));
    EXPECT_EQ("a=b", m_o.dir);
    EXPECT_EQ("=1", m_o.cf);
    // The word after an option that takes a value is its value, whatever it looks like.
    EXPECT_EQ("", Read({"files", "--cf", "--month"}));
    EXPECT_EQ("--month", m_o.cf);
    // What comes before `first` is the command's own.
    EXPECT_EQ("", Read({"--unknown"}));
}

TEST_F(CliOptionsTest, EmptyAndMissingValuesAreRefused) {
    struct Case {
        CliArgs args;
        const char* why;
    };
    const Case cases[] = {
        {{"files", "--cf", ""}, "lipseste valoarea pentru --cf"},
        {{"files", "--cf="}, "lipseste valoarea pentru --cf"},
        {{"files", "--cf", "", "--month", "200907"}, "lipseste valoarea pentru --cf"},
        {{"files", "--month=", "--cf", "1"}, "lipseste valoarea pentru --month"},
        // Missing at the end: nothing is read past the last argument.
        {{"files", "--all", "--month"}, "lipseste valoarea pentru --month"},
        {{"files", "--month", "200907", "--dir"}, "lipseste valoarea pentru --dir"},
    };
    for (const Case& c : cases) {
        m_o = {};
        EXPECT_EQ(c.why, Read(c.args)) << c.args.back();
        EXPECT_FALSE(m_o.cf.has_value() && m_o.cf->empty());
        EXPECT_FALSE(m_o.month.has_value() && m_o.month->empty());
        EXPECT_FALSE(m_o.dir.has_value());
    }
}

TEST_F(CliOptionsTest, UnknownOptionsAreNamedAndTheFirstFaultIsTold) {
    for (const char* arg : {"--fast", "--c", "--cfx", "--cf-x=1", "--all=1", "--all=", "--alls",
                            "--", "-c", "stray", ""}) {
        EXPECT_EQ(std::string("optiune necunoscuta: ") + arg, Read({"files", arg})) << arg;
    }
    EXPECT_EQ("optiune necunoscuta: --fast", Read({"files", "--fast", "--cf", ""}));
    EXPECT_EQ("lipseste valoarea pentru --cf", Read({"files", "--cf", "", "--fast"}));
    // Names are exact: no other letter case, no abbreviation.
    EXPECT_EQ("optiune necunoscuta: --CF", Read({"files", "--CF", "1"}));
    EXPECT_EQ("optiune necunoscuta: --legal", Read({"files", "--legal"}));
}

TEST_F(CliOptionsTest, GivenTwiceTheLastCounts) {
    EXPECT_EQ("", Read({"files", "--cf", "1", "--month", "200907", "--cf=2", "--all", "--all"}));
    EXPECT_EQ("2", m_o.cf);
    EXPECT_EQ("200907", m_o.month);
    EXPECT_TRUE(m_o.all);
    EXPECT_EQ("", Read({"files", "--cf=3", "--cf", "4"}));
    EXPECT_EQ("4", m_o.cf);
    // A second one that is empty is refused, never taken as "unchanged".
    EXPECT_EQ("lipseste valoarea pentru --cf", Read({"files", "--cf", "5", "--cf="}));
}

TEST_F(CliOptionsTest, OtherArgumentsGoToTheCommandInOrder) {
    std::vector<std::string> taken;
    const auto take = [&](const std::string& arg) {
        if (taken.size() == 2) return "argument in plus: " + arg;
        taken.push_back(arg);
        return std::string();
    };
    EXPECT_EQ("", Read({"x", "a.sql", "--cf", "1", "-", "--all"}, take));
    EXPECT_EQ((std::vector<std::string>{"a.sql", "-"}), taken);
    EXPECT_EQ("1", m_o.cf);
    EXPECT_TRUE(m_o.all);
    // The command's refusal stops the reading where it happened.
    taken.clear();
    m_o = {};
    EXPECT_EQ("argument in plus: c", Read({"x", "a", "b", "c", "--cf", ""}, take));
    EXPECT_FALSE(m_o.cf.has_value());
    // A value is never given to the command as an argument.
    taken.clear();
    EXPECT_EQ("", Read({"x", "--dir", "d", "a"}, take));
    EXPECT_EQ((std::vector<std::string>{"a"}), taken);
    // Options are still checked when the command takes arguments.
    EXPECT_EQ("optiune necunoscuta: --fast", Read({"x", "--fast"}, take));
}

// What the commands print when they stop: on stderr, after the command's name.
TEST(CliReport, FailAndUsageTexts) {
    const CliReport report("health", "health files --cf COD\n  orvik-cli health print");
    std::ostringstream captured;
    std::streambuf* const saved = std::cerr.rdbuf(captured.rdbuf());
    const int failed = report.Fail("nu se poate");
    const int failedOne = report.Fail("scriere", 1);
    const int usage = report.Usage("optiune necunoscuta: --x");
    std::cerr.rdbuf(saved);
    EXPECT_EQ(2, failed);
    EXPECT_EQ(1, failedOne);
    EXPECT_EQ(2, usage);
    EXPECT_EQ(
        "orvik-cli health: nu se poate\n"
        "orvik-cli health: scriere\n"
        "orvik-cli health: optiune necunoscuta: --x\n"
        "utilizare: orvik-cli health files --cf COD\n  orvik-cli health print\n",
        captured.str());
    EXPECT_EQ("utilizare: orvik-cli health files --cf COD\n  orvik-cli health print",
              report.UsageText());
}

}  // namespace
