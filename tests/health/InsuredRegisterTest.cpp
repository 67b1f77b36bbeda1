// The insured register against the test server, questions answered by script.
#include <gtest/gtest.h>

#include "TestCompanies.h"
#include "TestServer.h"
#include "datalist/DataList.h"
#include "health/InsuredRegister.h"

namespace {

const char* const kCf = "12345674";
const char* const kOtherCf = "23456783";
const char* const kCnp = "1800101221144";
const char* const kOtherCnp = "2800203400121";

InsuredRecord Person(const std::string& cnp = kCnp, const std::string& hire = "20240115") {
    InsuredRecord r;
    r.cas = "CASAB";
    r.nume = "POPESCU";
    r.prenume = "ION";
    r.cnp = cnp;
    r.intrare = hire;
    r.forma = "CM";
    return r;
}

class InsuredRegisterTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        AddAlfaAndBetaCompanies();
        m_insured = std::make_unique<InsuredRegister>(*m_client, kCf);
    }
    long long Hire(const InsuredRecord& record) {
        const Outcome saved = m_insured->Save(record, InsuredEdit{});
        EXPECT_TRUE(saved.Ok());
        return saved.Key();
    }
    std::string Stored(long long index) {
        return SqlScalar("SELECT CONCAT_WS('|', cf, cas, nume, prenume, cnp, intrare, iesire, "
                         "forma) FROM asigurati.asigurati WHERE `index`=" +
                         std::to_string(index));
    }
    void BreakTable(const std::string& table, const std::string& when) {
        RebuildAfterTest();
        RunSql("CREATE TRIGGER asigurati.broken BEFORE " + when + " ON " + table +
               " FOR EACH ROW SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT='stricat'");
    }
    InsuredEdit Modifying(long long index) {
        auto loaded = m_insured->Load(index);
        EXPECT_TRUE(loaded);
        return loaded ? loaded->edit : InsuredEdit{};
    }

    std::unique_ptr<InsuredRegister> m_insured;
};

TEST_F(InsuredRegisterTest, FieldChecksComeInOrderAndNameTheirField) {
    const struct {
        InsuredRecord record;
        const char* message;
        const char* field;
    } cases[] = {
        {[] { auto r = Person(); r.nume.clear(); r.prenume.clear(); return r; }(),
         "Trebuie sa introduci un nume!", "nume"},
        {[] { auto r = Person(); r.prenume.clear(); return r; }(),
         "Trebuie sa introduci un prenume!", "prenume"},
        {Person("1800101221145"), "CNP-ul introdus este invalid!", "cnp"},
        {Person(kCnp, "20240231"), "Data angajarii introdusa este incorecta!", "intrare"},
        {Person(kCnp, "0000"), "Data angajarii introdusa este incorecta!", "intrare"},
        {Person(kCnp, "2024115"), "Data angajarii introdusa este incorecta!", "intrare"},
        {[] { auto r = Person(); r.cas = ""; return r; }(), "Trebuie sa alegi casa de asigurari!",
         "cas"},
    };
    for (const auto& c : cases) {
        m_prompter.ExpectMessage(c.message);
        const Outcome saved = m_insured->Save(c.record, InsuredEdit{});
        EXPECT_EQ(c.field, saved.Field()) << c.message;
    }
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati"));
}

TEST_F(InsuredRegisterTest, AHireIsStoredInItsColumnsAndLoadsBack) {
    const long long index = Hire(Person());
    EXPECT_EQ("12345674|CASAB|POPESCU|ION|1800101221144|20240115|0|CM", Stored(index));
    const auto loaded = m_insured->Load(index);
    ASSERT_TRUE(loaded);
    EXPECT_EQ("CASAB", loaded->record.cas);
    EXPECT_EQ("20240115", loaded->record.intrare);
    EXPECT_EQ(kCnp, loaded->edit.formerCnp);
    EXPECT_FALSE(loaded->edit.liquidationShown);  // an open record
    m_prompter.ExpectMessage("A survenit o eroare!");
    EXPECT_FALSE(m_insured->Load(index + 50));
}

