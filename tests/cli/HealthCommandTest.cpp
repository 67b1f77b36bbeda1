// orvik-cli health files as an accountant's script runs it: the files it
// prints, its messages and its exit status, against the test server and
// against an installation whose server it has to start itself.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "../dbf/DbfTestSupport.h"
#include "../health/AnnexTestData.h"
#include "CliRunner.h"
#include "TestServer.h"
#include "db/InstallationSetup.h"

namespace fs = std::filesystem;
using namespace annex_test;

namespace {

CliResult Cli(const std::string& arguments, const std::string& folder = "/tmp",
              const std::string& environment = "") {
    return RunCli(arguments, folder, environment);
}

std::string Installation() {
    return TestInstallation();
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class HealthCommandTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        LoadCompany();
    }
    std::string Dir() const { return " --dir " + QuoteForShell(m_folder.Path().string()); }
    TempFolder m_folder;
};

TEST_F(HealthCommandTest, BadUsageIsRefusedBeforeAnythingRuns) {
    const char* const cases[] = {
        "health",
        "health list",
        "health files --month 200907 --all",
        "health files --cf 12345678 --all-companies --month 200907 --all",
        "health files --cf 12345678 --month 200907",
        "health files --cf 12345678 --month 200913 --all",
        "health files --cf 1234567X --month 200907 --all",
        "health files --cf 12345678 --all --month",
        "health files --cf 12345678 --all --month 200907 --fast",
    };
    for (const char* arguments : cases) {
        const CliResult r = Cli(std::string(arguments) + Dir() + Installation());
        EXPECT_EQ(2, r.status) << arguments;
        EXPECT_TRUE(Contains(r.err, "utilizare: orvik-cli health files")) << r.err;
        EXPECT_EQ("", r.out) << arguments;
    }
    const CliResult noDir = Cli("health files --cf 12345678 --month 200907 --all" + Installation());
    EXPECT_EQ(2, noDir.status);
    EXPECT_TRUE(Contains(noDir.err, "lipseste --dir FOLDER")) << noDir.err;
    EXPECT_TRUE(m_folder.Names().empty());
}

// IONESCU, at CASAB, has no sums for July.
const char* const kIonescuWarning =
    "AVERTISMENT\t2850505123456\tIONESCU ANA\tfara sume in luna 200907\n";

TEST_F(HealthCommandTest, OneCompanyOneLinePerFile) {
    const CliResult r =
        Cli("health files --cf 12345678 --month 200907 --cas CASAB" + Dir() + Installation());
    ASSERT_EQ(0, r.status) << r.err;
    EXPECT_EQ(kIonescuWarning, r.err);
    const std::string f = m_folder.Path().string() + "/CASAB_12345678_200907_anexa1";
    EXPECT_EQ(f + "A.dbf\n" + f + "B.dbf\n" + f + "C.dbf\n", r.out);
    ExpectFileBytes(f + "A.dbf", k1A, k1ARecords, TodayLocalDate());
}

TEST_F(HealthCommandTest, EmployeesWithoutSumsAreWarnedOfAndTheStatusStays) {
    // Every sum of July at CAS_B is there: nothing to say.
    CliResult r =
        Cli("health files --cf 12345678 --month 200907 --cas CAS_B" + Dir() + Installation());
    EXPECT_EQ(0, r.status);
    EXPECT_EQ("", r.err);
    // POPESCU without sums on both his records is named once, after IONESCU,
    // and VASILE of the other house too when every house is written.
    RunSql("DELETE FROM asigurati.sume WHERE luna=200907 AND cf=12345678");
    r = Cli("health files --cf 12345678 --month 200907 --all --replace" + Dir() + Installation());
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ(std::string(kIonescuWarning) +
                  "AVERTISMENT\t1800101221144\tPOPESCU ION\tfara sume in luna 200907\n"
                  "AVERTISMENT\t1750101000003\tVASILE DAN\tfara sume in luna 200907\n",
              r.err);
    EXPECT_EQ(6u, m_folder.Names().size());
    // A file that fails keeps its status 1; the warnings come first.
    RunSql("UPDATE asigurati.societati SET reg_com='J40/123456/2003' WHERE cf=12345678");
    r = Cli("health files --cf 12345678 --month 200907 --cas CAS_B --replace" + Dir() +
            Installation());
    EXPECT_EQ(1, r.status);
    EXPECT_EQ(0u, r.err.find("AVERTISMENT\t1750101000003\tVASILE DAN\tfara sume in luna "
                             "200907\nNu se poate salva Anexa 1A!"))
        << r.err;
}

