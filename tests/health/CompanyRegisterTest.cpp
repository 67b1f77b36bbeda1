// The company flows against the test server, questions answered by script.
#include <gtest/gtest.h>

#include "TestServer.h"
#include "health/CompanyRegister.h"

namespace {

const char* const kCui = "12345674";
const char* const kOtherCui = "23456783";
const char* const kCnp = "1800101221144";
const char* const kIban = "RO49AAAA1B31007593840000";
const int kBucharest = 9;
const int kAlba = 0;

CompanyFields ValidCompany(const std::string& cf = kCui) {
    CompanyFields f;
    f.cf = cf;
    f.denumire = "ALFA SRL";
    f.ziuaLic = "15";
    f.county = kBucharest;
    f.sect = "3";
    return f;
}

class CompanyRegisterTest : public DbTest {
protected:
    double Add(const CompanyFields& fields) {
        EXPECT_EQ(0, SaveCompany(*m_client, fields, CompanyEdit{}));
        return static_cast<double>(m_client->m_lastInsertId);
    }
    // One record of the company in each of the six tables that follow its code.
    void AddRecordsOf(const std::string& cf) {
        RunSql("INSERT INTO asigurati.asigurati (cf, cnp, cas, iesire) VALUES (" + cf +
               ", 1800101221144, 'CAS_B', 0);"
               "INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp) VALUES (" + cf +
               ", 1800101221144, 2800203400121);"
               "INSERT INTO asigurati.sume (cf, cnp, luna) VALUES (" + cf + ", 1800101221144, 202601);"
               "INSERT INTO asigurati.sume_societati (cf, luna) VALUES (" + cf + ", 202601);"
               "INSERT INTO concedii.declaratii (cf, luna) VALUES (" + cf + ", 202601);"
               "INSERT INTO concedii.concedii (cf, cnp) VALUES (" + cf + ", 1800101221144);");
    }
    std::string RecordsOf(const std::string& cf) {
        std::string counts;
        for (const char* table : {"asigurati.asigurati", "asigurati.coasigurati", "asigurati.sume",
                                  "asigurati.sume_societati", "concedii.declaratii",
                                  "concedii.concedii", "asigurati.societati"})
            counts += SqlScalar(std::string("SELECT COUNT(*) FROM ") + table + " WHERE cf=" + cf);
        return counts;
    }
    // Makes every statement on a table fail, as a broken disk or lock would.
    void BreakTable(const std::string& table, const std::string& when) {
        RebuildAfterTest();
        RunSql("CREATE TRIGGER asigurati.broken BEFORE " + when + " ON " + table +
               " FOR EACH ROW SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT='stricat'");
    }
};

TEST_F(CompanyRegisterTest, ChecksComeInOrderWithTheirMessages) {
    const struct {
        const char* what;
        CompanyFields fields;
        const char* message;
    } cases[] = {
        {"13 characters are a CNP", [] { auto f = ValidCompany("1800101221145"); return f; }(),
         "CNP-ul introdus este incorect!"},
        {"an empty code fails as a CUI", ValidCompany(""), "CUI-ul introdus este incorect!"},
        {"12 characters are a CUI", ValidCompany("180010122114"), "CUI-ul introdus este incorect!"},
        {"day 0", [] { auto f = ValidCompany(); f.ziuaLic = "0"; return f; }(),
         "Ziua lichidarii drepturilor salariale este incorecta!\n\nTrebuie sa fie intre 1 si 31."},
        {"day 32", [] { auto f = ValidCompany(); f.ziuaLic = "32"; return f; }(),
         "Ziua lichidarii drepturilor salariale este incorecta!\n\nTrebuie sa fie intre 1 si 31."},
        {"account with blanks", [] { auto f = ValidCompany(); f.c1 = "RO49 AAAA1B31007593840000"; return f; }(),
         "Contul bancar introdus este incorect!"},
        {"sector empty", [] { auto f = ValidCompany(); f.sect = ""; return f; }(),
         "Sectorul introdus este incorect!"},
        {"sector 0", [] { auto f = ValidCompany(); f.sect = "0"; return f; }(),
         "Sectorul introdus este incorect!"},
        {"sector 7", [] { auto f = ValidCompany(); f.sect = "7"; return f; }(),
         "Sectorul introdus este incorect!"},
        {"no county (an old company)", [] { auto f = ValidCompany(); f.county = -1; return f; }(),
         "Trebuie sa alegi judetul societatii!"},
        {"bad code and bad day: the code is told first",
         [] { auto f = ValidCompany("1"); f.ziuaLic = "40"; return f; }(),
         "CUI-ul introdus este incorect!"},
    };
    for (const auto& c : cases) {
        m_prompter.ExpectMessage(c.message);
        EXPECT_EQ(1, SaveCompany(*m_client, c.fields, CompanyEdit{})) << c.what;
    }
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.societati"));
}

TEST_F(CompanyRegisterTest, AcceptedValuesAreStoredInTheirColumns) {
    CompanyFields f = ValidCompany(kCnp);
    f.ziuaLic = "07";
    f.c1 = "ro49aaaa1b31007593840000";
    f.paidNextMonth = true;
    f.email = "a@b.ro";
    const double index = Add(f);
    EXPECT_EQ("1800101221144|07|1|MB|3|ro49aaaa1b31007593840000|a@b.ro",
              SqlScalar("SELECT CONCAT_WS('|', cf, ziua_lic, luna_lic, jud, sect, c1, email) "
                        "FROM asigurati.societati WHERE `index`=" +
                        std::to_string(static_cast<long long>(index))));
    CompanyFields alba = ValidCompany(kOtherCui);
    alba.county = kAlba;
    alba.sect = "7";  // not Bucharest: the sector field does not count
    Add(alba);
    EXPECT_EQ("AB|0", SqlScalar("SELECT CONCAT_WS('|', jud, sect) FROM asigurati.societati "
                                "WHERE cf=23456783"));
    auto loaded = LoadCompany(*m_client, index);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(kBucharest, loaded->county);
    EXPECT_EQ("3", loaded->sect);
    EXPECT_TRUE(loaded->paidNextMonth);
    EXPECT_EQ(kIban, std::string("RO49AAAA1B31007593840000"));
}

TEST_F(CompanyRegisterTest, ACodeCanBelongToOneCompanyOnly) {
    const double first = Add(ValidCompany());
    m_prompter.ExpectMessage("CUI-ul/CNP-ul introdus exista deja inregistrat un baza de date!");
    EXPECT_EQ(1, SaveCompany(*m_client, ValidCompany(), CompanyEdit{}));
    // Saving a company unchanged ignores its own row.
    EXPECT_EQ(0, SaveCompany(*m_client, ValidCompany(), CompanyEdit{true, first, kCui}));
    const double second = Add(ValidCompany(kOtherCui));
    m_prompter.ExpectMessage("CUI-ul/CNP-ul introdus exista deja inregistrat un baza de date!");
    EXPECT_EQ(1, SaveCompany(*m_client, ValidCompany(kCui), CompanyEdit{true, second, kOtherCui}));
}

TEST_F(CompanyRegisterTest, UnchangedCodeMovesNothingAndAChangedOneMovesEverything) {
    const double index = Add(ValidCompany());
    AddRecordsOf(kCui);
    RunSql("UPDATE asigurati.asigurati SET nume='X'");
    auto renamed = ValidCompany();
    renamed.denumire = "BETA SRL";
    ASSERT_EQ(0, SaveCompany(*m_client, renamed, CompanyEdit{true, index, kCui}));
    EXPECT_EQ("1111111", RecordsOf(kCui));

    ASSERT_EQ(0, SaveCompany(*m_client, ValidCompany(kOtherCui), CompanyEdit{true, index, kCui}));
    EXPECT_EQ("0000000", RecordsOf(kCui));
    EXPECT_EQ("1111111", RecordsOf(kOtherCui));
}

TEST_F(CompanyRegisterTest, AFailedMoveLeavesTheCompanyAndItsRecordsAsTheyWere) {
    const double index = Add(ValidCompany());
    AddRecordsOf(kCui);
    BreakTable("asigurati.sume_societati", "UPDATE");
    m_prompter.ExpectMessage("EROARE Mysql:\n\nstricat");
    EXPECT_EQ(1, SaveCompany(*m_client, ValidCompany(kOtherCui), CompanyEdit{true, index, kCui}));
    EXPECT_EQ("1111111", RecordsOf(kCui));
    EXPECT_EQ("0000000", RecordsOf(kOtherCui));
}

TEST_F(CompanyRegisterTest, DeleteAsksItsQuestionsAndNoAtAnyOfThemKeepsEverything) {
    Add(ValidCompany());
    AddRecordsOf(kCui);
    const char* const questions[] = {
        "Societatea selectata are asigurati introdusi si acestia vor fi stersi!\n\nEsti sigur ca "
        "vrei sa continui?",
        "Societatea selectata are declaratii de concedii medicale introduse si acestea vor fi "
        "sterse!\n\nEsti sigur ca vrei sa continui?",
        "Esti sigur ca vrei sa stergi societatea selectata?",
        "Sigur, sigur?\n\nToate informatiile introduse (salariati, concedii medicale) vor fi "
        "sterse!!"};
    for (int no = 0; no < 4; ++no) {
        for (int q = 0; q <= no; ++q) m_prompter.ExpectQuestion(questions[q], q < no);
        EXPECT_FALSE(DeleteCompany(*m_client, kCui, CompanyPlace::Leave));
        EXPECT_EQ("1111111", RecordsOf(kCui)) << "No at question " << no + 1;
    }
    for (int q = 0; q < 3; ++q) m_prompter.ExpectQuestion(questions[q], true);
    EXPECT_TRUE(DeleteCompany(*m_client, kCui, CompanyPlace::Health));
    EXPECT_EQ("0000000", RecordsOf(kCui));
}

TEST_F(CompanyRegisterTest, ACompanyWithoutRecordsIsAskedAboutOnce) {
    Add(ValidCompany());
    Add(ValidCompany(kOtherCui));
    AddRecordsOf(kOtherCui);
    m_prompter.ExpectQuestion("Esti sigur ca vrei sa stergi societatea selectata?", true);
    EXPECT_TRUE(DeleteCompany(*m_client, kCui, CompanyPlace::Health));
    EXPECT_EQ("1111111", RecordsOf(kOtherCui));
}

TEST_F(CompanyRegisterTest, AFailedDeleteInTheMiddleKeepsEverything) {
    Add(ValidCompany());
    AddRecordsOf(kCui);
    BreakTable("asigurati.sume_societati", "DELETE");
    m_prompter.ExpectQuestion(
        "Societatea selectata are asigurati introdusi si acestia vor fi stersi!\n\nEsti sigur ca "
        "vrei sa continui?",
        true);
    m_prompter.ExpectQuestion(
        "Societatea selectata are declaratii de concedii medicale introduse si acestea vor fi "
        "sterse!\n\nEsti sigur ca vrei sa continui?",
        true);
    m_prompter.ExpectQuestion("Esti sigur ca vrei sa stergi societatea selectata?", true);
    m_prompter.ExpectMessage("EROARE Mysql:\n\nstricat");
    EXPECT_FALSE(DeleteCompany(*m_client, kCui, CompanyPlace::Health));
    EXPECT_EQ("1111111", RecordsOf(kCui));
}

TEST_F(CompanyRegisterTest, ACodeThatIsNotANumberNeverReachesTheServer) {
    m_prompter.ExpectMessage(
        "Valoarea \"1 OR 1=1\" nu este un numar valid!\nOperatia nu a fost efectuata.");
    EXPECT_FALSE(DeleteCompany(*m_client, "1 OR 1=1", CompanyPlace::Health));
}

TEST_F(CompanyRegisterTest, CountersCountTheCompanysOpenAndLiquidatedPeople) {
    Add(ValidCompany());
    RunSql("INSERT INTO asigurati.asigurati (cf, cnp, cas, iesire) VALUES"
           " (12345674, 1, 'CAS_B', 0), (12345674, 2, 'CASAB', 0), (12345674, 3, 'CASAB', 0),"
           " (12345674, 4, 'CASCJ', 20250101), (23456783, 1, 'CASVN', 0);"
           "INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp) VALUES"
           " (12345674, 1, 11), (12345674, 1, 12), (12345674, 4, 13);");
    const CompanyCounters c = CountCompany(*m_client, kCui);
    EXPECT_EQ("2", c.houses);
    EXPECT_EQ("3", c.existing);
    EXPECT_EQ("1", c.liquidated);
    // Person 1 is open at two companies; the dependants are still counted once.
    EXPECT_EQ("2", c.coInsured);
}

}  // namespace
