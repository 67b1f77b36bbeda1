// Every command's options refused as a script sees it: the exact message on
// stderr, nothing on stdout, exit status 2, before any installation is looked
// for (the environment names none, so a command that went on would say so).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CliRunner.h"

namespace {

const std::string kHealthUsage =
    "utilizare: orvik-cli health files (--cf COD | --all-companies) --month AAAALL (--cas CASA | "
    "--all) --dir FOLDER [--legal-names] [--replace] [--installation FOLDER]\n"
    "    --replace: inlocuieste fisierele cu aceleasi nume aflate deja in folder\n"
    "  orvik-cli health print --cf COD --month AAAALL --cas CASA --annex a|b|c --pdf FISIER "
    "[--installation FOLDER]\n";
const std::string kLeaveUsage =
    "utilizare: orvik-cli leave files --cf COD --month AAAALL [--rectif N] --dir FOLDER "
    "[--replace] [--installation FOLDER]\n"
    "    --replace: inlocuieste fisierele A1 si A2 aflate deja in folder\n"
    "  orvik-cli leave print --cf COD --month AAAALL [--rectif N] --pdf FISIER "
    "[--installation FOLDER]\n";
const std::string kImportUsage =
    "utilizare: orvik-cli import employees FISIER.dbf | import annex1a FISIER.dbf --cas CASA; "
    "optiuni: [--company-name NUME] [--payment-day ZI] [--next-month] [--installation FOLDER]\n";
const std::string kBackupUsage =
    "utilizare: orvik-cli backup save FISIER [--installation FOLDER]\n"
    "           orvik-cli backup restore FISIER --yes [--installation FOLDER]\n\n";

struct Case {
    const char* arguments;
    std::string err;
};

class CommandOptionsTest : public ::testing::Test {
protected:
    // Runs every case in a folder of its own, with no installation to be found.
    void ExpectRefused(const std::vector<Case>& cases) {
        const std::string home = QuoteForShell(m_folder.Path().string());
        for (const Case& c : cases) {
            const CliResult r = RunCli(c.arguments, m_folder.Path().string(),
                                       "HOME=" + home + " XDG_DATA_HOME=" + home);
            EXPECT_EQ(2, r.status) << c.arguments;
            EXPECT_EQ(c.err, r.err) << c.arguments;
            EXPECT_EQ("", r.out) << c.arguments;
        }
        EXPECT_TRUE(m_folder.Names().empty()) << "a refused command wrote something";
    }
    TempFolder m_folder;
};

TEST_F(CommandOptionsTest, AnEmptyValueIsRefusedByEveryCommandInEitherForm) {
    const std::string health = "orvik-cli health: lipseste valoarea pentru ";
    const std::string leave = "orvik-cli leave: lipseste valoarea pentru ";
    const std::string import = "orvik-cli import: lipseste valoarea pentru ";
    const std::string backup = "orvik-cli backup: lipseste valoarea pentru ";
    ExpectRefused({
        {"health files --cf '' --all --month 200907 --dir d", health + "--cf\n" + kHealthUsage},
        {"health files --cf= --all --month 200907 --dir d", health + "--cf\n" + kHealthUsage},
        {"health print --cf 1 --month 200907 --cas= --annex a --pdf x.pdf",
         health + "--cas\n" + kHealthUsage},
        {"health print --cf 1 --month 200907 --cas CASAB --annex a --pdf=",
         health + "--pdf\n" + kHealthUsage},
        {"leave files --cf= --month 201003 --dir d", leave + "--cf\n" + kLeaveUsage},
        {"leave files --cf 1 --month 201003 --rectif= --dir d", leave + "--rectif\n" + kLeaveUsage},
        {"leave print --cf 1 --month 201003 --pdf ''", leave + "--pdf\n" + kLeaveUsage},
        {"import annex1a a.dbf --cas ''", import + "--cas\n" + kImportUsage},
        {"import annex1a a.dbf --cas=", import + "--cas\n" + kImportUsage},
        {"import employees a.dbf --company-name ''", import + "--company-name\n" + kImportUsage},
        {"import employees a.dbf --payment-day=", import + "--payment-day\n" + kImportUsage},
        {"import employees a.dbf --installation ''", import + "--installation\n" + kImportUsage},
        {"backup save x --installation ''", backup + "--installation\n" + kBackupUsage},
        {"backup save x --installation=", backup + "--installation\n" + kBackupUsage},
    });
}

TEST_F(CommandOptionsTest, AValueMissingAtTheEndIsRefused) {
    ExpectRefused({
        {"health files --cf 12345678 --all --month",
         "orvik-cli health: lipseste valoarea pentru --month\n" + kHealthUsage},
        {"leave files --cf 1 --month 201003 --dir",
         "orvik-cli leave: lipseste valoarea pentru --dir\n" + kLeaveUsage},
        {"import employees a.dbf --company-name",
         "orvik-cli import: lipseste valoarea pentru --company-name\n" + kImportUsage},
        // Neither taken as the copy's file nor as an argument too many.
        {"backup save --installation",
         "orvik-cli backup: lipseste valoarea pentru --installation\n" + kBackupUsage},
        {"backup save x --installation",
         "orvik-cli backup: lipseste valoarea pentru --installation\n" + kBackupUsage},
    });
}

TEST_F(CommandOptionsTest, UnknownOptionsAreNamed) {
    ExpectRefused({
        {"health files --cf 1 --all --month 200907 --dir d --fast",
         "orvik-cli health: optiune necunoscuta: --fast\n" + kHealthUsage},
        {"health files --cf 1 --all=1 --month 200907 --dir d",
         "orvik-cli health: optiune necunoscuta: --all=1\n" + kHealthUsage},
        {"health files stray --cf 1",
         "orvik-cli health: optiune necunoscuta: stray\n" + kHealthUsage},
        {"leave files --cf 1 --month 201003 --dir d --fast",
         "orvik-cli leave: optiune necunoscuta: --fast\n" + kLeaveUsage},
        // A switch: never "--replace=yes" read as a file name or a value.
        {"leave files --cf 1 --month 201003 --dir d --replace=da",
         "orvik-cli leave: optiune necunoscuta: --replace=da\n" + kLeaveUsage},
        // Only the declaration files are replaced on request.
        {"leave print --cf 1 --month 201003 --pdf x.pdf --replace",
         "orvik-cli leave: --replace este al comenzii leave files\n" + kLeaveUsage},
        {"health print --cf 1 --month 200907 --cas CASAB --annex a --pdf x.pdf --replace",
         "orvik-cli health: health print tipareste o singura anexa: --cf, --month, --cas, "
         "--annex, --pdf\n" +
             kHealthUsage},
        {"import employees a.dbf --next-month=1",
         "orvik-cli import: optiune necunoscuta: --next-month=1\n" + kImportUsage},
        {"import employees a.dbf stray",
         "orvik-cli import: optiune necunoscuta: stray\n" + kImportUsage},
        // Not a file name for the copy: a mistyped option never becomes one.
        {"backup save --fast", "orvik-cli backup: optiune necunoscuta: --fast\n" + kBackupUsage},
        {"backup restore x --yes=1",
         "orvik-cli backup: optiune necunoscuta: --yes=1\n" + kBackupUsage},
        {"verify A --x",
         "orvik-cli verify: optiune necunoscuta: --x\n"
         "utilizare: orvik-cli verify A|B|C|1|2 FISIER.dbf...\n"
         "  A, B, C: anexele declaratiei de sanatate; 1, 2: anexele declaratiei de concedii "
         "medicale\n"},
        {"dbf dump --x",
         "orvik-cli dbf: optiune necunoscuta: --x\n"
         "utilizare: orvik-cli dbf dump FISIER.dbf\n"
         "           orvik-cli dbf write CAMPURI.tsv RANDURI.tsv IESIRE.dbf\n"},
    });
}

TEST_F(CommandOptionsTest, GivenTwiceTheLastCounts) {
    ExpectRefused({
        {"health files --cf=1 --cf 2x --all --month 200907 --dir d",
         "orvik-cli health: codul societatii trebuie sa contina numai cifre: 2x\n" + kHealthUsage},
        {"leave files --cf 1 --month 201003 --rectif 1 --rectif unu --dir d",
         "orvik-cli leave: --rectif trebuie sa fie un numar\n" + kLeaveUsage},
        {"import annex1a a.dbf --cas CASAB --cas=CASXX",
         "orvik-cli import: casa de asigurari necunoscuta: CASXX\n" + kImportUsage},
        {"backup save x y z", "orvik-cli backup: argument in plus: y\n" + kBackupUsage},
    });
    // An installation whose port cannot be read names itself and stops there.
    TempFolder unreadable;
    std::filesystem::create_directories(unreadable.Path() / "server/bin");
    WriteBytes(unreadable.File("server/bin/my.cnf"), "[mysqld]\nport=abc\n");
    const std::string named = QuoteForShell(unreadable.Path().string());
    const std::string refused =
        "orvik-cli backup: instalarea din " + unreadable.Path().string() + " nu poate fi citita.\n";
    const std::string notFound =
        "orvik-cli backup: nu gasesc instalarea programului (un folder cu server/bin/my.cnf); "
        "porneste comanda din folderul instalarii sau foloseste --installation FOLDER.\n";
    const std::string lastNamed =
        "backup save x --installation /nonexistent --installation=" + named;
    const std::string firstNamed =
        "backup save x --installation " + named + " --installation /nonexistent";
    ExpectRefused({{lastNamed.c_str(), refused}, {firstNamed.c_str(), notFound}});
}

}  // namespace