TEST_F(HealthCommandTest, EachFailureHasItsMessageAndStatus) {
    WriteBytes(m_folder.File("plain-file"), "x");
    const struct {
        std::string arguments;
        int status;
        std::string message;
    } cases[] = {
        {"--cf 99999999 --month 200907 --all" + Dir(), 2,
         "Societatea cu codul 99999999 nu exista in baza de date!"},
        {"--cf 12345678 --month 199901 --all" + Dir(), 1,
         "Societatea cu codul 12345678 nu are asigurati in luna Ianuarie 1999!"},
        {"--cf 12345678 --month 200907 --cas CASCJ" + Dir(), 1,
         "Societatea cu codul 12345678 nu are asigurati la casa CASCJ in luna Iulie 2009!"},
        {"--cf 12345678 --month 200907 --all --dir " +
             QuoteForShell(m_folder.File("plain-file") + "/out"),
         2, "nu se poate folosi folderul"},
        {"--cf 12345678 --month 200907 --all" + Dir() + " --installation /nonexistent", 2,
         "/nonexistent nu este o instalare Orvik Asigurati"},
    };
    for (const auto& c : cases) {
        const bool named = Contains(c.arguments, "--installation");
        const CliResult r =
            Cli("health files " + c.arguments + (named ? std::string() : Installation()));
        EXPECT_EQ(c.status, r.status) << c.arguments << "\n" << r.err;
        EXPECT_TRUE(Contains(r.err, c.message)) << r.err;
        EXPECT_EQ("", r.out) << c.arguments;
    }
    // A number too wide for its field: no file under its name, a non-zero status.
    RunSql("UPDATE asigurati.societati SET reg_com='J40/123456/2003' WHERE cf=12345678");
    const CliResult wide =
        Cli("health files --cf 12345678 --month 200907 --all" + Dir() + Installation());
    EXPECT_EQ(1, wide.status);
    EXPECT_TRUE(Contains(wide.err, "Nu se poate salva Anexa 1A!")) << wide.err;
    EXPECT_EQ(std::vector<std::string>{"plain-file"}, m_folder.Names());
}

TEST_F(HealthCommandTest, AllCompaniesGoIntoOneFolderEach) {
    RunSql(
        "INSERT INTO asigurati.societati (cf, denumire, ziua_lic, jud) VALUES "
        "(34567890, 'GOALA SRL', '10', 'MB')");
    const CliResult r = Cli("health files --all-companies --month 200907 --all --legal-names" +
                            Dir() + Installation());
    // The empty company is reported; the others are written all the same.
    EXPECT_EQ(1, r.status);
    EXPECT_EQ(std::string(kIonescuWarning) +
                  "societatea 34567890: Societatea cu codul 34567890 nu are asigurati in luna "
                  "Iulie 2009!\nNu s-a salvat niciun fisier.\n",
              r.err);
    std::istringstream lines(r.out);
    std::vector<std::string> printed;
    for (std::string line; std::getline(lines, line);) printed.push_back(line);
    ASSERT_EQ(9u, printed.size()) << r.out;
    const std::string root = m_folder.Path().string();
    EXPECT_EQ(root + "/12345678/CASAB/1A_0709_12345678.dbf", printed[0]);
    EXPECT_EQ(root + "/23456789/CASAB/1C_0709_23456789.dbf", printed[8]);
    for (const std::string& path : printed) EXPECT_TRUE(fs::exists(path)) << path;
    EXPECT_FALSE(fs::exists(root + "/34567890"));
}

