// The company flows against the test server, questions answered by script.
#include <gtest/gtest.h>

#include "TestServer.h"
#include "datalist/DataList.h"
#include "health/CompanyRegister.h"

namespace {

const char* const kCui = "12345674";
const char* const kOtherCui = "23456783";
const char* const kCnp = "1800101221144";

CompanyRecord ValidCompany(const std::string& cf = kCui) {
    CompanyRecord f;
    f.cf = cf;
    f.denumire = "ALFA SRL";
    f.ziuaLic = "15";
    f.jud = "MB";
    f.sect = "3";
    return f;
}

CompanyEdit Modifying(long long index, const std::string& formerCode) {
    return {true, index, formerCode};
}

class CompanyRegisterTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        m_health = std::make_unique<CompanyRegister>(*m_client, CompanyPlace::Health);
        m_leave = std::make_unique<CompanyRegister>(*m_client, CompanyPlace::Leave);
    }
    long long Add(const CompanyRecord& fields) {
        const Outcome saved = m_health->Save(fields, CompanyEdit::Adding());
        EXPECT_TRUE(saved.Ok());
        return saved.Key();
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

    std::unique_ptr<CompanyRegister> m_health;
    std::unique_ptr<CompanyRegister> m_leave;
};

TEST_F(CompanyRegisterTest, ChecksComeInOrderWithTheirMessages) {
    const struct {
        const char* what;
        CompanyRecord fields;
        const char* message;
        const char* field;
    } cases[] = {
        {"13 characters are a CNP", [] { auto f = ValidCompany("1800101221145"); return f; }(),
         "CNP-ul introdus este incorect!", "cf"},
        {"an empty code fails as a CUI", ValidCompany(""), "CUI-ul introdus este incorect!", "cf"},
        {"12 characters are a CUI", ValidCompany("180010122114"), "CUI-ul introdus este incorect!",
         "cf"},
        // Order number and year go into numeric fields of the annex files.
        {"registry number with a text order number",
         [] { auto f = ValidCompany(); f.regCom = "J12/1'2\\3/2021"; return f; }(),
         CompanyMessages::kRegistryNumberInvalid, "reg_com"},
        {"registry number without its year",
         [] { auto f = ValidCompany(); f.regCom = "J12/345"; return f; }(),
         CompanyMessages::kRegistryNumberInvalid, "reg_com"},
        {"bad registry number and bad day: the registry number is told first",
         [] { auto f = ValidCompany(); f.regCom = "J12/345/2005X"; f.ziuaLic = "0"; return f; }(),
         CompanyMessages::kRegistryNumberInvalid, "reg_com"},
        {"day 0", [] { auto f = ValidCompany(); f.ziuaLic = "0"; return f; }(),
         "Ziua lichidarii drepturilor salariale este incorecta!\n\nTrebuie sa fie intre 1 si 31.",
         "ziua_lic"},
        {"day 32", [] { auto f = ValidCompany(); f.ziuaLic = "32"; return f; }(),
         "Ziua lichidarii drepturilor salariale este incorecta!\n\nTrebuie sa fie intre 1 si 31.",
         "ziua_lic"},
        {"account with blanks", [] { auto f = ValidCompany(); f.c1 = "RO49 AAAA1B31007593840000"; return f; }(),
         "Contul bancar introdus este incorect!", "c1"},
        {"sector empty", [] { auto f = ValidCompany(); f.sect = ""; return f; }(),
         "Sectorul introdus este incorect!", "sect"},
        {"sector 0", [] { auto f = ValidCompany(); f.sect = "0"; return f; }(),
         "Sectorul introdus este incorect!", "sect"},
        {"sector 7", [] { auto f = ValidCompany(); f.sect = "7"; return f; }(),
         "Sectorul introdus este incorect!", "sect"},
        {"no county (an old company)", [] { auto f = ValidCompany(); f.jud = "??"; return f; }(),
         "Trebuie sa alegi judetul societatii!", "jud"},
        {"bad code and bad day: the code is told first",
         [] { auto f = ValidCompany("1"); f.ziuaLic = "40"; return f; }(),
         "CUI-ul introdus este incorect!", "cf"},
    };
    for (const auto& c : cases) {
        m_prompter.ExpectMessage(c.message);
        const Outcome saved = m_health->Save(c.fields, CompanyEdit::Adding());
        EXPECT_FALSE(saved.Ok()) << c.what;
        EXPECT_EQ(c.field, saved.Field()) << c.what;
        EXPECT_EQ(c.message, saved.Message()) << c.what;
    }
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.societati"));
}

