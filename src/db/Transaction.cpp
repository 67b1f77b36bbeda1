#include "db/Transaction.h"

#include "db/CClient.h"

Transaction::Transaction(CClient& client) : m_client(client) {
    m_begun = m_client.Query("START TRANSACTION", false) == 0;
    m_open = m_begun;
}

Transaction::~Transaction() { Rollback(); }

int Transaction::Commit() {
    if (!m_open) return 1;
    m_open = false;
    return m_client.Query("COMMIT", false);
}

void Transaction::Rollback() {
    if (!m_open) return;
    m_open = false;
    m_client.Query("ROLLBACK", false);
}

int Transaction::Savepoint(const std::string& name) {
    return m_open ? m_client.Query("SAVEPOINT " + name, false) : 1;
}

int Transaction::RollbackToSavepoint(const std::string& name) {
    return m_open ? m_client.Query("ROLLBACK TO SAVEPOINT " + name, false) : 1;
}
