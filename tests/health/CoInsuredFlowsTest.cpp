// Adding, changing and deleting dependants, questions answered by script.
#include <gtest/gtest.h>

#include "TestCompanies.h"
#include "TestServer.h"
#include "datalist/DataList.h"
#include "health/CoInsuredRegister.h"
#include "health/InsuredRegister.h"

namespace {

const char* const kInsured = "1800101221144";
const char* const kOtherInsured = "2800203400121";
const char* const kSpouse = "2850101000010";
const char* const kParent = "1500101000019";

CoInsuredRecord Dependant(const std::string& cnp = kSpouse, const std::string& insured = kInsured) {
    return {"", insured, cnp, "POPESCU", "MARIA", "S"};
}

class CoInsuredFlowsTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        AddAlfaAndBetaCompanies();
        RunSql(
            "INSERT INTO asigurati.asigurati (cf, cnp, nume, prenume, intrare, iesire) VALUES "
            "(12345674, 1800101221144, 'POPESCU', 'ION', 20200101, 0),"
            "(12345674, 2800203400121, 'O''NEIL', 'ANA', 20200101, 0),"
            "(23456783, 1850505123457, 'IONESCU', 'DAN', 20200101, 0),"
            "(23456783, 1800202000006, 'VECHI', 'VASILE', 20100101, 20150101)");
        m_coInsured = std::make_unique<CoInsuredRegister>(*m_client, "12345674");
    }
    std::string Stored() {
        return SqlScalar("SELECT GROUP_CONCAT(CONCAT_WS('/', cf, cnp_asig, cnp, nume, prenume, tip) "
                         "ORDER BY `index` SEPARATOR ' ') FROM asigurati.coasigurati");
    }
    std::unique_ptr<CoInsuredRegister> m_coInsured;
};

TEST_F(CoInsuredFlowsTest, ChecksComeInOrderAndNameTheirField) {
    const struct {
        CoInsuredRecord record;
        const char* message;
        const char* field;
    } cases[] = {
        {Dependant(kSpouse, "1850505123457"),  // open, but at another company
         "Trebuie sa introduci un asigurat care exista in societatea curenta!", "cnp_asig"},
        {Dependant(kSpouse, "180' OR '1'='1"),
         "Trebuie sa introduci un asigurat care exista in societatea curenta!", "cnp_asig"},
        {Dependant("2850101000011"), "CNP-ul coasiguratului este incorect!", "cnp"},
        {[] { auto d = Dependant(); d.nume.clear(); return d; }(),
         "Trebuie sa introduci numele si prenumele coasiguratului!", "nume"},
        {[] { auto d = Dependant(); d.prenume.clear(); return d; }(),
         "Trebuie sa introduci numele si prenumele coasiguratului!", "prenume"},
    };
    for (const auto& c : cases) {
        m_prompter.ExpectMessage(c.message);
        EXPECT_EQ(c.field, m_coInsured->Save(c.record, {}).Field()) << c.message;
    }
    EXPECT_EQ("", Stored());
}

TEST_F(CoInsuredFlowsTest, ADependantIsCurrentForOnePersonOnly) {
    RunSql(std::string("INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp) VALUES "
                       "(23456783, 1850505123457, ") + kSpouse + "), (23456783, 1800202000006, " +
           kParent + ")");
    m_prompter.ExpectMessage(
        "CNP-ul coasiguratului introdus figureaza deja ca si coasigurat al asiguratului:\nIONESCU "
        "DAN\nla societatea:\nBETA SRL");
    EXPECT_EQ("cnp", m_coInsured->Save(Dependant(kSpouse), {}).Field());
    // The parent's insured person has only liquidated records: no longer current there.
    auto parent = Dependant(kParent);
    parent.tip = "P";
    const Outcome added = m_coInsured->Save(parent, {});
    ASSERT_TRUE(added);
    EXPECT_EQ("12345674/1800101221144/1500101000019/POPESCU/MARIA/P",
              SqlScalar("SELECT CONCAT_WS('/', cf, cnp_asig, cnp, nume, prenume, tip) FROM "
                        "asigurati.coasigurati WHERE `index`=" +
                        std::to_string(added.Key())));
    // Changing the dependant keeps his CNP: his own row does not count against him.
    parent.prenume = "GHEORGHE";
    ASSERT_TRUE(m_coInsured->Save(parent, {true, added.Key()}));
    EXPECT_EQ("GHEORGHE", SqlScalar("SELECT prenume FROM asigurati.coasigurati WHERE `index`=" +
                                    std::to_string(added.Key())));
}

TEST_F(CoInsuredFlowsTest, AnEmployedDependantIsAcceptedOnlyAfterTheQuestion) {
    const auto employed = Dependant(kOtherInsured);  // O'NEIL ANA works at this company
    const char* question =
        "CNP-ul coasiguratului introdus figureaza ca asigurat la societatea: ALFA SRL\n\nVrei sa "
        "continui?";
    m_prompter.ExpectQuestion(question, false);
    EXPECT_FALSE(m_coInsured->Save(employed, {}));
    EXPECT_EQ("", Stored());
    m_prompter.ExpectQuestion(question, true);
    EXPECT_TRUE(m_coInsured->Save(employed, {}));
}

TEST_F(CoInsuredFlowsTest, ListRowsAreRefreshedAndDeletedThroughTheChangeLog) {
    ASSERT_TRUE(m_coInsured->Save(Dependant(), {}));
    DataList list;
    ASSERT_TRUE(m_coInsured->FillList(list, kInsured));
    ASSERT_EQ(1, list.RowCount());
    CoInsuredRecord shown = CoInsuredRegister::RecordAt(list, 0);
    EXPECT_EQ(kSpouse, shown.cnp);
    EXPECT_EQ("S", shown.tip);
    const long long key = CoInsuredRegister::KeyAt(list, 0);
    shown.nume = "IONESCU";
    ASSERT_TRUE(m_coInsured->Save(shown, {true, key}));
    ASSERT_TRUE(m_coInsured->RefreshRow(list, 0, key));
    EXPECT_EQ("IONESCU", list.CellText(0, "NUME"));

    m_prompter.ExpectQuestion(
        "Esti sigur ca vrei sa stergi coasiguratul selectat?\n\nOperatia nu poate fi refacuta.",
        false);
    EXPECT_FALSE(m_coInsured->Delete(list, 0));
    m_prompter.ExpectQuestion(
        "Esti sigur ca vrei sa stergi coasiguratul selectat?\n\nOperatia nu poate fi refacuta.",
        true);
    ASSERT_TRUE(m_coInsured->Delete(list, 0));
    EXPECT_EQ("", Stored());
    EXPECT_EQ("IONESCU|D", SqlScalar("SELECT CONCAT_WS('|', nume, znew_op) FROM "
                                     "asigurati.zlog_coasigurati WHERE znew_op='D'"));
}

TEST_F(CoInsuredFlowsTest, TheInsuredNamesCompleteByLiteralPrefix) {
    InsuredRegister insured(*m_client, "12345674");
    auto found = insured.FindOpenByNamePrefix("O'N", "");
    ASSERT_TRUE(found);
    EXPECT_EQ(kOtherInsured, found->cnp);
    EXPECT_EQ("ANA", found->prenume);
    EXPECT_EQ(kInsured, insured.FindOpenByNamePrefix("", "IO")->cnp);
    EXPECT_FALSE(insured.FindOpenByNamePrefix("%", ""));
    EXPECT_FALSE(insured.FindOpenByNamePrefix("IONESCU", ""));  // another company's
}

}  // namespace