TEST_F(CompanyRegisterTest, AcceptedValuesAreStoredInTheirColumns) {
    CompanyRecord f = ValidCompany(kCnp);
    f.ziuaLic = "07";
    f.c1 = "ro49aaaa1b31007593840000";
    f.lunaLic = "1";
    f.email = "a@b.ro";
    f.regCom = "J40/1234/2003";
    const long long index = Add(f);
    EXPECT_EQ("1800101221144|07|1|MB|3|ro49aaaa1b31007593840000|a@b.ro",
              SqlScalar("SELECT CONCAT_WS('|', cf, ziua_lic, luna_lic, jud, sect, c1, email) "
                        "FROM asigurati.societati WHERE `index`=" +
                        std::to_string(index)));
    CompanyRecord alba = ValidCompany(kOtherCui);
    alba.jud = "AB";
    alba.sect = "7";  // not Bucharest: the sector field does not count
    Add(alba);
    EXPECT_EQ("AB|0", SqlScalar("SELECT CONCAT_WS('|', jud, sect) FROM asigurati.societati "
                                "WHERE cf=23456783"));
    auto loaded = m_health->Load(index);
    ASSERT_TRUE(loaded);
    EXPECT_EQ("MB", loaded->jud);
    EXPECT_EQ("3", loaded->sect);
    EXPECT_EQ("1", loaded->lunaLic);
    EXPECT_EQ("ro49aaaa1b31007593840000", loaded->c1);
    EXPECT_EQ("J40/1234/2003", loaded->regCom);
    EXPECT_EQ("07", loaded->ziuaLic);
    // Outside Bucharest the stored "0" is no sector to show.
    auto albaLoaded = m_health->Load(std::stoll(SqlScalar(
        "SELECT `index` FROM asigurati.societati WHERE cf=23456783")));
    ASSERT_TRUE(albaLoaded);
    EXPECT_EQ("", albaLoaded->sect);
    EXPECT_EQ("0", albaLoaded->lunaLic);
    EXPECT_FALSE(m_health->Load(index + 100));
}

TEST_F(CompanyRegisterTest, ACodeCanBelongToOneCompanyOnly) {
    const long long first = Add(ValidCompany());
    m_prompter.ExpectMessage("CUI-ul/CNP-ul introdus exista deja inregistrat un baza de date!");
    const Outcome duplicate = m_health->Save(ValidCompany(), CompanyEdit::Adding());
    EXPECT_EQ("cf", duplicate.Field());
    // The form marks the field with what was said.
    EXPECT_EQ("CUI-ul/CNP-ul introdus exista deja inregistrat un baza de date!",
              duplicate.Message());
    // Saving a company unchanged ignores its own row.
    EXPECT_TRUE(m_health->Save(ValidCompany(), Modifying(first, kCui)));
    const long long second = Add(ValidCompany(kOtherCui));
    m_prompter.ExpectMessage("CUI-ul/CNP-ul introdus exista deja inregistrat un baza de date!");
    EXPECT_FALSE(m_health->Save(ValidCompany(kCui), Modifying(second, kOtherCui)));
}

TEST_F(CompanyRegisterTest, UnchangedCodeMovesNothingAndAChangedOneMovesEverything) {
    const long long index = Add(ValidCompany());
    AddRecordsOf(kCui);
    RunSql("UPDATE asigurati.asigurati SET nume='X'");
    auto renamed = ValidCompany();
    renamed.denumire = "BETA SRL";
    ASSERT_TRUE(m_health->Save(renamed, Modifying(index, kCui)));
    EXPECT_EQ("1111111", RecordsOf(kCui));

    ASSERT_TRUE(m_health->Save(ValidCompany(kOtherCui), Modifying(index, kCui)));
    EXPECT_EQ("0000000", RecordsOf(kCui));
    EXPECT_EQ("1111111", RecordsOf(kOtherCui));
}