TEST_F(InsuredRegisterTest, OneOpenRecordPerPersonAndCompany) {
    const long long first = Hire(Person());
    auto otherHouse = Person();
    otherHouse.cas = "CAS_B";
    otherHouse.forma = "S";
    m_prompter.ExpectMessage("CNP-ul introdus exista deja in societatea curenta!");
    EXPECT_EQ("cnp", m_insured->Save(otherHouse, InsuredEdit{}).Field());
    // The record itself does not count against its own modify.
    EXPECT_TRUE(m_insured->Save(otherHouse, Modifying(first)));
    const long long second = Hire(Person(kOtherCnp));
    m_prompter.ExpectMessage("CNP-ul introdus exista deja in societatea curenta!");
    EXPECT_FALSE(m_insured->Save(Person(kCnp), Modifying(second)));
}

TEST_F(InsuredRegisterTest, AReHireMustFollowTheLatestLiquidationAtThisCompany) {
    RunSql("INSERT INTO asigurati.asigurati (cf, cnp, cas, nume, prenume, intrare, iesire) VALUES "
           "(12345674, 1800101221144, 'CAS_B', 'P', 'I', 20200101, 20210301),"
           "(12345674, 1800101221144, 'CAS_B', 'P', 'I', 20220101, 20230310),"
           "(23456783, 1800101221144, 'CAS_B', 'P', 'I', 20230401, 20250101)");
    m_prompter.ExpectMessage(
        "CNP-ul introdus a fost lichidat ultima oara de la aceasta firma la data de: "
        "10.03.2023\n\nNu poate fi re-angajat la o data anterioara!");
    EXPECT_EQ("intrare", m_insured->Save(Person(kCnp, "20230310"), InsuredEdit{}).Field());
    // The other company's later liquidation does not block: the day after ours is fine.
    Hire(Person(kCnp, "20230311"));
}

TEST_F(InsuredRegisterTest, OpenElsewhereOrAsADependantAsksAndNoKeepsTheFormOpen) {
    RunSql("INSERT INTO asigurati.asigurati (cf, cnp, cas, forma, iesire) VALUES "
           "(23456783, 1800101221144, 'CASCJ', 'SCS', 0), (23456783, 2800203400121, 'CASCJ', 'S', 0);"
           "INSERT INTO asigurati.asigurati (cf, cnp, nume, prenume, iesire) VALUES "
           "(23456783, 1850505123457, 'IONESCU', 'MARIA', 0);"
           "INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp) VALUES "
           "(23456783, 1850505123457, 1800101221144)");
    const std::string elsewhere =
        "CNP-ul introdus exista deja la societatea:\nBETA SRL\ncu forma de angajare: "
        "SCS\n\nVrei sa continui?";
    const std::string dependant =
        "CNP-ul introdus exista figureaza deja ca si coasigurat al asiguratului:\nIONESCU "
        "MARIA\nla societatea:\nBETA SRL\n\nVrei sa continui?";
    m_prompter.ExpectQuestion(elsewhere, false);
    EXPECT_FALSE(m_insured->Save(Person(), InsuredEdit{}));
    m_prompter.ExpectQuestion(elsewhere, true).ExpectQuestion(dependant, false);
    EXPECT_FALSE(m_insured->Save(Person(), InsuredEdit{}));
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati WHERE cf=12345674"));
    m_prompter.ExpectQuestion(elsewhere, true).ExpectQuestion(dependant, true);
    EXPECT_TRUE(m_insured->Save(Person(), InsuredEdit{}));
}

TEST_F(InsuredRegisterTest, ModifyMovesDependantsAndSumsEverywhereAndCanReopen) {
    RunSql("INSERT INTO asigurati.asigurati (cf, cnp, cas, nume, prenume, intrare, iesire, forma) "
           "VALUES (12345674, 1800101221144, 'CAS_B', 'P', 'I', 20200101, 20210301, 'S');"
           "INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp) VALUES "
           "(12345674, 1800101221144, 11), (23456783, 1800101221144, 12);"
           "INSERT INTO asigurati.sume (cf, cnp, luna) VALUES (23456783, 1800101221144, 202101)");
    const long long index = std::stoll(SqlScalar("SELECT `index` FROM asigurati.asigurati"));
    auto loaded = m_insured->Load(index);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded->edit.liquidationShown);
    EXPECT_EQ("20210301", loaded->record.iesire);
    InsuredRecord changed = loaded->record;
    changed.cnp = kOtherCnp;
    changed.iesire = "0000";  // the three liquidation fields emptied
    ASSERT_TRUE(m_insured->Save(changed, loaded->edit));
    EXPECT_EQ("12345674|CAS_B|P|I|2800203400121|20200101|0|S", Stored(index));
    EXPECT_EQ("2", SqlScalar("SELECT COUNT(*) FROM asigurati.coasigurati WHERE cnp_asig=" +
                             std::string(kOtherCnp)));
    EXPECT_EQ("1", SqlScalar("SELECT COUNT(*) FROM asigurati.sume WHERE cnp=" +
                             std::string(kOtherCnp)));

    auto again = m_insured->Load(index);
    ASSERT_TRUE(again);
    EXPECT_FALSE(again->edit.liquidationShown);  // now open: the date is not edited
}

