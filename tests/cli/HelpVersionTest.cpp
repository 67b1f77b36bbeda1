// What orvik-cli says about itself when asked: its version, the list of its
// commands, and each command's usage, on stdout with exit status 0 and
// without doing anything (no installation is looked for, nothing written).
#include <gtest/gtest.h>

#include <string>

#include "CliRunner.h"
#include "domain/ProgramVersion.h"

namespace {

class HelpVersionTest : public ::testing::Test {
protected:
    // Runs in an empty folder whose HOME holds no installation either.
    CliResult Run(const std::string& arguments) {
        const std::string home = QuoteForShell(m_folder.Path().string());
        return RunCli(arguments, m_folder.Path().string(),
                      "HOME=" + home + " XDG_DATA_HOME=" + home);
    }
    TempFolder m_folder;
};

// The usage a refused call prints, from "utilizare:" on, without the blank
// lines at its end.
std::string UsageOf(const std::string& refusal) {
    std::string usage = refusal.substr(std::min(refusal.find("utilizare:"), refusal.size()));
    while (!usage.empty() && usage.back() == '\n') usage.pop_back();
    return usage + "\n";
}

TEST_F(HelpVersionTest, VersionIsTheProgramsOwn) {
    const CliResult r = Run("--version");
    EXPECT_EQ(0, r.status);
    EXPECT_EQ(std::string("orvik-cli (Orvik Asigurati) ") + kProgramVersion + "\n", r.out);
    EXPECT_EQ("", r.err);
}

TEST_F(HelpVersionTest, HelpListsEveryFormOfEveryCommand) {
    const CliResult r = Run("--help");
    EXPECT_EQ(0, r.status);
    EXPECT_EQ("", r.err);
    EXPECT_EQ(0u, r.out.find("utilizare:\n")) << r.out;
    for (const char* form :
         {"\n  orvik-cli check cnp|cui|iban ", "\n  orvik-cli dbf dump ",
          "\n  orvik-cli dbf write ", "\n  orvik-cli health files ", "\n  orvik-cli health print ",
          "\n  orvik-cli leave files ", "\n  orvik-cli leave print ",
          "\n  orvik-cli verify A|B|C|1|2 ", "\n  orvik-cli backup save ",
          "\n  orvik-cli backup restore ", "\n  orvik-cli import employees ",
          "\n  orvik-cli COMANDA --help\n", "\n  orvik-cli --version\n"})
        EXPECT_NE(std::string::npos, r.out.find(form)) << form << "\n" << r.out;
    // Called wrongly it is still a refusal, on stderr.
    const CliResult none = Run("");
    EXPECT_EQ(2, none.status);
    EXPECT_EQ("", none.out);
    EXPECT_EQ(r.out, none.err);
    const CliResult unknown = Run("ajutor");
    EXPECT_EQ(2, unknown.status);
    EXPECT_EQ("orvik-cli: comanda necunoscuta: ajutor\n" + r.out, unknown.err);
}

// Each command's --help prints the very usage its refusals print, wherever
// --help stands among its arguments, and does nothing else.
TEST_F(HelpVersionTest, EachCommandPrintsTheUsageOfItsRefusals) {
    struct Case {
        const char* refused;
        const char* help;
    };
    const Case cases[] = {
        {"check", "check --help"},
        {"check cnp", "check cnp 1800101221144 --help"},
        {"dbf", "dbf --help"},
        {"dbf dump", "dbf write FIELDS.tsv ROWS.tsv OUT.dbf --help"},
        {"verify", "verify --help"},
        {"health files --fast", "health --help"},
        {"health files --fast", "health files --cf 1 --all --month 200907 --dir d --help"},
        {"leave files --fast", "leave print --help"},
        {"import employees a.dbf stray", "import annex1a --help"},
        {"backup save --fast", "backup save x --help"},
        {"backup save --fast", "backup restore x --yes --help"},
    };
    for (const Case& c : cases) {
        const CliResult refused = Run(c.refused);
        ASSERT_EQ(2, refused.status) << c.refused;
        ASSERT_NE(std::string::npos, refused.err.find("utilizare: orvik-cli ")) << c.refused;
        const CliResult help = Run(c.help);
        EXPECT_EQ(0, help.status) << c.help;
        EXPECT_EQ(UsageOf(refused.err), help.out) << c.help;
        EXPECT_EQ("", help.err) << c.help;
    }
    EXPECT_TRUE(m_folder.Names().empty()) << "a command asked for help wrote something";
}

}  // namespace
