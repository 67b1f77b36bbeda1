// The plans of the annex and leave-file statements when the statistics say a
// table holds 2 rows, as they do after an import whose server stopped before
// it took them again: every joined table must be reached through a key, never
// scanned with a join buffer (10,000 x 10,000 comparisons took 25 s).
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "TestServer.h"
#include "db/LayoutCompletion.h"
#include "db/TableStatistics.h"
#include "db/Transaction.h"
#include "health/AnnexStatements.h"
#include "leave/LeaveFiles.h"
#include "leave/MonthChain.h"

namespace {

struct Access {
    std::string type;  // ALL, ref, eq_ref, index, range ...
    std::string key;
    std::string extra;
};

class QueryPlansTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        RunSql(
            "INSERT INTO asigurati.societati (cf, denumire) VALUES (12345674, 'ALFA SRL');"
            "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, forma, intrare) VALUES "
            "(12345674, 'CASAB', 'POP', 'ION', 1800101221144, 'S', 20050101), "
            "(12345674, 'CASAB', 'RUS', 'ANA', 2850505123459, 'S', 20050101);"
            "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, asig_datorat, asig_virat) SELECT "
            "`index`, cf, cnp, 200907, 82.5, 82.5 FROM asigurati.asigurati;"
            "INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp, nume, prenume, tip) VALUES "
            "(12345674, 1800101221144, 5100101000001, 'POP', 'MIHAI', 'S'), "
            "(12345674, 2850505123459, 6100101000002, 'RUS', 'ELENA', 'S');"
            "INSERT INTO concedii.declaratii (cf, luna) VALUES (12345674, 200907), "
            "(12345674, 200908);"
            "INSERT INTO concedii.concedii (id_declaratie, cf, cnp, nume, data_acordarii) SELECT "
            "`index`, cf, 1800101221144, 'POP', '2009-07-10' FROM concedii.declaratii;");
        // Taken now, the statistics say what the tables hold: 2 rows each.
        ASSERT_TRUE(RefreshTableStatistics(*m_client));
        ASSERT_EQ("2", SqlScalar("SELECT TABLE_ROWS FROM information_schema.TABLES WHERE "
                                 "TABLE_SCHEMA='asigurati' AND TABLE_NAME='sume'"));
    }

    // The plan of a statement by table alias.
    std::map<std::string, Access> Plan(const std::string& sql) {
        std::map<std::string, Access> plan;
        EXPECT_TRUE(m_client->Query("EXPLAIN " + sql, true)) << sql;
        for (long long row = 0; row < m_client->RowCount(); ++row)
            plan[m_client->GetValue(row, "TABLE")] = {m_client->GetValue(row, "TYPE"),
                                                      m_client->GetValue(row, "KEY"),
                                                      m_client->GetValue(row, "EXTRA")};
        return plan;
    }

    // `alias` is read through `key`, row by row, without a join buffer.
    static void ExpectKeyed(const std::map<std::string, Access>& plan, const std::string& alias,
                            const std::string& key) {
        ASSERT_TRUE(plan.count(alias)) << alias;
        const Access& access = plan.at(alias);
        EXPECT_TRUE(access.type == "ref" || access.type == "eq_ref")
            << alias << ": " << access.type;
        EXPECT_EQ(key, access.key) << alias;
        EXPECT_EQ(std::string::npos, access.extra.find("join buffer"))
            << alias << ": " << access.extra;
    }

    std::string AnnexText(Annex annex) {
        const auto month = ParseAnnexMonth("200907");
        const AnnexCompany company = CutCompanyTexts("12345674", "J40/1/2003", "POP ION");
        const auto literals = MakeAnnexLiterals(*m_client, *month, company, "CASAB");
        return AnnexQuery(annex, *literals).Text();
    }
};

TEST_F(QueryPlansTest, AnnexStatementsReachSumsAndDependantsThroughTheirKeys) {
    for (Annex annex : {Annex::A, Annex::C}) {
        const auto plan = Plan(AnnexText(annex));
        ExpectKeyed(plan, "s", "id_cnp_luna");
        EXPECT_NE("ALL", plan.at("a").type);
    }
    const auto plan = Plan(AnnexText(Annex::B));
    ExpectKeyed(plan, "c", "cnp_asig");
    EXPECT_NE("ALL", plan.at("a").type);
}