// Files of the run already in the folder: each is named, nothing of the run
// is written (not even another company's), exit 2; --replace writes them all.
TEST_F(HealthCommandTest, FilesAlreadyThereAreRefusedUnlessReplaced) {
    const std::string root = m_folder.Path().string();
    fs::create_directories(root + "/23456789/CASAB");
    const std::string first = root + "/23456789/CASAB/1A_0709_23456789.dbf";
    const std::string second = root + "/23456789/CASAB/1C_0709_23456789.dbf";
    WriteBytes(first, "earlier");
    WriteBytes(second, "earlier");
    const std::string arguments =
        "health files --all-companies --month 200907 --all --legal-names" + Dir() + Installation();
    const CliResult refused = Cli(arguments);
    EXPECT_EQ(2, refused.status);
    EXPECT_EQ("", refused.out);
    EXPECT_EQ("fisierul exista deja: " + first + "\nfisierul exista deja: " + second +
                  "\nnu s-a salvat niciun fisier; adauga --replace pentru a inlocui fisierele "
                  "existente\n",
              refused.err);
    EXPECT_EQ(std::vector<std::string>{"23456789"}, m_folder.Names());
    EXPECT_EQ("earlier", ReadBytes(first));

    const CliResult replaced = Cli(arguments + " --replace");
    EXPECT_EQ(0, replaced.status) << replaced.err;
    EXPECT_FALSE(Contains(replaced.err, "exista deja")) << replaced.err;
    EXPECT_TRUE(Contains(replaced.out, first + "\n")) << replaced.out;
    EXPECT_NE("earlier", ReadBytes(first));
    EXPECT_TRUE(fs::exists(root + "/12345678/CAS_B/1B_0709_12345678.dbf"));

    // One company, one house: the same refusal for its single file in the way.
    const std::string house = root + "/CASAB_12345678_200907_anexa1B.dbf";
    WriteBytes(house, "earlier");
    const CliResult one =
        Cli("health files --cf 12345678 --month 200907 --cas CASAB" + Dir() + Installation());
    EXPECT_EQ(2, one.status);
    EXPECT_TRUE(Contains(one.err, "fisierul exista deja: " + house + "\n")) << one.err;
    EXPECT_FALSE(fs::exists(root + "/CASAB_12345678_200907_anexa1A.dbf"));
}

// An installation of its own on another port, its server stopped: the tool
// finds it as the current folder, starts the server, and stops it again.
TEST(HealthCommandInstallation, FoundStartedOnItsPortAndLeftAsFound) {
    TempFolder installation, elsewhere, home;
    const int port = FreeLocalPort();
    const InstallationResult prepared =
        CreateInstallation({.folder = installation.Path().string(), .port = port});
    ASSERT_EQ(InstallationOutcome::Created, prepared.outcome) << prepared.message;
    ASSERT_FALSE(LocalPortAnswers(port));
    const std::string arguments = "health files --cf 12345678 --month 200907 --all --dir " +
                                  QuoteForShell(elsewhere.File("out"));
    const std::string noDefault = "HOME=" + QuoteForShell(home.Path().string()) +
                                  " XDG_DATA_HOME=" + QuoteForShell(home.Path().string());

    const CliResult r = Cli(arguments, installation.Path().string(), noDefault);
    // Its database has no companies: the answer came from its own server.
    EXPECT_EQ(2, r.status) << r.err;
    EXPECT_EQ("Societatea cu codul 12345678 nu exista in baza de date!\n", r.err);
    EXPECT_FALSE(LocalPortAnswers(port));
    EXPECT_FALSE(fs::exists(installation.File("server/mysqld.pid")));

    const CliResult lost = Cli(arguments, elsewhere.Path().string(), noDefault);
    EXPECT_EQ(2, lost.status);
    EXPECT_TRUE(Contains(lost.err, "nu gasesc instalarea programului")) << lost.err;
}

}  // namespace
