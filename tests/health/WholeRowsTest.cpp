// Records written as whole rows, one at a time or many at once: the insured
// register's and the sums register's look-ups and writes.
#include <gtest/gtest.h>

#include "TestServer.h"
#include "health/InsuredRegister.h"
#include "health/MonthlySums.h"
#include "health/SumsRegister.h"

namespace {

const char* const kCui = "12345674";
const char* const kOtherCui = "23456783";

InsuredRecord Person(const std::string& cnp, const std::string& nume = "POP") {
    InsuredRecord r;
    r.cf = kCui;
    r.cas = "CASAB";
    r.nume = nume;
    r.prenume = "ION";
    r.cnp = cnp;
    r.intrare = "20050101";
    r.forma = "S";
    return r;
}

SumsRow Sums(long long person, const std::string& month, const std::string& salary) {
    SumsRow s;
    s.idCnp = std::to_string(person);
    s.cf = kCui;
    s.cnp = "1800101221144";
    s.month = month;
    s.salariu = salary;
    s.asigDatorat = "82.5";
    s.asigVirat = "82";
    s.angDatorat = "78";
    s.angVirat = "77";
    return s;
}

class WholeRowsTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        m_insured = std::make_unique<InsuredRegister>(*m_client, kCui);
        m_sums = std::make_unique<SumsRegister>(*m_client);
    }
    std::string Person(long long index) {
        return SqlScalar(
            "SELECT CONCAT_WS('|', cf, cas, nume, prenume, cnp, intrare, iesire, "
            "forma) FROM asigurati.asigurati WHERE `index`=" +
            std::to_string(index));
    }
    std::string SumsAt(long long index) {
        return SqlScalar(
            "SELECT CONCAT_WS('|', id_cnp, cf, cnp, luna, salariu, asig_datorat, "
            "asig_virat, ang_datorat, ang_virat) FROM asigurati.sume WHERE `index`=" +
            std::to_string(index));
    }
    long long Key(const std::string& sql) { return std::stoll(SqlScalar(sql)); }
    // The server's step between keys; the connection gives its keys that far apart.
    void StepKeysBy(int step) {
        ASSERT_TRUE(
            m_client->Query("SET SESSION auto_increment_increment=" + std::to_string(step), false));
    }

    std::unique_ptr<InsuredRegister> m_insured;
    std::unique_ptr<SumsRegister> m_sums;
};

TEST_F(WholeRowsTest, OpenKeyLooksAtTheCompanysOpenRecordsOnly) {
    RunSql(
        "INSERT INTO asigurati.asigurati (cf, cnp, intrare, iesire) VALUES "
        "(12345674, 1800101221144, 20050101, 20060101),"
        "(23456783, 1800101221144, 20050101, 0),"
        "(12345674, 2800203400121, 20050101, 0),"
        "(12345674, 2800203400121, 20070101, 0)");
    EXPECT_EQ(std::optional<long long>(0), m_insured->FindOpenKey("1800101221144"));
    const long long first =
        Key("SELECT MIN(`index`) FROM asigurati.asigurati WHERE cnp=2800203400121");
    EXPECT_EQ(std::optional<long long>(first), m_insured->FindOpenKey("2800203400121"));

    // By the hire date a closed record counts too.
    const long long closed =
        Key("SELECT `index` FROM asigurati.asigurati WHERE cf=12345674 AND "
            "cnp=1800101221144");
    EXPECT_EQ(std::optional<long long>(closed),
              m_insured->FindKeyByHire("1800101221144", "20050101"));
    EXPECT_EQ(std::optional<long long>(0), m_insured->FindKeyByHire("1800101221144", "20050102"));

    const auto keys = m_insured->OpenKeysByCnp();
    ASSERT_TRUE(keys);
    ASSERT_EQ(1u, keys->size());  // the closed record and the other company's are not there
    EXPECT_EQ(first, keys->at(2800203400121LL));

    m_prompter.ExpectMessage(
        "Valoarea \"1800 OR 1\" nu este un numar valid!\nOperatia nu a fost "
        "efectuata.");
    EXPECT_FALSE(m_insured->FindOpenKey("1800 OR 1"));
}

