#include "db/Transaction.h"

#include "db/CClient.h"

Transaction::Transaction(CClient& client) : m_client(client), m_level(client.m_openTransactions) {
    const std::string begin = Outermost() ? "START TRANSACTION" : "SAVEPOINT " + NestedName();
    m_begun = m_client.Query(begin, false);
    m_open = m_begun;
    if (m_open) ++m_client.m_openTransactions;
}

Transaction::~Transaction() {
    Rollback();
}

std::string Transaction::NestedName() const {
    return "orvik_nested_" + std::to_string(m_level);
}

void Transaction::Close() {
    m_open = false;
    if (m_client.m_openTransactions > 0) --m_client.m_openTransactions;
    // Table layouts are trusted for one transaction only.
    if (m_client.m_openTransactions == 0) m_client.m_changeLogColumns.clear();
}

// A lost connection took the open transaction with it: nothing more of it is
// sent, and when its outermost Transaction ends the connection takes
// statements again.
bool Transaction::LostWithTheConnection() {
    if (!m_client.m_transactionLost) return false;
    if (Outermost()) m_client.m_transactionLost = false;
    return true;
}

bool Transaction::Commit() {
    if (!m_open) return false;
    Close();
    if (LostWithTheConnection()) return false;
    return m_client.Query(Outermost() ? "COMMIT" : "RELEASE SAVEPOINT " + NestedName(), false);
}

void Transaction::Rollback() {
    if (!m_open) return;
    Close();
    if (LostWithTheConnection()) return;
    // Failures have been shown by the connection; nothing more can be done here.
    if (Outermost()) {
        (void)m_client.Query("ROLLBACK", false);
        return;
    }
    if (m_client.Query("ROLLBACK TO SAVEPOINT " + NestedName(), false))
        (void)m_client.Query("RELEASE SAVEPOINT " + NestedName(), false);
}

bool Transaction::Savepoint(const std::string& name) {
    return m_open && m_client.Query("SAVEPOINT " + name, false);
}

bool Transaction::RollbackToSavepoint(const std::string& name) {
    return m_open && m_client.Query("ROLLBACK TO SAVEPOINT " + name, false);
}
