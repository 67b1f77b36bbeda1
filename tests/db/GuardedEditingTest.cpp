// Guarded insert/update/delete and the change log they keep.
#include <gtest/gtest.h>

#include "TestServer.h"

namespace {

class GuardedEditingTest : public DbTest {
protected:
    std::int64_t AddCompany(const std::string& cf, const std::string& name) {
        m_client->ClearFields();
        m_client->AddField("CF", cf);
        m_client->AddField("DENUMIRE", name);
        EXPECT_TRUE(m_client->InsertRecord("ASIGURATI", "SOCIETATI", "", true));
        return m_client->LastInsertId();
    }
    std::string NameOf(std::int64_t index) {
        return SqlScalar("SELECT denumire FROM asigurati.societati WHERE `index`=" +
                         std::to_string(index));
    }
};

TEST_F(GuardedEditingTest, InsertGivesTheNewKeyAndClearsTheAccount) {
    RebuildAfterTest();
    RunSql("ALTER TABLE asigurati.societati ALTER `ZZ_CONT` SET DEFAULT 'implicit'");
    const auto first = AddCompany("123", "A");
    const auto second = AddCompany("456", "B");
    EXPECT_EQ(first + 1, second);
    EXPECT_EQ("B", NameOf(second));
    EXPECT_EQ("", SqlScalar("SELECT ZZ_CONT FROM asigurati.societati WHERE `index`=" +
                            std::to_string(second)));
}

TEST_F(GuardedEditingTest, ApostropheBacktickAndBackslashAreStored) {
    const struct {
        std::string typed, stored;
    } cases[] = {{"O'NEIL", "O'NEIL"},
                 {"A`B", "A'B"},
                 {"ENDS\\", "ENDS\\"},
                 {"\\'", "\\'"},
                 {"X', denumire='HACKED", "X', denumire='HACKED"}};
    for (const auto& c : cases) EXPECT_EQ(c.stored, NameOf(AddCompany("1", c.typed))) << c.typed;
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.societati WHERE denumire='HACKED'"));
}

TEST_F(GuardedEditingTest, EveryByteValueIsStoredUnchanged) {
    std::string bytes;  // 1..255 without the backtick: no blank at either end, fits 255
    for (int b = 1; b < 256; ++b)
        if (b != '`') bytes += static_cast<char>(b);
    EXPECT_EQ(bytes, NameOf(AddCompany("1", bytes)));
}

TEST_F(GuardedEditingTest, UpdateLogsThePreviousStateAndKeepsZzData) {
    const auto index = AddCompany("123", "BEFORE");
    RunSql("UPDATE asigurati.societati SET ZZ_DATA='2020-01-02 03:04:05'");
    m_client->ClearFields();
    m_client->AddField("DENUMIRE", "AFTER");
    ASSERT_TRUE(m_client->UpdateRecord(index, "ASIGURATI", "SOCIETATI", ""));
    EXPECT_EQ("AFTER", NameOf(index));
    EXPECT_EQ("2020-01-02 03:04:05", SqlScalar("SELECT ZZ_DATA FROM asigurati.societati"));
    EXPECT_EQ("BEFORE|M|" + std::to_string(index),
              SqlScalar("SELECT CONCAT(denumire,'|',znew_op,'|',`index`) FROM "
                        "asigurati.zlog_societati WHERE znew_index=" +
                        std::to_string(m_client->LastInsertId())));
}

TEST_F(GuardedEditingTest, UpdateOfATableWithoutZzDataStillWorks) {
    RebuildAfterTest();
    RunSql("ALTER TABLE asigurati.setari DROP COLUMN ZZ_DATA");
    ASSERT_TRUE(m_client->Query("SELECT `index` AS i FROM asigurati.setari", true));
    const double index = std::stod(m_client->GetValue(0, "I"));
    m_client->ClearFields();
    m_client->AddField("SETARE", "9.99");
    ASSERT_TRUE(m_client->UpdateRecord(index, "ASIGURATI", "SETARI", ""));
    EXPECT_EQ("UPDATE ASIGURATI.SETARI SET `SETARE`='9.99' where `index`='1'", m_client->LastStatement());
}

TEST_F(GuardedEditingTest, DeleteLogsTheRowAndAFractionalIndexIsTruncated) {
    const auto index = AddCompany("123", "GONE");
    ASSERT_TRUE(m_client->DeleteRecord(index, "ASIGURATI", "SOCIETATI", ""));
    EXPECT_EQ("DELETE FROM ASIGURATI.SOCIETATI WHERE `INDEX`='" + std::to_string(index) + "'",
              m_client->LastStatement());
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.societati"));
    EXPECT_EQ("GONE|D", SqlScalar("SELECT CONCAT(denumire,'|',znew_op) FROM asigurati.zlog_societati"));
    m_client->ClearFields();
    m_client->AddField("CF", "7");
    ASSERT_TRUE(m_client->UpdateRecord(1234, "ASIGURATI", "SOCIETATI", ""));
    EXPECT_NE(std::string::npos, m_client->LastStatement().find("where `index`='1234'"));
}

TEST_F(GuardedEditingTest, DeletingAMissingRowChangesNothingAndShowsNothing) {
    AddCompany("123", "STAYS");
    const auto lastId = m_client->LastInsertId();
    EXPECT_TRUE(m_client->DeleteRecord(999, "ASIGURATI", "SOCIETATI", ""));
    EXPECT_EQ(lastId, m_client->LastInsertId());
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.zlog_societati"));
    EXPECT_EQ("1", SqlScalar("SELECT COUNT(*) FROM asigurati.societati"));
}

TEST_F(GuardedEditingTest, ALogTwinWithFewerColumnsStillGetsItsRow) {
    const auto index = AddCompany("123", "OLD");
    RebuildAfterTest();
    RunSql("ALTER TABLE asigurati.zlog_societati DROP COLUMN EMAIL, DROP COLUMN C2");
    m_client->ClearFields();
    m_client->AddField("DENUMIRE", "NEW");
    ASSERT_TRUE(m_client->UpdateRecord(index, "ASIGURATI", "SOCIETATI", ""));
    EXPECT_EQ("OLD", SqlScalar("SELECT denumire FROM asigurati.zlog_societati"));
}

TEST_F(GuardedEditingTest, MissingLogTwinIsSkippedSilently) {
    const auto index = AddCompany("123", "OLD");
    RebuildAfterTest();
    RunSql("DROP TABLE asigurati.zlog_societati");
    m_client->ClearFields();
    m_client->AddField("DENUMIRE", "NEW");
    EXPECT_TRUE(m_client->UpdateRecord(index, "ASIGURATI", "SOCIETATI", ""));
    EXPECT_EQ("NEW", NameOf(index));
}

TEST_F(GuardedEditingTest, RejectedStatementIsShownAndReturnsOne) {
    m_client->ClearFields();
    m_prompter.ExpectMessage("EROARE Mysql:\n\nUnknown column 'NU_EXISTA' in 'INSERT INTO'");
    m_client->AddField("NU_EXISTA", "1");
    EXPECT_FALSE(m_client->InsertRecord("ASIGURATI", "SOCIETATI", "", true));
}

TEST_F(GuardedEditingTest, InjectionThroughTheIndexOrValuesTouchesOnlyTheIntendedRow) {
    const auto a = AddCompany("1", "A");
    const auto b = AddCompany("2", "B");
    m_client->ClearFields();
    m_client->AddField("DENUMIRE", "X' WHERE 1=1; -- ");
    ASSERT_TRUE(m_client->UpdateRecord(a, "ASIGURATI", "SOCIETATI", ""));
    EXPECT_EQ("X' WHERE 1=1; -- ", NameOf(a));
    EXPECT_EQ("B", NameOf(b));
}

}  // namespace