TEST_F(CompanyRegisterTest, AFailedMoveLeavesTheCompanyAndItsRecordsAsTheyWere) {
    const long long index = Add(ValidCompany());
    AddRecordsOf(kCui);
    BreakTable("asigurati.sume_societati", "UPDATE");
    m_prompter.ExpectMessage("EROARE Mysql:\n\nstricat");
    EXPECT_FALSE(m_health->Save(ValidCompany(kOtherCui), Modifying(index, kCui)));
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
        EXPECT_FALSE(m_leave->Delete(kCui));
        EXPECT_EQ("1111111", RecordsOf(kCui)) << "No at question " << no + 1;
    }
    for (int q = 0; q < 3; ++q) m_prompter.ExpectQuestion(questions[q], true);
    EXPECT_TRUE(m_health->Delete(kCui));
    EXPECT_EQ("0000000", RecordsOf(kCui));
}

TEST_F(CompanyRegisterTest, ACompanyWithoutRecordsIsAskedAboutOnce) {
    Add(ValidCompany());
    Add(ValidCompany(kOtherCui));
    AddRecordsOf(kOtherCui);
    m_prompter.ExpectQuestion("Esti sigur ca vrei sa stergi societatea selectata?", true);
    EXPECT_TRUE(m_health->Delete(kCui));
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
    EXPECT_FALSE(m_health->Delete(kCui));
    EXPECT_EQ("1111111", RecordsOf(kCui));
}

TEST_F(CompanyRegisterTest, ACodeThatIsNotANumberNeverReachesTheServer) {
    m_prompter.ExpectMessage(
        "Valoarea \"1 OR 1=1\" nu este un numar valid!\nOperatia nu a fost efectuata.");
    EXPECT_FALSE(m_health->Delete("1 OR 1=1"));
}

TEST_F(CompanyRegisterTest, CountersCountTheCompanysOpenAndLiquidatedPeople) {
    Add(ValidCompany());
    RunSql("INSERT INTO asigurati.asigurati (cf, cnp, cas, iesire) VALUES"
           " (12345674, 1, 'CAS_B', 0), (12345674, 2, 'CASAB', 0), (12345674, 3, 'CASAB', 0),"
           " (12345674, 4, 'CASCJ', 20250101), (23456783, 1, 'CASVN', 0);"
           "INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp) VALUES"
           " (12345674, 1, 11), (12345674, 1, 12), (12345674, 4, 13);");
    const CompanyCounters c = m_health->Count(kCui);
    EXPECT_EQ("2", c.houses);
    EXPECT_EQ("3", c.existing);
    EXPECT_EQ("1", c.liquidated);
    // Person 1 is open at two companies; the dependants are still counted once.
    EXPECT_EQ("2", c.coInsured);
}

TEST_F(CompanyRegisterTest, ListsFollowTheirWindowAndRowsShowWhatWasStored) {
    const long long alfa = Add(ValidCompany());
    Add(ValidCompany(kOtherCui));
    DataList health, leave;
    ASSERT_TRUE(m_health->FillList(health));
    ASSERT_TRUE(m_leave->FillList(leave));
    ASSERT_EQ(2, health.RowCount());
    EXPECT_EQ("DENUMIRE", health.ColumnName(0));
    EXPECT_EQ("CF", leave.ColumnName(0));
    EXPECT_EQ(250, health.ColumnWidth(health.ColumnIndex("DENUMIRE")));
    EXPECT_EQ(0, health.ColumnWidth(health.ColumnIndex("CF")));
    EXPECT_EQ(0, health.ColumnWidth(health.ColumnIndex("INDEX")));

    auto renamed = ValidCompany("1800101221144");
    renamed.denumire = "O'NEIL & FIII SRL";
    ASSERT_TRUE(m_health->Save(renamed, Modifying(alfa, kCui)));
    ASSERT_TRUE(m_health->RefreshRow(health, 0, alfa));
    EXPECT_EQ("O'NEIL & FIII SRL", health.CellText(0, "DENUMIRE"));
    EXPECT_EQ("1800101221144", health.CellText(0, "CF"));
    EXPECT_EQ(std::to_string(alfa), health.CellText(0, "INDEX"));
    EXPECT_EQ(kOtherCui, health.CellText(1, "CF"));
    EXPECT_FALSE(m_health->RefreshRow(health, 1, alfa + 100));  // gone: nothing to show
}

}  // namespace
