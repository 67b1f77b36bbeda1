// Two `orvik-cli import employees` started together against one database:
// the second one must see the first one's company, persons and sums and
// update them, never add them a second time.
#include <gtest/gtest.h>

#include <thread>

#include "../import/ImportTestFiles.h"
#include "CliRunner.h"
#include "TestServer.h"

using namespace import_test;

namespace {

constexpr int kPersons = 2000;

std::vector<Row> Payroll(const std::string& month) {
    std::vector<Row> rows;
    for (int i = 1; i <= kPersons; ++i) rows.push_back(Employee(NthCnp(i), "NUME", month));
    return rows;
}

class ImportTogetherTest : public ::testing::Test {
protected:
    void SetUp() override { ResetData(); }

    // Both files imported by two processes started at the same moment.
    void ImportTogether(const std::string& first, const std::string& second) {
        const std::string options =
            " --company-name 'ALFA SRL' --payment-day 10" + TestInstallation();
        std::thread other([&] {
            m_second = RunCli("import employees " + second + options, m_folder.Path().string());
        });
        m_first = RunCli("import employees " + first + options, m_folder.Path().string());
        other.join();
    }
    std::string Count(const std::string& what) { return SqlScalar("SELECT COUNT(" + what); }

    TempFolder m_folder;
    CliResult m_first, m_second;
};

TEST_F(ImportTogetherTest, ANewCompanyInTwoMonthsGetsOneCompanyAndOnePersonPerCnp) {
    WriteTable(m_folder.File("july.dbf"), kEmployeeFields, Payroll("200907"));
    WriteTable(m_folder.File("august.dbf"), kEmployeeFields, Payroll("200908"));
    ImportTogether("july.dbf", "august.dbf");
    EXPECT_EQ(0, m_first.status) << m_first.err;
    EXPECT_EQ(0, m_second.status) << m_second.err;
    EXPECT_EQ("1", Count("*) FROM asigurati.societati"));
    EXPECT_EQ(std::to_string(kPersons), Count("*) FROM asigurati.asigurati"));
    EXPECT_EQ(std::to_string(kPersons), Count("DISTINCT cnp) FROM asigurati.asigurati"));
    EXPECT_EQ(std::to_string(2 * kPersons), Count("*) FROM asigurati.sume"));
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM (SELECT 1 FROM asigurati.sume GROUP BY id_cnp, "
                             "luna HAVING COUNT(*) > 1) AS twice"));
    // Whichever came second updated every person the first one added.
    EXPECT_EQ(std::to_string(kPersons), Count("*) FROM asigurati.zlog_asigurati"));
    // Every month's sums belong to the one person of their CNP.
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.sume s LEFT JOIN "
                             "asigurati.asigurati a ON a.index=s.id_cnp WHERE a.cnp IS NULL OR "
                             "a.cnp<>s.cnp"));
}

TEST_F(ImportTogetherTest, TheSameMonthTwiceKeepsOneSumsRowPerPerson) {
    WriteTable(m_folder.File("july.dbf"), kEmployeeFields, Payroll("200907"));
    ImportTogether("july.dbf", "july.dbf");
    EXPECT_EQ(0, m_first.status) << m_first.err;
    EXPECT_EQ(0, m_second.status) << m_second.err;
    EXPECT_EQ("1", Count("*) FROM asigurati.societati"));
    EXPECT_EQ(std::to_string(kPersons), Count("*) FROM asigurati.asigurati"));
    EXPECT_EQ(std::to_string(kPersons), Count("*) FROM asigurati.sume"));
    // The second import replaced the first one's sums, keeping their copies.
    EXPECT_EQ(std::to_string(kPersons), Count("*) FROM asigurati.zlog_sume"));
    const std::string summary =
        "july.dbf\tinregistrari citite: 2000, salvate complet: 2000, salvate fara sume: 0, "
        "refuzate: 0\n";
    EXPECT_EQ(summary, m_first.out);
    EXPECT_EQ(summary, m_second.out);
}

}  // namespace