TEST_F(QueryPlansTest, LeaveFileStatementsReachTheCertificatesThroughTheirKey) {
    DeclarationRecord declaration;
    declaration.cf = "12345674";
    declaration.luna = "200907";
    declaration.rectifNr = "0";
    const auto chain = MonthChainQuery(m_prompter, declaration);
    ASSERT_TRUE(chain);
    ExpectKeyed(Plan(chain->Text()), "c", "id_declaratie");

    CompanyRecord company;
    company.cf = "12345674";
    const long long index = std::stoll(SqlScalar("SELECT MIN(`index`) FROM concedii.declaratii"));
    ExpectKeyed(Plan(LeaveA2Query(*m_client, declaration, company, index).Text()), "c",
                "id_declaratie");
}

// The statistics are those of the tables as they are after bulk work, and the
// refresh is never the one statement that ends a flow's transaction.
TEST_F(QueryPlansTest, RefreshTakesTheStatisticsAgainOutsideTransactionsOnly) {
    RunSql(
        "INSERT INTO asigurati.sume (id_cnp, cf, luna) SELECT seq, 1, 200907 FROM "
        "asigurati.seq_1_to_3000");
    {
        Transaction transaction(*m_client);
        ASSERT_TRUE(transaction.Begun());
        ASSERT_TRUE(m_client->Query(
            "INSERT INTO asigurati.setari (denumire) VALUES ('in tranzactie')", false));
        EXPECT_FALSE(RefreshTableStatistics(*m_client));
    }
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.setari WHERE "
                             "denumire='in tranzactie'"));
    ASSERT_TRUE(RefreshTableStatistics(*m_client));
    EXPECT_GT(std::stoll(SqlScalar("SELECT TABLE_ROWS FROM information_schema.TABLES WHERE "
                                   "TABLE_SCHEMA='asigurati' AND TABLE_NAME='sume'")),
              2500);
}

std::string KeyColumns(const std::string& table, const std::string& key) {
    return SqlScalar(
        "SELECT LOWER(GROUP_CONCAT(COLUMN_NAME ORDER BY SEQ_IN_INDEX)) FROM "
        "information_schema.STATISTICS WHERE TABLE_SCHEMA='asigurati' AND TABLE_NAME='" +
        table + "' AND INDEX_NAME='" + key + "'");
}

// An installation made before the keys held the joins' columns gets them at
// its next start, without a new schema version; a second start changes nothing.
TEST_F(QueryPlansTest, StartWidensTheKeysOfAnOlderInstallation) {
    RebuildAfterTest();
    RunSql(
        "ALTER TABLE asigurati.sume DROP KEY id_cnp_luna, ADD KEY id_cnp_luna (id_cnp, luna);"
        "ALTER TABLE asigurati.coasigurati DROP KEY cnp_asig, ADD KEY cnp_asig (cnp_asig);"
        "ALTER TABLE asigurati.asigurati DROP KEY cnp, ADD KEY cnp (cnp);"
        "ALTER TABLE asigurati.societati DROP KEY cf, ADD KEY cf (cf, denumire)");
    CompleteLayout(*m_client);
    EXPECT_EQ("id_cnp,luna,salariu,asig_datorat,asig_virat", KeyColumns("sume", "id_cnp_luna"));
    EXPECT_EQ("cnp_asig,cnp,nume,prenume,tip", KeyColumns("coasigurati", "cnp_asig"));
    EXPECT_EQ("cnp,iesire", KeyColumns("asigurati", "cnp"));
    // A key that already leads with the wanted columns is not touched.
    EXPECT_EQ("cf,denumire", KeyColumns("societati", "cf"));
    EXPECT_EQ(2, std::stoi(SqlScalar("SELECT COUNT(*) FROM asigurati.sume")));

    ASSERT_TRUE(m_client->Query("SHOW SESSION STATUS LIKE 'Com_alter_table'", true));
    const std::string before = m_client->GetValue(0, "VALUE");
    CompleteLayout(*m_client);
    ASSERT_TRUE(m_client->Query("SHOW SESSION STATUS LIKE 'Com_alter_table'", true));
    EXPECT_EQ(before, m_client->GetValue(0, "VALUE"));
}

}  // namespace