TEST_F(InsuredRegisterTest, AFailedModifyLeavesThePersonAsBefore) {
    const long long index = Hire(Person());
    RunSql("INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp) VALUES (12345674, " +
           std::string(kCnp) + ", 11)");
    BreakTable("asigurati.sume", "UPDATE");
    RunSql("INSERT INTO asigurati.sume (cf, cnp, luna) VALUES (12345674, " + std::string(kCnp) +
           ", 202401)");
    m_prompter.ExpectMessage("EROARE Mysql:\n\nstricat");
    EXPECT_FALSE(m_insured->Save(Person(kOtherCnp), Modifying(index)));
    EXPECT_EQ("12345674|CASAB|POPESCU|ION|1800101221144|20240115|0|CM", Stored(index));
    EXPECT_EQ("1", SqlScalar("SELECT COUNT(*) FROM asigurati.coasigurati WHERE cnp_asig=" +
                             std::string(kCnp)));
}

TEST_F(InsuredRegisterTest, LiquidationChecksItsStepsInOrder) {
    Hire(Person());
    const struct {
        const char* cnp;
        const char* liquidation;
        const char* message;
    } refused[] = {
        {"123", "20240201", "CNP-ul introdus este incorect!"},
        {kOtherCnp, "20240201", "CNP-ul introdus nu exista la societatea curenta!"},
        {kCnp, "20240230", "Data lichidarii introdusa este incorecta!"},
        {kCnp, "20240115", "Data lichidarii trebuie sa fie mai recenta decat data angajarii!"},
        {kCnp, "20231231", "Data lichidarii trebuie sa fie mai recenta decat data angajarii!"},
    };
    for (const auto& c : refused) {
        m_prompter.ExpectMessage(c.message);
        EXPECT_FALSE(m_insured->Liquidate(c.cnp, "20240115", c.liquidation)) << c.message;
    }
    ASSERT_TRUE(m_insured->Liquidate(kCnp, "20240115", "20240116"));
    EXPECT_EQ("20240116", SqlScalar("SELECT iesire FROM asigurati.asigurati"));
}

TEST_F(InsuredRegisterTest, TypeAheadFindsOpenRecordsOfThisCompanyByPrefixOnly) {
    Hire(Person("1850505123457"));
    Hire(Person(kCnp));
    RunSql("INSERT INTO asigurati.asigurati (cf, cnp, nume, iesire) VALUES "
           "(12345674, 1800202000006, 'GONE', 20200101), (23456783, 1811111111112, 'OTHER', 0)");
    auto found = m_insured->FindOpenByCnpPrefix("18");
    ASSERT_TRUE(found);
    EXPECT_EQ("1850505123457", found->cnp);  // the first hired comes first
    EXPECT_EQ("1800101221144", m_insured->FindOpenByCnpPrefix("180")->cnp);
    EXPECT_FALSE(m_insured->FindOpenByCnpPrefix("181"));  // another company's
    EXPECT_FALSE(m_insured->FindOpenByCnpPrefix("1800202"));  // liquidated
    EXPECT_FALSE(m_insured->FindOpenByCnpPrefix("1_"));
    EXPECT_FALSE(m_insured->FindOpenByCnpPrefix("O'B%"));
}

