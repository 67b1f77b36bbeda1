#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/Prompter.h"
#include "base/ResultTable.h"
#include "db/ServerLogin.h"
#include "db/SqlValues.h"

struct st_mysql;
struct st_mysql_res;
class ServerProcess;
class Transaction;

// The one connection of the program to its local database server, and the
// current result table of the last statement whose rows were kept.
// Every failure is shown through the Prompter and returned as false. When the
// server goes away under the program (a crash, a kill), the next statement
// fails, the server is started again as at start-up and the user is told once.
class CClient : private ResultTable {
public:
    static constexpr int kDefaultPort = ServerLogin::kDefaultPort;
    // Relative to the current directory, which is the installation folder.
    static constexpr const char* kServerProgram = "/server/bin/mysqld";
    static constexpr const char* kServerArguments = "--defaults-file=server/bin/my.cnf";
    // How long Connect keeps trying after starting the server.
    static constexpr int kServerStartWaitMs = 10000;

    // Connects with `login` (see InstallationLogin): an installation's port
    // and client.cnf. A former installation's first connection gives the
    // program's login a password of its own (see GiveOwnPassword).
    CClient(Prompter& prompter, ServerLogin login);
    ~CClient();
    CClient(const CClient&) = delete;
    CClient& operator=(const CClient&) = delete;

    // The runner that starts the server when the first connect fails.
    void SetServerProcess(ServerProcess* process) { m_serverProcess = process; }
    // After a failed start-up: a server started on the way keeps running.
    void DetachServer();
    // Hooks for the wait cursor; each Begin is matched by one End.
    void SetWaitCursor(std::function<void()> begin, std::function<void()> end);

    [[nodiscard]] bool Connect(const std::string& host);
    [[nodiscard]] bool ShutdownServer();
    void Disconnect();
    bool IsConnected() const { return m_connection != nullptr; }

    [[nodiscard]] bool Query(const std::string& sql, bool keep);
    [[nodiscard]] bool Query(const SqlStatement& sql, bool keep) { return Query(sql.Text(), keep); }
    [[nodiscard]] bool Query(const char* sql, bool keep) { return Query(std::string(sql), keep); }
    void StoreResult();
    std::string GetValue(long long row, const std::string& name) const;
    void ShowMysqlError();
    // Runs the fragments as one statement, its rows discarded.
    [[nodiscard]] bool RunStatement(std::vector<std::string> fragments);

    // The table of the last statement whose rows were kept.
    const ResultTable& Result() const { return *this; }
    long long RowCount() const { return m_rowCount; }
    // The key the last insert was given.
    std::int64_t LastInsertId() const { return m_lastInsertId; }
    // The last statement composed from fragments, as sent.
    const std::string& LastStatement() const { return m_statement; }

    // Guarded editing with change log.
    void ClearFields();
    void AddField(const std::string& name, const std::string& value);
    [[nodiscard]] bool InsertRecord(const std::string& db, const std::string& table,
                                    const std::string& tail, bool clearAccount);
    [[nodiscard]] bool UpdateRecord(long long index, const std::string& db,
                                    const std::string& table, const std::string& tail);
    [[nodiscard]] bool DeleteRecord(long long index, const std::string& db,
                                    const std::string& table, const std::string& tail);
    // The same for many records at once, one statement each, for long saves.
    // Values are escaped as AddField's are. A refused statement is not shown
    // but returned as false, so the caller can do the records one by one and the
    // refused one gets its own message; a lost connection is dealt with as
    // for any statement. InsertRecords leaves the first new key in
    // LastInsertId (the server gives the others consecutively, a step of
    // @@auto_increment_increment apart). UpdateRecords copies every row into
    // the change log as UpdateRecord does, in the order given.
    [[nodiscard]] bool InsertRecords(const std::string& db, const std::string& table,
                                     const std::vector<std::string>& names,
                                     const std::vector<std::vector<std::string>>& rows);
    [[nodiscard]] bool UpdateRecords(const std::string& db, const std::string& table,
                                     const std::vector<std::string>& names,
                                     const std::vector<long long>& indexes,
                                     const std::vector<std::vector<std::string>>& rows);
    bool HasRight(const std::string& db, const std::string& table, char operation);
    bool ColumnExists(const std::string& db, const std::string& table, const std::string& column);

    // Escapes a text for use between apostrophes in a statement, byte for byte.
    std::string EscapeText(const std::string& text) const;

    Prompter& GetPrompter() { return m_lentTo ? *m_lentTo : m_prompter; }
    // While a worker thread uses the connection, what it shows goes through
    // `prompter` (one that may be called from that thread) and the wait
    // cursor, which belongs to the GUI thread, is left alone. Set before the
    // worker starts and taken back (nullptr) after it ended.
    void LendTo(Prompter* prompter) { m_lentTo = prompter; }
    int Port() const { return m_login.port; }
    const ServerLogin& Login() const { return m_login; }
    // Transactions open on the connection; the outermost one is the real one.
    int OpenTransactions() const { return m_openTransactions; }

private:
    friend class Transaction;

    bool RunComposedStatement();
    // A statement whose refusal is the caller's to report; a lost connection
    // is still brought back (and said) as for any statement.
    bool RunQuietly(const std::string& sql, unsigned long long* affectedRows = nullptr);
    void EscapeFieldValues();
    bool OpenConnection(st_mysql* handle);
    bool TryConnect(st_mysql* handle);
    void GiveOwnPassword();
    bool MoveToOwnPassword(std::string& why);
    bool WaitForServer();
    bool Adopt(st_mysql* handle);
    bool ReadyToSend();
    bool StatementFailed();
    bool RecoverConnection();
    void StoreResultFrom(st_mysql_res* result);
    void BeginWait();
    void EndWait();
    bool CopyToChangeLog(long long index, const std::string& db, const std::string& table,
                         char operation, bool* hasZzData);
    bool CopyRowsToChangeLog(const std::vector<long long>& indexes, const std::string& db,
                             const std::string& table, char operation, bool* hasZzData);
    // The columns a table shares with its change-log twin, and whether it has
    // ZZ_DATA; read once per transaction, so a long save does not ask again
    // for every row.
    struct ChangeLogColumns {
        std::vector<std::string> shared;
        bool hasZzData = false;
        // The twin has the account and operation columns the copy fills in.
        bool twinHasMarks = false;
    };
    [[nodiscard]] std::optional<ChangeLogColumns> ChangeLogColumnsOf(const std::string& source,
                                                                     const std::string& twin);

    Prompter& m_prompter;
    Prompter* m_lentTo = nullptr;
    ServerLogin m_login;
    // The option file the connection logged in with; empty for the former login.
    std::string m_loggedInWith;
    // The last attempt reached a server that refused every way of logging in.
    bool m_loginRefused = false;
    ServerProcess* m_serverProcess = nullptr;
    std::function<void()> m_beginWait;
    std::function<void()> m_endWait;
    std::vector<std::string> m_fragments;
    std::string m_statement;
    unsigned m_columnCount = 0;
    std::int64_t m_lastInsertId = 0;
    std::vector<std::string> m_fieldNames;
    std::vector<std::string> m_fieldValues;
    st_mysql* m_connection = nullptr;
    int m_openTransactions = 0;
    std::map<std::string, ChangeLogColumns> m_changeLogColumns;
    // The server went away and could not be brought back: the next statement tries again.
    bool m_connectionLost = false;
    // Transactions died with a lost connection while their flow still holds them.
    bool m_transactionLost = false;
};
