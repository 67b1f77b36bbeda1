// Statements that stand or fall together.
#include <gtest/gtest.h>

#include "TestServer.h"
#include "db/Transaction.h"

namespace {

class TransactionTest : public DbTest {
protected:
    void AddHouse(const std::string& code) {
        ASSERT_TRUE(m_client->Query(
            "INSERT INTO asigurati.cas (cas, denumire) VALUES ('" + code + "', 'test')", false));
    }
    // A flow with its own transaction, called by another flow.
    bool InnerFlow(const std::string& code, bool fails) {
        Transaction transaction(*m_client);
        EXPECT_TRUE(transaction.Begun());
        AddHouse(code);
        if (fails) return false;
        return transaction.Commit();
    }
    std::string Houses() {
        return SqlScalar(
            "SELECT IFNULL(GROUP_CONCAT(cas ORDER BY cas), '') FROM asigurati.cas "
            "WHERE denumire='test'");
    }
};

TEST_F(TransactionTest, CommitKeepsAndScopeExitRollsBack) {
    {
        Transaction transaction(*m_client);
        ASSERT_TRUE(transaction.Begun());
        AddHouse("T1");
        EXPECT_TRUE(transaction.Commit());
    }
    {
        Transaction transaction(*m_client);
        AddHouse("T2");
        // Another connection must not see it before the commit.
        EXPECT_EQ("T1", Houses());
    }
    EXPECT_EQ("T1", Houses());
    Transaction finished(*m_client);
    EXPECT_TRUE(finished.Commit());
    EXPECT_FALSE(finished.Commit());
}

TEST_F(TransactionTest, SavepointRollbackKeepsTheRowsBeforeIt) {
    Transaction transaction(*m_client);
    AddHouse("T1");
    ASSERT_TRUE(transaction.Savepoint("rand2"));
    AddHouse("T2");
    ASSERT_TRUE(transaction.RollbackToSavepoint("rand2"));
    AddHouse("T3");
    ASSERT_TRUE(transaction.Commit());
    EXPECT_EQ("T1,T3", Houses());
    EXPECT_FALSE(transaction.Savepoint("after"));
}

TEST_F(TransactionTest, AFailedInnerFlowTakesTheOuterFlowDownWithIt) {
    {
        Transaction outer(*m_client);
        AddHouse("O1");
        if (InnerFlow("I1", true)) (void)outer.Commit();
    }
    EXPECT_EQ("", Houses());
    EXPECT_EQ(0, m_client->OpenTransactions());
}

TEST_F(TransactionTest, AnInnerCommitIsUndoneWhenTheOuterFlowFails) {
    {
        Transaction outer(*m_client);
        AddHouse("O1");
        ASSERT_TRUE(InnerFlow("I1", false));
        // The inner commit only released its savepoint: nothing is visible yet.
        EXPECT_EQ("", Houses());
    }
    EXPECT_EQ("", Houses());
    EXPECT_EQ(0, m_client->OpenTransactions());
}

TEST_F(TransactionTest, AnOuterFlowMayGoOnAfterAnInnerOneGaveUp) {
    Transaction outer(*m_client);
    AddHouse("O1");
    EXPECT_FALSE(InnerFlow("I1", true));
    EXPECT_TRUE(InnerFlow("I2", false));
    AddHouse("O2");
    EXPECT_EQ(1, m_client->OpenTransactions());
    ASSERT_TRUE(outer.Commit());
    EXPECT_EQ("I2,O1,O2", Houses());
    EXPECT_EQ(0, m_client->OpenTransactions());
}

}  // namespace
