#pragma once
#include <string>

class CClient;

// Statements that must stand or fall together: begun at construction,
// committed by Commit(), rolled back when it goes out of scope uncommitted.
// Transactions nest: only the outermost sends START TRANSACTION and COMMIT (a
// second START TRANSACTION would silently commit the open one); an inner one
// is a savepoint, released by its Commit and rolled back to when abandoned, so
// a flow may call another flow without losing its all-or-nothing guarantee.
// Failures are shown by the connection like any other statement's.
class Transaction {
public:
    explicit Transaction(CClient& client);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool Begun() const { return m_begun; }
    [[nodiscard]] bool Commit();
    void Rollback();
    // Savepoints let a long save undo one failed row and keep the rows before it.
    [[nodiscard]] bool Savepoint(const std::string& name);
    [[nodiscard]] bool RollbackToSavepoint(const std::string& name);

private:
    bool Outermost() const { return m_level == 0; }
    bool LostWithTheConnection();
    std::string NestedName() const;
    void Close();

    CClient& m_client;
    int m_level = 0;
    bool m_begun = false;
    bool m_open = false;
};
