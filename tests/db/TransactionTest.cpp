// Statements that stand or fall together.
#include <gtest/gtest.h>

#include "TestServer.h"
#include "db/Transaction.h"

namespace {

class TransactionTest : public DbTest {
protected:
    void AddHouse(const std::string& code) {
        ASSERT_EQ(0, m_client->Query("INSERT INTO asigurati.cas (cas, denumire) VALUES ('" + code +
                                         "', 'test')",
                                     false));
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
        EXPECT_EQ(0, transaction.Commit());
    }
    {
        Transaction transaction(*m_client);
        AddHouse("T2");
        // Another connection must not see it before the commit.
        EXPECT_EQ("T1", Houses());
    }
    EXPECT_EQ("T1", Houses());
    Transaction finished(*m_client);
    EXPECT_EQ(0, finished.Commit());
    EXPECT_EQ(1, finished.Commit());
}

TEST_F(TransactionTest, SavepointRollbackKeepsTheRowsBeforeIt) {
    Transaction transaction(*m_client);
    AddHouse("T1");
    ASSERT_EQ(0, transaction.Savepoint("rand2"));
    AddHouse("T2");
    ASSERT_EQ(0, transaction.RollbackToSavepoint("rand2"));
    AddHouse("T3");
    ASSERT_EQ(0, transaction.Commit());
    EXPECT_EQ("T1,T3", Houses());
    EXPECT_EQ(1, transaction.Savepoint("after"));
}

}  // namespace
