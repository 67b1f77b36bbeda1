#pragma once
#include <string>

class CClient;

// Statements that must stand or fall together: BEGIN at construction, COMMIT
// on Commit(), ROLLBACK when it goes out of scope uncommitted. Failures are
// shown by the connection like any other statement's.
class Transaction {
public:
    explicit Transaction(CClient& client);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool Begun() const { return m_begun; }
    int Commit();
    void Rollback();
    // Savepoints let a long save undo one failed row and keep the rows before it.
    int Savepoint(const std::string& name);
    int RollbackToSavepoint(const std::string& name);

private:
    CClient& m_client;
    bool m_begun = false;
    bool m_open = false;
};
