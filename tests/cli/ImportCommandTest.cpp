// orvik-cli import as a script runs it: the lines for refused records, the
// summary, and the exit status, against the test server.
#include <gtest/gtest.h>

#include <sstream>

#include "../import/ImportTestFiles.h"
#include "CliRunner.h"
#include "TestServer.h"

using namespace import_test;

namespace {

// orvik-cli run in `folder` on the test server's installation.
CliResult Cli(const std::string& arguments, const TempFolder& folder) {
    return RunCli(arguments + TestInstallation(), folder.Path().string());
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class ImportCommandTest : public ::testing::Test {
protected:
    void SetUp() override { ResetData(); }
    TempFolder m_folder;
};

TEST_F(ImportCommandTest, EmployeesExitCodesAndLines) {
    Row badForm = Employee(kCnpB, "ALBU", "200907");
    badForm[6] = "s";
    WriteTable(m_folder.File("pay.dbf"), kEmployeeFields,
               {Employee(kCnpA, "POPA", "200907"), badForm, Employee(kCnpC, "CRISAN", "")});
    // A new company needs its name and payment day.
    CliResult r = Cli("import employees pay.dbf", m_folder);
    EXPECT_EQ(2, r.status);
    EXPECT_NE(std::string::npos, r.err.find("Trebuie sa introduci denumirea societatii!")) << r.err;
    EXPECT_EQ("", r.out);
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati"));

    r = Cli("import employees pay.dbf --company-name 'ALFA SRL' --payment-day 10 --next-month",
            m_folder);
    EXPECT_EQ(1, r.status) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(3u, lines.size()) << r.out;
    EXPECT_EQ(
        "pay.dbf\t2\tForma de angajare este incorecta (trebuia sa fie S, CM, AM, CT, CIC, DCM, SCS "
        "sau SS). Inregistrarea a fost ignorata",
        lines[0]);
    EXPECT_EQ(
        "pay.dbf\t3\tAsigurat inexistent: a fost adaugat; Campul la luna este incorect. "
        "Nu au fost procesate sumele",
        lines[1]);
    EXPECT_EQ(
        "pay.dbf\tinregistrari citite: 3, salvate complet: 1, salvate fara sume: 1, refuzate: 1",
        lines[2]);
    EXPECT_EQ("ALFA SRL|10|1", SqlScalar("SELECT CONCAT_WS('|', denumire, ziua_lic, luna_lic) "
                                         "FROM asigurati.societati"));

    // A clean file; the known company keeps its name whatever the options say.
    WriteTable(m_folder.File("clean.dbf"), kEmployeeFields, {Employee(kCnpA, "POPA", "200908")});
    r = Cli("import employees clean.dbf --company-name ALTA", m_folder);
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ(
        "clean.dbf\tinregistrari citite: 1, salvate complet: 1, salvate fara sume: 0, refuzate: "
        "0\n",
        r.out);
    EXPECT_EQ("ALFA SRL", SqlScalar("SELECT denumire FROM asigurati.societati"));
}

TEST_F(ImportCommandTest, BadUsageAndInvalidFiles) {
    WriteTable(m_folder.File("a.dbf"), kAnnex1AFields, {Annex1A(kCnpA, "POPA", "S")});
    const char* const usage[] = {
        "import",
        "import employees",
        "import payroll a.dbf",
        "import annex1a a.dbf",
        "import annex1a a.dbf --cas CASXX",
        "import employees a.dbf --cas CASAB",
        "import employees a.dbf --fast",
        "import employees a.dbf --company-name",
    };
    for (const char* arguments : usage) {
        const CliResult r = Cli(arguments, m_folder);
        EXPECT_EQ(2, r.status) << arguments;
        EXPECT_NE(std::string::npos, r.err.find("utilizare: orvik-cli import")) << r.err;
    }
    // An annex file is not a payroll file; a cut file is invalid; so is a text file.
    CliResult r = Cli("import employees a.dbf --company-name X --payment-day 1", m_folder);
    EXPECT_EQ(2, r.status);
    EXPECT_NE(
        std::string::npos,
        r.err.find(
            "Fisierul selectat este invalid!\n\nCiteste manualul pentru formatul de import."));
    const std::string bytes = ReadBytes(m_folder.File("a.dbf"));
    WriteBytes(m_folder.File("cut.dbf"), bytes.substr(0, bytes.size() - 50));
    r = Cli("import annex1a cut.dbf --cas CASAB --company-name X --payment-day 1", m_folder);
    EXPECT_EQ(2, r.status);
    EXPECT_NE(
        std::string::npos,
        r.err.find("Fisierul selectat este invalid!\n\nTrebuie sa fie un fisier de tip anexa 1A."));
    WriteBytes(m_folder.File("a.txt"), bytes);
    r = Cli("import annex1a a.txt --cas CASAB --company-name X --payment-day 1", m_folder);
    EXPECT_EQ(2, r.status);
    EXPECT_NE(std::string::npos, r.err.find("extensia .dbf"));
    EXPECT_EQ("", r.out);
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.societati"));
}

TEST_F(ImportCommandTest, AnnexTwiceRefusesEveryRecordTheSecondTime) {
    WriteTable(m_folder.File("a.dbf"), kAnnex1AFields,
               {Annex1A(kCnpA, "POPA", "S"), Annex1A(kCnpB, "ALBU", "CM")});
    const std::string args = "import annex1a a.dbf --cas CASCJ --company-name=BETA --payment-day=5";
    CliResult r = Cli(args, m_folder);
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ(
        "a.dbf\tinregistrari citite: 2, salvate complet: 2, salvate fara sume: 0, refuzate: 0\n",
        r.out);
    r = Cli(args, m_folder);
    EXPECT_EQ(1, r.status);
    const auto lines = Lines(r.out);
    ASSERT_EQ(3u, lines.size());
    const std::string alreadyImported =
        "Asiguratul este deja in baza de date cu aceeasi data de intrare (fisierul a mai fost "
        "importat o data?).";
    EXPECT_EQ("a.dbf\t1\t" + alreadyImported, lines[0]);
    EXPECT_EQ("a.dbf\t2\t" + alreadyImported, lines[1]);
    EXPECT_EQ("2", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati WHERE cas='CASCJ'"));
}

TEST_F(ImportCommandTest, AStatementThatFailsStopsTheRunWithWhatCameBeforeSaved) {
    RunSql(std::string("CREATE TRIGGER asigurati.orvik_test_refuse BEFORE INSERT ON "
                       "asigurati.sume FOR EACH ROW IF NEW.cnp=") +
           kCnpB + " THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT='refuzat de test'; END IF");
    WriteTable(m_folder.File("pay.dbf"), kEmployeeFields,
               {Employee(kCnpA, "POPA", "200907"), Employee(kCnpB, "ALBU", "200907"),
                Employee(kCnpC, "CRISAN", "200907")});
    const CliResult r =
        Cli("import employees pay.dbf --company-name ALFA --payment-day 1", m_folder);
    RunSql("DROP TRIGGER asigurati.orvik_test_refuse");
    EXPECT_EQ(1, r.status);
    EXPECT_NE(std::string::npos, r.err.find("EROARE Mysql:\n\nrefuzat de test")) << r.err;
    EXPECT_EQ(
        "pay.dbf\tinregistrari citite: 3, salvate complet: 1, salvate fara sume: 0, refuzate: 0, "
        "salvarea s-a "
        "oprit la inregistrarea 2\n",
        r.out);
    EXPECT_EQ(std::string(kCnpA), SqlScalar("SELECT GROUP_CONCAT(cnp) FROM asigurati.asigurati"));
}

}  // namespace
