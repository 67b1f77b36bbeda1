// What other modules read and write of a company through its register: the
// look-up by code, the list of codes and names, and the import's add.
#include <gtest/gtest.h>

#include "TestServer.h"
#include "datalist/DataList.h"
#include "health/CompanyRegister.h"

namespace {

class CompanyLookUpTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        m_register = std::make_unique<CompanyRegister>(*m_client, CompanyPlace::Leave);
        RunSql(
            "INSERT INTO asigurati.societati (cf, denumire, reg_com, repr, ziua_lic, luna_lic, "
            "jud, sect) VALUES (12345674, 'ALFA SRL', 'J40/1/2001', 'POPA DAN', '10', 1, 'AB', "
            "0), (23456783, 'BETA SRL', '', '', '5', 0, 'MB', 3)");
    }
    std::string Stored(const std::string& cf) {
        return SqlScalar(
            "SELECT CONCAT_WS('|', denumire, reg_com, repr, ziua_lic, luna_lic, jud, "
            "sect, loc) FROM asigurati.societati WHERE cf=" +
            cf);
    }
    std::unique_ptr<CompanyRegister> m_register;
};

TEST_F(CompanyLookUpTest, ACodeFindsItsCompanyAsStoredAndAnUnknownOneNothingInside) {
    const auto alfa = m_register->FindByCode("12345674");
    ASSERT_TRUE(alfa);
    ASSERT_TRUE(*alfa);
    EXPECT_EQ("12345674", (*alfa)->cf);
    EXPECT_EQ("ALFA SRL", (*alfa)->denumire);
    EXPECT_EQ("J40/1/2001", (*alfa)->regCom);
    EXPECT_EQ("POPA DAN", (*alfa)->repr);
    EXPECT_EQ("AB", (*alfa)->jud);
    // As stored, not as the form shows it: the callers decide what "0" means.
    EXPECT_EQ("0", (*alfa)->sect);
    EXPECT_EQ("1", (*alfa)->lunaLic);
    const auto beta = m_register->FindByCode("23456783");
    ASSERT_TRUE(beta && *beta);
    EXPECT_EQ("BETA SRL", (*beta)->denumire);
    EXPECT_EQ("3", (*beta)->sect);

    const auto unknown = m_register->FindByCode("34567892");
    ASSERT_TRUE(unknown);
    EXPECT_FALSE(*unknown);
}

TEST_F(CompanyLookUpTest, ACodeThatIsNotANumberIsRefusedBeforeTheServer) {
    m_prompter.ExpectMessage(
        "Valoarea \"1 OR 1=1\" nu este un numar valid!\nOperatia nu a fost "
        "efectuata.");
    EXPECT_FALSE(m_register->FindByCode("1 OR 1=1"));
    m_prompter.ExpectMessage(
        "Valoarea \"\" nu este un numar valid!\nOperatia nu a fost "
        "efectuata.");
    // The missing company's message is not shown for a failed look-up.
    EXPECT_FALSE(m_register->LoadByCode("", "Eroare #12"));
}

TEST_F(CompanyLookUpTest, LoadByCodeSaysOnceWhenTheCompanyIsMissing) {
    const auto alfa = m_register->LoadByCode("12345674", "Eroare #12");
    ASSERT_TRUE(alfa);
    EXPECT_EQ("ALFA SRL", alfa->denumire);
    m_prompter.ExpectMessage("Eroare #12");
    EXPECT_FALSE(m_register->LoadByCode("34567892", "Eroare #12"));
}

TEST_F(CompanyLookUpTest, TheListHoldsEveryCompanysCodeAndNameOnly) {
    DataList list;
    ASSERT_TRUE(m_register->FillCodesAndNames(list));
    ASSERT_EQ(2, list.RowCount());
    EXPECT_EQ(2, list.ColumnCount());
    std::string rows;
    for (int row = 0; row < list.RowCount(); ++row)
        rows += list.CellText(row, "CF") + "=" + list.CellText(row, "DENUMIRE") + ";";
    EXPECT_EQ("12345674=ALFA SRL;23456783=BETA SRL;", rows);
}

TEST_F(CompanyLookUpTest, AnImportAddsOnlyWhatItAskedForAndLeavesAKnownCompany) {
    CompanyRecord typed;
    typed.cf = "34567892";
    typed.denumire = std::string(300, 'N');
    typed.regCom = std::string(60, 'R');
    typed.repr = "ION";
    typed.ziuaLic = "15";
    typed.lunaLic = "da";  // anything but "1" is the same month
    typed.loc = "CLUJ";    // not asked by the import: not written
    const Outcome added = m_register->AddIfMissing(typed);
    ASSERT_TRUE(added);
    EXPECT_EQ(SqlScalar("SELECT `index` FROM asigurati.societati WHERE cf=34567892"),
              std::to_string(added.Key()));
    // Texts cut to their columns; county, sector and the rest at the table's
    // defaults, not at the form's ("MB").
    EXPECT_EQ(std::string(255, 'N') + "|" + std::string(50, 'R') + "|ION|15|0||0|",
              Stored("34567892"));

    typed.cf = "12345674";
    typed.denumire = "ALTA";
    typed.lunaLic = "0";
    EXPECT_TRUE(m_register->AddIfMissing(typed));
    EXPECT_EQ("ALFA SRL|J40/1/2001|POPA DAN|10|1|AB|0|", Stored("12345674"));
    EXPECT_EQ("3", SqlScalar("SELECT COUNT(*) FROM asigurati.societati"));

    typed.cf = "45678901";
    typed.lunaLic = "1";
    ASSERT_TRUE(m_register->AddIfMissing(typed));
    EXPECT_EQ("1", SqlScalar("SELECT luna_lic FROM asigurati.societati WHERE cf=45678901"));
}

}  // namespace