TEST_F(WholeRowsTest, AWholeRecordIsWrittenAsGivenAndTheLeavingDateOnlyWhenAsked) {
    InsuredRecord record = ::Person("1800101221144");
    record.iesire = "20080101";
    const Outcome added = m_insured->WriteWhole(record, 0, false);
    ASSERT_TRUE(added);
    EXPECT_EQ("12345674|CASAB|POP|ION|1800101221144|20050101|0|S", Person(added.Key()));

    record.nume = "POPESCU";
    record.forma = "CM";
    const Outcome updated = m_insured->WriteWhole(record, added.Key(), true);
    ASSERT_TRUE(updated);
    EXPECT_EQ(added.Key(), updated.Key());
    EXPECT_EQ("12345674|CASAB|POPESCU|ION|1800101221144|20050101|20080101|CM", Person(added.Key()));
    EXPECT_EQ("1", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati"));
}

TEST_F(WholeRowsTest, ManyRecordsGetTheKeysTheServerGaveEvenAStepApart) {
    RunSql(
        "INSERT INTO asigurati.asigurati (cf, cnp, nume, iesire) VALUES "
        "(12345674, 1800101221144, 'VECHI', 0), (12345674, 2800203400121, 'ALT', 0)");
    const long long old = Key("SELECT `index` FROM asigurati.asigurati WHERE nume='VECHI'");
    StepKeysBy(3);
    ASSERT_TRUE(m_insured->UpdateMany({old}, {::Person("1800101221144", "NOU")}));
    EXPECT_EQ("12345674|CASAB|NOU|ION|1800101221144|20050101|0|S", Person(old));
    EXPECT_EQ("ALT", SqlScalar("SELECT nume FROM asigurati.asigurati WHERE cnp=2800203400121"));

    const auto keys =
        m_insured->InsertMany({::Person("1700101221143", "A"), ::Person("1700101221144", "B"),
                               ::Person("1700101221145", "C")},
                              3);
    ASSERT_TRUE(keys);
    ASSERT_EQ(3u, keys->size());
    EXPECT_EQ("A", SqlScalar("SELECT nume FROM asigurati.asigurati WHERE `index`=" +
                             std::to_string((*keys)[0])));
    EXPECT_EQ("C", SqlScalar("SELECT nume FROM asigurati.asigurati WHERE `index`=" +
                             std::to_string((*keys)[2])));
    // Told the wrong step, the last key does not hold the last record: nothing.
    EXPECT_FALSE(
        m_insured->InsertMany({::Person("1600101221142", "D"), ::Person("1600101221143", "E")}, 1));
}

TEST_F(WholeRowsTest, SumsAreFoundByRecordAndMonthAndWrittenByKey) {
    EXPECT_EQ(std::optional<long long>(0), m_sums->FindKey(7, "200907"));
    const Outcome added = m_sums->Write(Sums(7, "200907", "1500"), 0);
    ASSERT_TRUE(added);
    EXPECT_EQ("7|12345674|1800101221144|200907|1500|82.5|82|78|77", SumsAt(added.Key()));
    EXPECT_EQ(std::optional<long long>(added.Key()), m_sums->FindKey(7, "200907"));
    EXPECT_EQ(std::optional<long long>(0), m_sums->FindKey(7, "200908"));
    EXPECT_EQ(std::optional<long long>(0), m_sums->FindKey(8, "200907"));

    ASSERT_TRUE(m_sums->Write(Sums(7, "200907", "1600"), added.Key()));
    EXPECT_EQ("7|12345674|1800101221144|200907|1600|82.5|82|78|77", SumsAt(added.Key()));

    // The insured's contribution only: salary and the employer's stay at 0.
    SumsRow insured = Sums(9, "200907", "999");
    insured.extent = SumsExtent::InsuredOnly;
    const Outcome partial = m_sums->Write(insured, 0);
    ASSERT_TRUE(partial);
    EXPECT_EQ("9|12345674|1800101221144|200907|0|82.5|82|0|0", SumsAt(partial.Key()));
}

TEST_F(WholeRowsTest, ManySumsAreLookedUpInGroupsAndWrittenAtOnce) {
    // More records than one look-up names, and a pair stored twice.
    std::string values;
    for (int person = 1; person <= 1201; ++person)
        values += (person > 1 ? "," : "") + std::string("(") + std::to_string(person) +
                  ", 12345674, 200907, 1000)";
    RunSql("INSERT INTO asigurati.sume (id_cnp, cf, luna, salariu) VALUES " + values +
           ", (1201, 12345674, 200907, 2000), (5, 12345674, 200908, 1000)");
    std::vector<long long> persons;
    for (long long person = 1; person <= 1201; ++person) persons.push_back(person);
    const auto keys = m_sums->FindKeys(persons, {200907});
    ASSERT_TRUE(keys);
    EXPECT_EQ(1201u, keys->size());
    const long long lowest =
        Key("SELECT MIN(`index`) FROM asigurati.sume WHERE id_cnp=1201 AND luna=200907");
    EXPECT_EQ(lowest, keys->at({1201, 200907}));
    EXPECT_EQ(0u, keys->count({5, 200908}));  // a month not asked for
    EXPECT_TRUE(m_sums->FindKeys({}, {200907})->empty());

    StepKeysBy(2);
    ASSERT_TRUE(m_sums->UpdateMany({lowest}, {Sums(1201, "200907", "3000")}));
    EXPECT_EQ("1201|12345674|1800101221144|200907|3000|82.5|82|78|77", SumsAt(lowest));
    const auto added =
        m_sums->InsertMany({Sums(2001, "200909", "1"), Sums(2002, "200909", "2")}, 2);
    ASSERT_TRUE(added);
    ASSERT_EQ(2u, added->size());
    EXPECT_EQ("2002|12345674|1800101221144|200909|2|82.5|82|78|77", SumsAt((*added)[1]));
    EXPECT_FALSE(m_sums->InsertMany({Sums(2003, "200909", "1"), Sums(2004, "200909", "2")}, 1));
}

// The sums form and the import write through one table of the row: each
// leaves the columns it does not carry at the table's defaults, set here
// apart from the zeros a write would put.
TEST_F(WholeRowsTest, EachWriteLeavesTheAmountsItDoesNotCarryAtTheTablesDefaults) {
    RebuildAfterTest();
    RunSql(
        "ALTER TABLE asigurati.sume ALTER salariu SET DEFAULT 11, ALTER ang_datorat SET "
        "DEFAULT 12, ALTER ang_virat SET DEFAULT 13");

    SumsRow annex = Sums(9, "200907", "999");
    annex.extent = SumsExtent::InsuredOnly;
    const Outcome insured = m_sums->Write(annex, 0);
    ASSERT_TRUE(insured);
    EXPECT_EQ("9|12345674|1800101221144|200907|11|82.5|82|12|13", SumsAt(insured.Key()));

    EmployeeMonth employee;
    employee.key = 7;
    employee.person.cf = kCui;
    employee.person.cnp = "1800101221144";
    ASSERT_TRUE(MonthlySums(*m_client, "200907").Save(employee, {"1500", "82.5", "82"}));
    const long long typed =
        Key("SELECT `index` FROM asigurati.sume WHERE id_cnp=7 AND luna=200907");
    EXPECT_EQ("7|12345674|1800101221144|200907|1500|82.5|82|12|13", SumsAt(typed));

    // The import's whole row of the same values is the same row, account
    // flag included.
    SumsRow whole = Sums(8, "200907", "1500");
    whole.angDatorat = "12";
    whole.angVirat = "13";
    const Outcome imported = m_sums->Write(whole, 0);
    ASSERT_TRUE(imported);
    EXPECT_EQ("8|12345674|1800101221144|200907|1500|82.5|82|12|13", SumsAt(imported.Key()));
    const std::string flags =
        "SELECT GROUP_CONCAT(CONCAT('[', ZZ_CONT, ']') ORDER BY id_cnp) FROM asigurati.sume "
        "WHERE id_cnp IN (7, 8)";
    EXPECT_EQ("[],[]", SqlScalar(flags));
}

}  // namespace