TEST_F(InsuredRegisterTest, DeletingTheLastRecordOfAPersonTakesHisDependantsEverywhere) {
    const long long first = Hire(Person(kCnp, "20200101"));
    ASSERT_TRUE(m_insured->Liquidate(kCnp, "20200101", "20210101"));
    const long long second = Hire(Person(kCnp, "20220101"));
    RunSql("INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp) VALUES "
           "(12345674, 1800101221144, 11), (23456783, 1800101221144, 12);"
           "INSERT INTO asigurati.sume (cf, cnp, id_cnp, luna) VALUES "
           "(12345674, 1800101221144, " + std::to_string(first) + ", 202001), "
           "(12345674, 1800101221144, " + std::to_string(second) + ", 202201)");
    const char* sure = "Esti sigur ca vrei sa stergi inregistrarea selectata?\n\nOperatia este "
                       "ireversibila.";
    m_prompter.ExpectQuestion(sure, true).ExpectQuestion("Sigur, sigur?", false);
    EXPECT_FALSE(m_insured->Delete({first, kCnp, "20210101"}));
    EXPECT_EQ("2", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati"));

    m_prompter.ExpectQuestion(sure, true).ExpectQuestion("Sigur, sigur?", true);
    ASSERT_TRUE(m_insured->Delete({first, kCnp, "20210101"}));
    EXPECT_EQ("2", SqlScalar("SELECT COUNT(*) FROM asigurati.coasigurati"));
    EXPECT_EQ("1", SqlScalar("SELECT COUNT(*) FROM asigurati.sume"));

    m_prompter.ExpectQuestion(sure, true).ExpectQuestion("Sigur, sigur?", true);
    ASSERT_TRUE(m_insured->Delete({second, kCnp, "0"}));
    EXPECT_EQ("0|0|0", SqlScalar("SELECT CONCAT_WS('|', (SELECT COUNT(*) FROM "
                                 "asigurati.asigurati), (SELECT COUNT(*) FROM "
                                 "asigurati.coasigurati), (SELECT COUNT(*) FROM asigurati.sume))"));
}

TEST_F(InsuredRegisterTest, AFailedDeleteInTheMiddleKeepsEverything) {
    const long long index = Hire(Person());
    RunSql("INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp) VALUES (12345674, " +
           std::string(kCnp) + ", 11)");
    BreakTable("asigurati.asigurati", "DELETE");
    m_prompter
        .ExpectQuestion("Esti sigur ca vrei sa stergi inregistrarea selectata?\n\nOperatia este "
                        "ireversibila.",
                        true)
        .ExpectQuestion("Sigur, sigur?", true)
        .ExpectMessage("EROARE Mysql:\n\nstricat");
    EXPECT_FALSE(m_insured->Delete({index, kCnp, "0"}));
    EXPECT_EQ("1|1", SqlScalar("SELECT CONCAT_WS('|', (SELECT COUNT(*) FROM asigurati.asigurati), "
                               "(SELECT COUNT(*) FROM asigurati.coasigurati))"));
}

TEST_F(InsuredRegisterTest, ListsFilterByStateAndPaintLiquidatedRowsRed) {
    Hire(Person("1850505123457"));
    const long long gone = Hire(Person(kCnp));
    ASSERT_TRUE(m_insured->Liquidate(kCnp, "20240115", "20240301"));
    const struct {
        InsuredFilter filter;
        int rows;
    } filters[] = {{InsuredFilter::All, 2}, {InsuredFilter::Open, 1}, {InsuredFilter::Liquidated, 1}};
    for (const auto& f : filters) {
        DataList list;
        ASSERT_TRUE(m_insured->FillList(list, f.filter));
        EXPECT_EQ(f.rows, list.RowCount()) << InsuredRegister::FilterText(f.filter);
    }
    DataList list;
    ASSERT_TRUE(m_insured->FillList(list, InsuredFilter::All));
    EXPECT_EQ("1", list.ColumnKind(list.ColumnIndex("INTRARE")));
    EXPECT_EQ("1", list.ColumnKind(list.ColumnIndex("IESIRE")));
    EXPECT_EQ(0, list.ColumnWidth(list.ColumnIndex("CF")));
    EXPECT_EQ(0, list.ColumnWidth(list.ColumnIndex("INDEX")));
    const int goneRow = InsuredRegister::RowAt(list, 0).key == gone ? 0 : 1;
    EXPECT_EQ((Colour{255, 0, 0}), list.RowColoursAt(goneRow).m_textColour);
    EXPECT_EQ((Colour{0, 0, 0}), list.RowColoursAt(1 - goneRow).m_textColour);

    // Reopened through a modify: the refreshed row turns black again.
    auto loaded = m_insured->Load(gone);
    ASSERT_TRUE(loaded);
    loaded->record.iesire = "0000";
    ASSERT_TRUE(m_insured->Save(loaded->record, loaded->edit));
    ASSERT_TRUE(m_insured->RefreshRow(list, goneRow, gone));
    EXPECT_EQ("0", list.CellText(goneRow, "IESIRE"));
    EXPECT_EQ((Colour{0, 0, 0}), list.RowColoursAt(goneRow).m_textColour);
}

class EmploymentChangeTest : public InsuredRegisterTest {
protected:
    // An open record hired on `hire`, and the change the dialogs would ask for.
    EmploymentChange Change(ChangeKind kind, const std::string& hire, const std::string& on,
                            const std::string& newCode) {
        const long long index = Hire(Person(kCnp, hire));
        auto loaded = m_insured->Load(index);
        EXPECT_TRUE(loaded);
        return {kind, index, loaded ? loaded->record : InsuredRecord{}, newCode, on};
    }
    std::string Records() {
        return SqlScalar("SELECT GROUP_CONCAT(CONCAT_WS('/', cas, forma, intrare, iesire) ORDER BY "
                         "`index` SEPARATOR ' ') FROM asigurati.asigurati");
    }
};

TEST_F(EmploymentChangeTest, TheOldRecordClosesOnThePreviousCalendarDay) {
    const struct {
        const char* hire;
        const char* on;
        const char* records;
    } cases[] = {
        {"20090315", "20090401", "CASAB/CM/20090315/20090331 CASAB/S/20090401/0"},
        {"20071115", "20080301", "CASAB/CM/20071115/20080229 CASAB/S/20080301/0"},
        {"20090601", "20100101", "CASAB/CM/20090601/20091231 CASAB/S/20100101/0"},
        // The day after the hire closes the record on the hire date itself.
        {"20240115", "20240116", "CASAB/CM/20240115/20240115 CASAB/S/20240116/0"},
    };
    for (const auto& c : cases) {
        ResetData();
        AddAlfaCompany();
        const Outcome changed = m_insured->ChangeEmployment(Change(ChangeKind::Form, c.hire, c.on, "S"));
        ASSERT_TRUE(changed) << c.on;
        EXPECT_EQ(c.records, Records()) << c.on;
        EXPECT_EQ(c.on, SqlScalar("SELECT intrare FROM asigurati.asigurati WHERE `index`=" +
                                  std::to_string(changed.Key())));
    }
}

TEST_F(EmploymentChangeTest, TheChangeDateIsCheckedAndAHouseMustBeChosen) {
    const EmploymentChange base = Change(ChangeKind::House, "20240115", "20240115", "CASCJ");
    m_prompter.ExpectMessage(
        "Data schimbarii casei de asigurari trebuie sa fie mai recenta decat data angajarii!");
    EXPECT_EQ("changeDate", m_insured->ChangeEmployment(base).Field());
    auto invalid = base;
    invalid.changeDate = "20240230";
    m_prompter.ExpectMessage("Data schimbarii casei de asigurari este incorecta!");
    EXPECT_FALSE(m_insured->ChangeEmployment(invalid));
    auto form = base;
    form.kind = ChangeKind::Form;
    form.changeDate = "0000";
    m_prompter.ExpectMessage("Data modificarii formei de angajare este incorecta!");
    EXPECT_FALSE(m_insured->ChangeEmployment(form));
    auto noHouse = base;
    noHouse.changeDate = "20240201";
    noHouse.newCode = "";
    m_prompter.ExpectMessage("Trebuie sa alegi casa de asigurari!");
    EXPECT_FALSE(m_insured->ChangeEmployment(noHouse));
    EXPECT_EQ("CASAB/CM/20240115/0", Records());

    // The same house again is a change like any other.
    auto same = base;
    same.changeDate = "20240201";
    same.newCode = "CASAB";
    ASSERT_TRUE(m_insured->ChangeEmployment(same));
    EXPECT_EQ("CASAB/CM/20240115/20240131 CASAB/CM/20240201/0", Records());
}

TEST_F(EmploymentChangeTest, AFailedInsertLeavesTheOldRecordOpen) {
    const EmploymentChange change = Change(ChangeKind::House, "20240115", "20240201", "CASCJ");
    BreakTable("asigurati.asigurati", "INSERT");
    m_prompter.ExpectMessage("EROARE Mysql:\n\nstricat");
    EXPECT_FALSE(m_insured->ChangeEmployment(change));
    EXPECT_EQ("CASAB/CM/20240115/0", Records());
}

}  // namespace
