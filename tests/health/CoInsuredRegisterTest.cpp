// The co-insured register's list against the test server.
#include <gtest/gtest.h>

#include "TestServer.h"
#include "datalist/DataList.h"
#include "health/CoInsuredRegister.h"

namespace {

const char* const kCnp = "1800101221144";

class CoInsuredRegisterTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        RunSql(std::string("INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp, nume, prenume, "
                           "tip) VALUES "
                           "(12345674, ") +
               kCnp + ", 2850101000012, 'POPESCU', 'MARIA', 'S'), (12345674, " + kCnp +
               ", 1500101000011, 'POPESCU', 'ANDREI', 'P'), (12345674, " + kCnp +
               ", 2500101000016, 'ALBU', 'ELENA', 'P'), (23456783, " + kCnp +
               ", 2700101000014, 'AAA', 'ALTA FIRMA', 'P'), (12345674, 2800203400121, "
               "2860101000013, 'AAB', 'ALT ASIGURAT', 'S')");
    }
    static std::string Names(const DataList& list) {
        std::string names;
        for (int row = 0; row < list.RowCount(); ++row)
            names += list.CellText(row, "NUME") + " " + list.CellText(row, "PRENUME") + ";";
        return names;
    }
};

TEST_F(CoInsuredRegisterTest, TheListHoldsThePersonsDependantsAtThisCompanyByName) {
    CoInsuredRegister coInsured(*m_client, "12345674");
    DataList list;
    ASSERT_TRUE(coInsured.FillList(list, kCnp));
    EXPECT_EQ("ALBU ELENA;POPESCU ANDREI;POPESCU MARIA;", Names(list));
    EXPECT_EQ("P", list.CellText(1, "TIP"));
    EXPECT_EQ("1500101000011", list.CellText(1, "CNP"));
    for (const char* hidden : {"CF", "CNP_ASIG", "INDEX", "ZZ_CONT"})
        EXPECT_EQ(0, list.ColumnWidth(list.ColumnIndex(hidden))) << hidden;
    for (const char* shown : {"CNP", "NUME", "PRENUME", "TIP"})
        EXPECT_LT(0, list.ColumnWidth(list.ColumnIndex(shown))) << shown;

    // A person without dependants: no rows, the header stays.
    ASSERT_TRUE(coInsured.FillList(list, "1850505123457"));
    EXPECT_EQ(0, list.RowCount());
    EXPECT_LE(0, list.ColumnIndex("NUME"));
}

TEST_F(CoInsuredRegisterTest, AValueThatIsNotANumberStopsBeforeAnyStatement) {
    DataList list;
    ASSERT_TRUE(CoInsuredRegister(*m_client, "12345674").FillList(list, kCnp));
    m_prompter.ExpectMessage(
        "Valoarea \"1 OR 1=1\" nu este un numar valid!\nOperatia nu a fost "
        "efectuata.");
    EXPECT_FALSE(CoInsuredRegister(*m_client, "12345674").FillList(list, "1 OR 1=1"));
    m_prompter.ExpectMessage(
        "Valoarea \"\" nu este un numar valid!\nOperatia nu a fost "
        "efectuata.");
    EXPECT_FALSE(CoInsuredRegister(*m_client, "").FillList(list, kCnp));
    EXPECT_EQ(3, list.RowCount());  // the list as it was
}

}  // namespace
