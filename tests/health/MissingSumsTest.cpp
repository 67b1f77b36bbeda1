// Employees of the month without sums, found on the test server, and the
// texts that name them before step 4 writes or prints anything.
#include <gtest/gtest.h>

#include "AnnexTestData.h"
#include "health/MissingSums.h"

using namespace annex_test;

namespace {

std::vector<EmployeeWithoutSums> Many(int count) {
    std::vector<EmployeeWithoutSums> many;
    for (int i = 1; i <= count; ++i)
        many.push_back({std::to_string(1000000000000 + i), "NUME" + std::to_string(i), "P"});
    return many;
}

std::string Names(const std::vector<EmployeeWithoutSums>& found) {
    std::string names;
    for (const EmployeeWithoutSums& e : found)
        names += e.cnp + " " + e.nume + " " + e.prenume + ";";
    return names;
}

class MissingSumsTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        LoadCompany();
        m_missing.emplace(*m_client, kMonth);
    }
    std::string Found(const std::string& house) {
        const auto found = m_missing->Find(kCf, house);
        EXPECT_TRUE(found);
        return found ? Names(*found) : "?";
    }
    std::optional<MissingSums> m_missing;
};

TEST_F(MissingSumsTest, OnlyEmployeesOfTheMonthAtTheChosenHouseWithoutItsSums) {
    // IONESCU has none for July; POPESCU's two records have them; NOU and
    // VECHI are not July's; ALTUL works for another company.
    EXPECT_EQ("2850505123456 IONESCU ANA;", Found("CASAB"));
    EXPECT_EQ("", Found("CAS_B"));
    EXPECT_EQ("2850505123456 IONESCU ANA;", Found(""));
    // Sums of another month do not count for July.
    RunSql(
        "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, asig_datorat, asig_virat) "
        "VALUES (3, 12345678, 2850505123456, 200906, 1000, 55, 55),"
        "(6, 12345678, 1750101000003, 200906, 1000, 55, 55)");
    RunSql("DELETE FROM asigurati.sume WHERE id_cnp=6 AND luna=200907");
    EXPECT_EQ("1750101000003 VASILE DAN;", Found("CAS_B"));
    EXPECT_EQ("2850505123456 IONESCU ANA;1750101000003 VASILE DAN;", Found(""));
    // Both of POPESCU's records without sums: he is named once.
    RunSql("DELETE FROM asigurati.sume WHERE id_cnp IN (1, 2) AND luna=200907");
    EXPECT_EQ("2850505123456 IONESCU ANA;1800101221144 POPESCU ION;", Found("CASAB"));
}

TEST_F(MissingSumsTest, AHouseCodeWithAnApostropheIsATextNotSql) {
    EXPECT_EQ("", Found("CA'S"));
}

TEST_F(MissingSumsTest, StepFourAsksOnlyWhenSomeoneIsMissingAndNoStops) {
    EXPECT_TRUE(m_missing->Confirm(kCf, "CAS_B", MissingSumsUse::Files));
    const std::string question =
        "ATENTIE:\n1 angajat din luna Iulie 2009 nu are sume introduse:\n\nIONESCU ANA\n\nIn "
        "fisierele de raportare vor aparea fara sume.\nSumele se introduc la Pasul 2.\n\nVrei sa "
        "continui?";
    m_prompter.ExpectQuestion(question, false);
    EXPECT_FALSE(m_missing->Confirm(kCf, "CASAB", MissingSumsUse::Files));
    m_prompter.ExpectQuestion(question, true);
    EXPECT_TRUE(m_missing->Confirm(kCf, "", MissingSumsUse::Files));
    EXPECT_TRUE(m_prompter.AllShown());
}

TEST(MissingSumsTexts, TheFirstTenAreNamedThenHowManyMore) {
    EXPECT_EQ("NUME1 P", NamedEmployees(Many(1)));
    std::string ten;
    for (int i = 1; i <= 10; ++i) ten += (i > 1 ? "\n" : "") + ("NUME" + std::to_string(i)) + " P";
    EXPECT_EQ(ten, NamedEmployees(Many(10)));
    EXPECT_EQ(ten + "\nsi inca 2", NamedEmployees(Many(12)));
    EXPECT_EQ("ATENTIE:\n12 angajati din luna Decembrie 2010 nu au sume introduse:\n\n" + ten +
                  "\nsi inca 2\n\nPe anexele tiparite vor aparea cu suma 0.\nSumele se introduc la "
                  "Pasul 2.\n\nVrei sa continui?",
              MissingSumsQuestion(Many(12), "201012", MissingSumsUse::Print));
}

TEST(MissingSumsTexts, CountsReadAsRomanianAndLinesAsScriptsExpect) {
    EXPECT_EQ("1 angajat", EmployeeCount(1));
    EXPECT_EQ("19 angajati", EmployeeCount(19));
    EXPECT_EQ("20 de angajati", EmployeeCount(20));
    EXPECT_EQ("100 de angajati", EmployeeCount(100));
    EXPECT_EQ("105 angajati", EmployeeCount(105));
    EXPECT_EQ("1020 de angajati", EmployeeCount(1020));
    EXPECT_EQ("AVERTISMENT\t2850505123456\tIONESCU ANA-MARIA\tfara sume in luna 200907",
              MissingSumsWarningLine({"2850505123456", "IONESCU", "ANA-MARIA"}, "200907"));
    EXPECT_EQ(
        "2 angajati nu aveau sume in nicio luna anterioara si au primit sume 0 in luna Februarie "
        "2009:\n\nNUME1 P\nNUME2 P\n\nIntrodu-le sumele cu <[F6]   Modifica sumele angajatului "
        "selectat>.",
        ZeroCarriedMessage(Many(2), "200902"));
    EXPECT_EQ(
        "1 angajat nu avea sume in nicio luna anterioara si a primit sume 0 in luna Februarie "
        "2009:\n\nNUME1 P\n\nIntrodu-i sumele cu <[F6]   Modifica sumele angajatului selectat>.",
        ZeroCarriedMessage(Many(1), "200902"));
}

}  // namespace
