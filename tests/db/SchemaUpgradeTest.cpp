// The upgrade ladder against databases of older releases (sql/fixtures).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "TestServer.h"
#include "db/SchemaUpgrade.h"

namespace {

const std::string kBox = "EROARE Mysql:\n\n";

class SchemaUpgradeTest : public DbTest {
protected:
    void LoadFixture(const std::string& name) {
        RebuildAfterTest();
        RunSqlFile("sql/fixtures/" + name + ".sql");
    }
    // Every version row, so a missing or doubled row shows.
    std::string StoredVersion() {
        return SqlScalar(
            "SELECT GROUP_CONCAT(setare) FROM asigurati.setari WHERE denumire='versiune'");
    }
    void SetVersion(const std::string& version) {
        RunSql("UPDATE asigurati.setari SET setare='" + version + "' WHERE denumire='versiune'");
    }
    // Statements of one kind this connection has run, as the server counts them.
    long long Counted(const std::string& counter) {
        EXPECT_TRUE(m_client->Query("SHOW SESSION STATUS LIKE '" + counter + "'", true));
        return std::stoll(m_client->GetValue(0, "VALUE"));
    }
    std::map<std::string, long long> Counters() {
        std::map<std::string, long long> counts;
        for (const char* name : {"Com_repair", "Com_alter_table", "Com_create_table", "Com_update",
                                 "Com_update_multi", "Com_delete", "Com_insert"})
            counts[name] = Counted(name);
        return counts;
    }
    std::map<std::string, long long> CountersDuringUpgrade(bool reachesTheTop = true) {
        const auto before = Counters();
        EXPECT_EQ(reachesTheTop, UpgradeSchema(*m_client).Ok());
        auto after = Counters();
        for (auto& [name, count] : after) count -= before.at(name);
        return after;
    }
    std::string Column(const std::string& sql) { return SqlScalar(sql); }
    // Each table with its column names in order, lower case.
    std::map<std::string, std::vector<std::string>> Layout() {
        return Lists(
            "SELECT CONCAT(TABLE_SCHEMA,'.',TABLE_NAME) AS T, LOWER(COLUMN_NAME) AS L "
            "FROM information_schema.COLUMNS WHERE TABLE_SCHEMA IN ('asigurati',"
            "'concedii') ORDER BY TABLE_SCHEMA, TABLE_NAME, ORDINAL_POSITION");
    }
    // The secondary indexes of the edited tables by their columns.
    std::map<std::string, std::vector<std::string>> Indexes() {
        return Lists(
            "SELECT CONCAT(TABLE_SCHEMA,'.',TABLE_NAME) AS T, LOWER(GROUP_CONCAT(COLUMN_NAME "
            "ORDER BY SEQ_IN_INDEX)) AS L FROM information_schema.STATISTICS WHERE TABLE_SCHEMA "
            "IN ('asigurati','concedii') AND INDEX_NAME<>'PRIMARY' AND TABLE_NAME NOT LIKE "
            "'zlog%' AND TABLE_NAME<>'cas' GROUP BY TABLE_SCHEMA, TABLE_NAME, INDEX_NAME ORDER BY "
            "L");
    }
    std::map<std::string, std::vector<std::string>> Lists(const std::string& sql) {
        std::map<std::string, std::vector<std::string>> lists;
        EXPECT_TRUE(m_client->Query(sql, true));
        for (long long row = 0; row < m_client->RowCount(); ++row)
            lists[m_client->GetValue(row, "T")].push_back(m_client->GetValue(row, "L"));
        return lists;
    }
};

// Renumbering moves the declarations' key to the end and older change logs
// gain their new columns at the end: there only the names count.
void CompareLayouts(std::map<std::string, std::vector<std::string>> fresh,
                    std::map<std::string, std::vector<std::string>> upgraded) {
    for (auto* layout : {&fresh, &upgraded})
        for (auto& [table, columns] : *layout)
            if (table.find("zlog_") != std::string::npos || table == "concedii.declaratii")
                std::sort(columns.begin(), columns.end());
    EXPECT_EQ(fresh, upgraded);
}

TEST_F(SchemaUpgradeTest, CurrentVersionRepairsAndRewritesTheVersionOnly) {
    const auto counts = CountersDuringUpgrade();
    EXPECT_EQ(2, counts.at("Com_repair"));
    EXPECT_EQ(0, counts.at("Com_alter_table"));
    EXPECT_EQ(0, counts.at("Com_create_table"));
    EXPECT_EQ(0, counts.at("Com_update_multi"));
    EXPECT_EQ(1, counts.at("Com_delete"));
    EXPECT_EQ(1, counts.at("Com_insert"));
    EXPECT_EQ(1, counts.at("Com_update"));  // the account of the new version row
    EXPECT_EQ("2.08", StoredVersion());
    EXPECT_EQ("2", Column("SELECT `index` FROM asigurati.setari WHERE denumire='versiune'"));
}

TEST_F(SchemaUpgradeTest, VersionsNoRungNamesPassThroughUnchanged) {
    for (const std::string version : {"2.10", "3.0", "1.1 BETA", "2.8"}) {
        SetVersion(version);
        const auto counts = CountersDuringUpgrade();
        EXPECT_EQ(0, counts.at("Com_alter_table")) << version;
        EXPECT_EQ(0, counts.at("Com_update_multi")) << version;
        EXPECT_EQ(version, StoredVersion());
    }
}

TEST_F(SchemaUpgradeTest, BetaDatabaseClimbsEveryRungInOneStart) {
    LoadFixture("version_1_1_beta");
    ASSERT_EQ("", StoredVersion());
    ASSERT_TRUE(UpgradeSchema(*m_client));
    EXPECT_EQ("2.08", StoredVersion());

    EXPECT_EQ("1:S:CASHR,2:S:CAS_A,3:S:CAS_B",
              Column("SELECT GROUP_CONCAT(`index`,':',forma,':',cas ORDER BY `index`) FROM "
                     "asigurati.asigurati"));
    EXPECT_EQ("CASAB,CASHR,CAS_A,CAS_B",
              Column("SELECT GROUP_CONCAT(cas ORDER BY cas) FROM asigurati.cas"));
    // Sums link to the person's record at their own company; employee
    // contributions are whole lei, the employer's are left alone.
    EXPECT_EQ("1:1:65:66:12.34:0,2:2:70:70:20.5:0,3:3:30:31:9.99:0",
              Column("SELECT GROUP_CONCAT(`index`,':',id_cnp,':',asig_datorat,':',asig_virat,':',"
                     "ang_datorat,':',salariu ORDER BY `index`) FROM asigurati.sume"));
    EXPECT_EQ("ALFA SRL::", Column("SELECT CONCAT(denumire,':',LOC,':',C2) FROM "
                                   "asigurati.societati WHERE `index`=1"));
    // No certificate existed: the declarations are numbered from 1 in order.
    EXPECT_EQ("1:200401,2:200402",
              Column("SELECT GROUP_CONCAT(`index`,':',luna ORDER BY `index`) FROM "
                     "concedii.declaratii"));
    EXPECT_EQ("utf8mb3:latin1",
              Column("SELECT GROUP_CONCAT(CHARACTER_SET_NAME ORDER BY COLUMN_NAME DESC SEPARATOR "
                     "':') FROM information_schema.COLUMNS WHERE TABLE_SCHEMA='concedii' AND "
                     "TABLE_NAME='concedii' AND COLUMN_NAME IN ('prenume','cas')"));
    EXPECT_EQ("TOT_CONTRI", Column("SELECT COLUMN_COMMENT FROM information_schema.COLUMNS WHERE "
                                   "TABLE_SCHEMA='concedii' AND TABLE_NAME='declaratii' AND "
                                   "COLUMN_NAME='contributii_datorate'"));
}

TEST_F(SchemaUpgradeTest, UpgradedBetaHasTheLayoutOfANewInstallation) {
    const auto freshLayout = Layout();
    const auto freshIndexes = Indexes();
    LoadFixture("version_1_1_beta");
    ASSERT_TRUE(UpgradeSchema(*m_client));
    const auto upgraded = Layout();
    CompareLayouts(freshLayout, upgraded);
    EXPECT_EQ(freshIndexes, Indexes());
    EXPECT_EQ("0", Column("SELECT COUNT(*) FROM information_schema.COLUMNS WHERE TABLE_SCHEMA IN "
                          "('asigurati','concedii') AND EXTRA LIKE '%on update%'"));
    EXPECT_EQ("int,int", Column("SELECT GROUP_CONCAT(DATA_TYPE) FROM information_schema.COLUMNS "
                                "WHERE TABLE_SCHEMA='concedii' AND COLUMN_NAME='baza_calc'"));
    // Strict mode takes a row that names no column at all, as in a new installation.
    for (const auto& [table, columns] : upgraded) RunSql("INSERT INTO " + table + " () VALUES ()");
    // The widened log of the sums keeps the columns the sums gained.
    m_client->ClearFields();
    m_client->AddField("SALARIU", "1500");
    ASSERT_TRUE(m_client->UpdateRecord(1, "ASIGURATI", "SUME", ""));
    EXPECT_EQ("1:0:M", Column("SELECT CONCAT(id_cnp,':',salariu,':',znew_op) FROM "
                              "asigurati.zlog_sume WHERE znew_op='M'"));

    // A second start finds nothing left to do.
    const auto counts = CountersDuringUpgrade();
    EXPECT_EQ(0, counts.at("Com_alter_table"));
    EXPECT_EQ(0, counts.at("Com_create_table"));
    EXPECT_EQ(upgraded, Layout());
    EXPECT_EQ("2.08", StoredVersion());
}

TEST_F(SchemaUpgradeTest, RenumbersDeclarationsOnlyWhileNoCertificateExists) {
    const struct {
        const char* fixture;
        const char* declarations;
    } cases[] = {{"", "1:200902,2:200903,3:200904"},
                 {"version_2_04_add_certificate", "5:200902,9:200903,12:200904"}};
    for (const auto& c : cases) {
        LoadFixture("version_2_04");
        if (*c.fixture) LoadFixture(c.fixture);
        ASSERT_EQ("2.04", StoredVersion());
        ASSERT_TRUE(UpgradeSchema(*m_client)) << c.fixture;
        EXPECT_EQ("2.08", StoredVersion());
        EXPECT_EQ(c.declarations,
                  Column("SELECT GROUP_CONCAT(`index`,':',luna ORDER BY `index`) FROM "
                         "concedii.declaratii"))
            << c.fixture;
    }
    // The certificate still belongs to the declaration of its month.
    EXPECT_EQ("200903", Column("SELECT d.luna FROM concedii.concedii c JOIN concedii.declaratii d "
                               "ON d.`index`=c.id_declaratie"));
}

TEST_F(SchemaUpgradeTest, ColumnTestIgnoresCase) {
    RebuildAfterTest();
    RunSql("ALTER TABLE asigurati.sume CHANGE `salariu` `Salariu` DOUBLE NOT NULL DEFAULT 0");
    EXPECT_TRUE(m_client->ColumnExists("ASIGURATI", "SUME", "SALARIU"));
    EXPECT_TRUE(m_client->ColumnExists("asigurati", "sume", "salariu"));
    EXPECT_TRUE(m_client->ColumnExists("ASIGURATI", "SUME", "id_cnp"));
    EXPECT_FALSE(m_client->ColumnExists("ASIGURATI", "SUME", "SALARIU2"));
    // From "1.2" every column a rung adds is found present: no second column,
    // no error box.
    SetVersion("1.2");
    const std::string columns =
        "SELECT COUNT(*) FROM information_schema.COLUMNS WHERE "
        "TABLE_SCHEMA IN ('asigurati','concedii')";
    const std::string before = Column(columns);
    ASSERT_TRUE(UpgradeSchema(*m_client));
    EXPECT_EQ(before, Column(columns));
    EXPECT_EQ("2.08", StoredVersion());
}

TEST_F(SchemaUpgradeTest, MissingTableShowsTheDescribeAndTheAlterError) {
    RebuildAfterTest();
    SetVersion("2.06");
    RunSql("DROP TABLE concedii.concedii");
    const std::string missing = kBox + "Table 'concedii.concedii' doesn't exist";
    // Each certificate column: the column test, then the addition it lets through.
    for (int column = 0; column < 12; ++column)
        m_prompter.ExpectMessage(missing).ExpectMessage(missing);
    m_prompter.ExpectMessage(missing).ExpectMessage(missing);  // prenume, cas
    ASSERT_TRUE(UpgradeSchema(*m_client));
    EXPECT_EQ("2.08", StoredVersion());
}

TEST_F(SchemaUpgradeTest, FailedStopRungKeepsTheStoredVersion) {
    const struct {
        const char* fixture;  // empty: a new installation
        const char* version;  // empty: no version row
        const char* breakIt;
        const char* box;
    } cases[] = {
        {"version_1_1_beta", "", "DROP TABLE asigurati.asigurati",
         "Table 'asigurati.asigurati' doesn't exist"},
        {"", "1.4", "ALTER TABLE asigurati.sume DROP `asig_virat`",
         "Unknown column 's.asig_virat' in 'SET'"},
    };
    for (const auto& c : cases) {
        RebuildAfterTest();
        RebuildDatabases();
        if (*c.fixture) LoadFixture(c.fixture);
        if (*c.version) SetVersion(c.version);
        RunSql(c.breakIt);
        m_prompter.ExpectMessage(kBox + c.box);
        const auto counts = CountersDuringUpgrade(false);
        EXPECT_EQ(0, counts.at("Com_delete")) << c.breakIt;
        EXPECT_EQ(0, counts.at("Com_insert")) << c.breakIt;
        EXPECT_EQ(c.version, StoredVersion());
        EXPECT_TRUE(m_prompter.AllShown());
    }
}

TEST_F(SchemaUpgradeTest, RefusedVersionInsertKeepsTheOldRow) {
    RebuildAfterTest();
    RunSql(
        "CREATE TRIGGER asigurati.refuza BEFORE INSERT ON asigurati.setari FOR EACH ROW "
        "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT='refuzat'");
    m_prompter.ExpectMessage(kBox + "refuzat");
    EXPECT_FALSE(UpgradeSchema(*m_client));
    EXPECT_EQ("2.08", StoredVersion());
}

}  // namespace
