// The connection and its result table against a real server.
#include <gtest/gtest.h>

#include "TestServer.h"

namespace {

class CClientTest : public DbTest {};

TEST_F(CClientTest, EmptyResultKeepsColumnNamesAndHasNoRows) {
    ASSERT_TRUE(m_client->Query("SELECT s.cf, s.denumire FROM asigurati.societati AS s", true));
    EXPECT_EQ(0, m_client->RowCount());
    EXPECT_EQ((std::vector<std::string>{"CF", "DENUMIRE"}), m_client->Result().m_columnNames);
    EXPECT_EQ("EROARE", m_client->GetValue(0, "CF"));
}

TEST_F(CClientTest, CellsAreTrimmedAndNullIsEmpty) {
    ASSERT_TRUE(m_client->Query("SELECT '  ab c \t' AS t, NULL AS n, 5 AS k", true));
    EXPECT_EQ("ab c", m_client->GetValue(0, "T"));
    EXPECT_EQ("", m_client->GetValue(0, "N"));
    EXPECT_EQ("5", m_client->GetValue(0, "K"));
}

TEST_F(CClientTest, GetValueNeedsTheUpperCaseNameAndARowInside) {
    ASSERT_TRUE(m_client->Query("SELECT 1 AS a UNION ALL SELECT 2", true));
    EXPECT_EQ(2, m_client->RowCount());
    EXPECT_EQ("2", m_client->GetValue(1, "A"));
    EXPECT_EQ("EROARE", m_client->GetValue(0, "a"));
    EXPECT_EQ("EROARE", m_client->GetValue(2, "A"));
    EXPECT_EQ("EROARE", m_client->GetValue(-1, "A"));
    EXPECT_EQ("EROARE", m_client->GetValue(0, "B"));
}

TEST_F(CClientTest, DuplicateColumnNamesReturnTheFirst) {
    ASSERT_TRUE(m_client->Query("SELECT 'first' AS `index`, 'second' AS `INDEX`", true));
    EXPECT_EQ((std::vector<std::string>{"INDEX", "INDEX"}), m_client->Result().m_columnNames);
    EXPECT_EQ("first", m_client->GetValue(0, "INDEX"));
}

TEST_F(CClientTest, ColumnKindsFollowTheFieldTypes) {
    ASSERT_TRUE(
        m_client->Query("SELECT 1 AS i, CAST(1.5 AS DOUBLE) AS d, CAST(2 AS DECIMAL(5,2)) AS nd,"
                        " 'x' AS s, CURDATE() AS dt, NOW() AS ts, NULL AS nl",
                        true));
    EXPECT_EQ((std::vector<std::string>{"N", "N", "C", "C", "D", "C", "C"}),
              m_client->Result().m_columnKinds);
}

TEST_F(CClientTest, FailedQueryShowsTheServerTextAndKeepsThePreviousTable) {
    ASSERT_TRUE(m_client->Query("SELECT 'kept' AS v", true));
    m_prompter.ExpectMessage(
        "EROARE Mysql:\n\nTable 'asigurati.nu_exista' doesn't exist");
    EXPECT_FALSE(m_client->Query("SELECT * FROM asigurati.nu_exista", true));
    EXPECT_EQ("kept", m_client->GetValue(0, "V"));
}

TEST_F(CClientTest, StatementWithoutRowsLeavesAnEmptyTableWhenKept) {
    ASSERT_TRUE(m_client->Query("SELECT 'old' AS v", true));
    ASSERT_TRUE(m_client->Query("UPDATE asigurati.setari SET setare=setare", true));
    EXPECT_TRUE(m_client->Result().m_columnNames.empty());
    EXPECT_EQ(0, m_client->RowCount());
}

TEST_F(CClientTest, StatementNotKeptLeavesTheTableAndTheConnectionUsable) {
    ASSERT_TRUE(m_client->Query("SELECT 'old' AS v", true));
    ASSERT_TRUE(m_client->Query("SELECT * FROM asigurati.cas", false));
    EXPECT_EQ("old", m_client->GetValue(0, "V"));
    ASSERT_TRUE(m_client->Query("SELECT COUNT(*) AS n FROM asigurati.cas", true));
    EXPECT_EQ("44", m_client->GetValue(0, "N"));
}

TEST_F(CClientTest, ReplaceStatementsHaveNoFixedLengthLimit) {
    std::string longText(20000, 'x');
    ASSERT_TRUE(m_client->RunStatement({"SELECT '", longText, "' AS t"}));
    ASSERT_TRUE(m_client->Query("SELECT '" + longText + "' AS t", true));
    EXPECT_EQ(longText, m_client->GetValue(0, "T"));
}

// Every byte but the blanks that trimming removes must come back unchanged:
// names typed on a Romanian Windows machine are stored as they are.
TEST_F(CClientTest, EveryByteValueRoundTripsThroughATextColumn) {
    std::string bytes;
    for (int b = 1; b < 256; ++b) bytes += static_cast<char>(b);
    const std::string& stored = bytes;  // no blank at either end, so nothing is trimmed
    ASSERT_TRUE(m_client->Query("INSERT INTO asigurati.setari (denumire, setare) VALUES ('b', " +
                                    std::string("'") + m_client->EscapeText(stored) + "')",
                                false));
    ASSERT_TRUE(m_client->Query("SELECT setare FROM asigurati.setari WHERE denumire='b'", true));
    EXPECT_EQ(stored, m_client->GetValue(0, "SETARE"));
    EXPECT_EQ(stored, SqlScalar("SELECT setare FROM asigurati.setari WHERE denumire='b'"));
}

// A worker thread that borrows the connection: its messages go to the
// borrower, and the wait cursor (the GUI thread's) is not touched meanwhile.
TEST_F(CClientTest, ALentConnectionShowsThroughTheBorrowerAndLeavesTheWaitCursorAlone) {
    int waits = 0;
    m_client->SetWaitCursor([&waits] { ++waits; }, [&waits] { ++waits; });
    ScriptedPrompter borrower;
    borrower.ExpectMessage("EROARE Mysql:\n\nTable 'asigurati.nu_exista' doesn't exist",
                           MessageKind::Error);
    m_client->LendTo(&borrower);
    EXPECT_EQ(&borrower, &m_client->GetPrompter());
    EXPECT_TRUE(m_client->Query("SELECT 1 AS n", true));
    EXPECT_FALSE(m_client->Query("SELECT * FROM asigurati.nu_exista", true));
    EXPECT_EQ(0, waits);
    borrower.VerifyDone();

    m_client->LendTo(nullptr);
    EXPECT_EQ(&m_prompter, &m_client->GetPrompter());
    m_prompter.ExpectMessage("EROARE Mysql:\n\nTable 'asigurati.nu_exista' doesn't exist");
    EXPECT_FALSE(m_client->Query("SELECT * FROM asigurati.nu_exista", true));
    EXPECT_EQ(2, waits);
    m_client->SetWaitCursor({}, {});
}

TEST_F(CClientTest, DisconnectTwiceActsOnce) {
    m_client->Disconnect();
    EXPECT_FALSE(m_client->IsConnected());
    m_client->Disconnect();
    ASSERT_TRUE(m_client->Connect("127.0.0.1"));
    EXPECT_TRUE(m_client->IsConnected());
}

TEST_F(CClientTest, ColumnExistsIgnoresCase) {
    EXPECT_TRUE(m_client->ColumnExists("ASIGURATI", "SUME", "SALARIU"));
    EXPECT_TRUE(m_client->ColumnExists("ASIGURATI", "SUME", "Salariu"));
    EXPECT_FALSE(m_client->ColumnExists("ASIGURATI", "SUME", "NU_EXISTA"));
}

}  // namespace
