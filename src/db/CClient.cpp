#include "db/CClient.h"

#include <mysql.h>

#include <errmsg.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <utility>

#include "db/ServerProcess.h"
#include "domain/TextNumbers.h"

namespace {

const char* const kErrorPrefix = "EROARE Mysql:\n\n";
const char* const kConnectionRestored =
    "Legatura cu serverul de baze de date s-a pierdut si a fost refacuta.\n\n"
    "Ultima operatie nu a fost salvata; o poti repeta.";
const char* const kConnectionNotRestored =
    "Legatura cu serverul de baze de date s-a pierdut si nu a putut fi refacuta.\n\n"
    "Ultima operatie nu a fost salvata. Inchide programul si porneste-l din nou.";

// How often a starting server is asked for a connection.
constexpr int kServerPollMs = 2;

// Connections alive in this process; the client library is ended with the last.
int g_liveConnections = 0;

void Release(MYSQL* handle) {
    mysql_close(handle);
    if (--g_liveConnections == 0) mysql_library_end();
}

// The one reading of "the server is no longer there" for a failed call.
// Without the library's automatic reconnect (never turned on: it would send
// the failed statement again on its own), a statement on a dead connection
// fails with one of these two; a refused connection only comes from
// connecting, which OpenConnection deals with.
bool ConnectionGone(MYSQL* connection) {
    const unsigned code = mysql_errno(connection);
    return code == CR_SERVER_GONE_ERROR || code == CR_SERVER_LOST;
}

const char* KindOfFieldType(int type) {
    switch (type) {
        case 0: case 1: case 2: case 3: case 4: case 5: case 8: case 9: case 13:
            return "N";
        case 10: case 14:
            return "D";
        default:
            return "C";
    }
}

}  // namespace

CClient::CClient(Prompter& prompter, ServerLogin login)
    : m_prompter(prompter), m_login(std::move(login)) {}

CClient::~CClient() {
    Disconnect();
}

void CClient::SetWaitCursor(std::function<void()> begin, std::function<void()> end) {
    m_beginWait = std::move(begin);
    m_endWait = std::move(end);
}

void CClient::BeginWait() {
    if (m_beginWait && !m_lentTo) m_beginWait();
}

void CClient::EndWait() {
    if (m_endWait && !m_lentTo) m_endWait();
}

// The options are set before every attempt: the library forgets a handle's
// options when a connect fails, and a retry without latin1 would corrupt
// every byte >= 0x80. A refused login goes on to the next way of logging in.
bool CClient::TryConnect(st_mysql* handle) {
    const std::vector<LoginAttempt> attempts = LoginAttempts(m_login);
    m_loginRefused = attempts.empty();
    for (const LoginAttempt& attempt : attempts) {
        mysql_options(handle, MYSQL_SET_CHARSET_NAME, "latin1");
        if (!ConnectAs(handle, m_login, attempt, CLIENT_REMEMBER_OPTIONS)) {
            m_loginRefused = LoginRefused(handle);
            if (m_loginRefused) continue;
            return false;
        }
        // Anything but latin1 would convert bytes; such a connection is no connection.
        if (mysql_set_character_set(handle, "latin1") != 0) return false;
        if (std::string(mysql_character_set_name(handle)) != "latin1") return false;
        m_loggedInWith = attempt.optionFile;
        return true;
    }
    return false;
}

bool CClient::Adopt(st_mysql* handle) {
    m_connection = handle;
    m_connectionLost = false;
    ++g_liveConnections;
    return true;
}

// A refused attempt costs a fraction of a millisecond, so the server is
// asked again every few: the program connects within that of the server
// starting to listen, instead of up to a whole long pause later.
bool CClient::WaitForServer() {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(kServerStartWaitMs);
    for (;;) {
        MYSQL* attempt = mysql_init(nullptr);
        if (attempt && TryConnect(attempt)) return Adopt(attempt);
        if (attempt) mysql_close(attempt);
        if (steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(milliseconds(kServerPollMs));
    }
}

// The first attempt; when it fails, the server is started and polled for a
// while. Takes over the handle; true once m_connection is set.
bool CClient::OpenConnection(st_mysql* handle) {
    if (TryConnect(handle)) return Adopt(handle);
    // A server that refused the login is running: another one cannot help.
    if (m_loginRefused) {
        mysql_close(handle);
        return false;
    }
    bool started = false;
    if (m_serverProcess) {
        const std::string program = std::filesystem::current_path().string() + kServerProgram;
        started = m_serverProcess->Start(program, kServerArguments);
    }
    if (started) {
        mysql_close(handle);
        return WaitForServer();
    }
    // Without a new process there is nothing to wait for: one more try only.
    if (TryConnect(handle)) return Adopt(handle);
    mysql_close(handle);
    return false;
}

bool CClient::Connect(const std::string& host) {
    if (m_connection) return true;
    MYSQL* handle = mysql_init(nullptr);
    if (!handle) {
        GetPrompter().ShowMessage(
            std::string(kErrorPrefix) + "Nu se poate crea conexiunea (memorie insuficienta).",
            MessageKind::Error);
        return false;
    }
    // Kept for bringing the server back should it go away later.
    m_login.host = host;
    if (OpenConnection(handle)) {
        if (m_login.former) GiveOwnPassword();
        return true;
    }
    GetPrompter().ShowMessage("Conectarea la server nu poate fi realizata!", MessageKind::Error);
    return false;
}

void CClient::DetachServer() {
    if (m_serverProcess) m_serverProcess->Detach();
}

bool CClient::ShutdownServer() {
    if (!m_connection) return false;
    if (mysql_shutdown(m_connection, SHUTDOWN_DEFAULT) == 0) return true;
    // A server that went away has nothing left to shut down.
    if (!ConnectionGone(m_connection)) ShowMysqlError();
    return false;
}

void CClient::Disconnect() {
    m_connectionLost = false;
    if (!m_connection) return;
    Release(std::exchange(m_connection, nullptr));
    if (m_serverProcess) m_serverProcess->Stop();
}

void CClient::ShowMysqlError() {
    const char* text = m_connection ? mysql_error(m_connection) : "nu exista conexiune la server";
    GetPrompter().ShowMessage(std::string(kErrorPrefix) + text, MessageKind::Error);
}

namespace {
// A statement's rows that nobody keeps must still be read, or the next
// statement fails with "commands out of sync".
void DiscardResults(MYSQL* connection) {
    do {
        if (MYSQL_RES* result = mysql_store_result(connection)) mysql_free_result(result);
    } while (mysql_next_result(connection) == 0);
}
}  // namespace

// Before a statement is sent. False when it must not be; the reason has been
// dealt with (shown, or silent on purpose) and the statement fails.
bool CClient::ReadyToSend() {
    // The flow that held a lost transaction is still unwinding: whatever it
    // sends would run outside any transaction on the new connection. Its
    // outermost Transaction ends this when it goes (see Transaction).
    if (m_transactionLost) return false;
    if (m_connection) return true;
    // An earlier attempt to bring the server back failed: this statement
    // tries again and fails like the one that found the connection gone.
    if (m_connectionLost)
        RecoverConnection();
    else
        ShowMysqlError();
    return false;
}

// Every failed statement ends here: the one place where a connection the
// server dropped is recognised and brought back. Always false, the
// statement's result.
bool CClient::StatementFailed() {
    if (ConnectionGone(m_connection)) return RecoverConnection();
    ShowMysqlError();
    return false;
}

// The server went away under the program (a crash, an out-of-memory kill).
// It is started again as at start-up, but the failed statement is never sent
// again: it may or may not have been carried out, so the user decides.
// Always false: the statement that found the connection gone failed.
bool CClient::RecoverConnection() {
    // The open transaction died with the connection; nothing of it remains.
    if (m_openTransactions > 0) m_transactionLost = true;
    m_openTransactions = 0;
    BeginWait();
    MYSQL* dead = std::exchange(m_connection, nullptr);
    MYSQL* handle = mysql_init(nullptr);
    const bool back = handle && OpenConnection(handle);
    // Closed after the new one is open, so the library is not ended in between.
    if (dead) Release(dead);
    m_connectionLost = !back;
    EndWait();
    GetPrompter().ShowMessage(back ? kConnectionRestored : kConnectionNotRestored,
                              back ? MessageKind::Warning : MessageKind::Error);
    return false;
}

bool CClient::Query(const std::string& sql, bool keep) {
    if (!ReadyToSend()) return false;
    BeginWait();
    const bool sent = mysql_real_query(m_connection, sql.data(), sql.size()) == 0;
    EndWait();
    if (!sent) return StatementFailed();
    if (!keep) {
        DiscardResults(m_connection);
        return true;
    }
    MYSQL_RES* result = mysql_store_result(m_connection);
    if (!result && mysql_field_count(m_connection) != 0) return StatementFailed();
    StoreResultFrom(result);
    return true;
}

void CClient::StoreResult() {
    if (!m_connection) return;
    MYSQL_RES* result = mysql_store_result(m_connection);
    if (!result && mysql_field_count(m_connection) != 0) {
        StatementFailed();
        return;
    }
    StoreResultFrom(result);
}

// A statement without columns leaves an empty table, never a division by zero.
void CClient::StoreResultFrom(st_mysql_res* result) {
    m_rowCount = 0;
    m_values.clear();
    m_columnNames.clear();
    m_columnKinds.clear();
    m_columnCount = result ? mysql_num_fields(result) : 0;
    if (!result) return;
    m_values.reserve(static_cast<size_t>(mysql_num_rows(result)) * m_columnCount);
    while (MYSQL_ROW row = mysql_fetch_row(result)) {
        const unsigned long* lengths = mysql_fetch_lengths(result);
        for (unsigned c = 0; c < m_columnCount; ++c)
            m_values.push_back(row[c] ? TrimBlanks(std::string_view(row[c], lengths[c]))
                                      : std::string());
    }
    for (unsigned c = 0; c < m_columnCount; ++c) {
        const MYSQL_FIELD* field = mysql_fetch_field_direct(result, c);
        m_columnNames.push_back(ToUpper(field->name));
        m_columnKinds.push_back(KindOfFieldType(field->type));
    }
    if (m_columnCount > 0) m_rowCount = static_cast<long long>(m_values.size() / m_columnCount);
    mysql_free_result(result);
    while (mysql_next_result(m_connection) == 0) DiscardResults(m_connection);
}

std::string CClient::GetValue(long long row, const std::string& name) const {
    if (row < 0) return "EROARE";
    for (size_t p = 0; p < m_columnNames.size(); ++p) {
        if (m_columnNames[p] != name) continue;
        const size_t index = p + m_columnNames.size() * static_cast<size_t>(row);
        return index < m_values.size() ? m_values[index] : "EROARE";
    }
    return "EROARE";
}

bool CClient::RunStatement(std::vector<std::string> fragments) {
    m_fragments = std::move(fragments);
    return RunComposedStatement();
}

bool CClient::RunComposedStatement() {
    m_statement.clear();
    for (const auto& fragment : m_fragments) m_statement += fragment;
    if (!ReadyToSend()) return false;
    if (mysql_real_query(m_connection, m_statement.data(), m_statement.size()) != 0)
        return StatementFailed();
    DiscardResults(m_connection);
    return true;
}

bool CClient::RunQuietly(const std::string& sql, unsigned long long* affectedRows) {
    m_statement = sql;
    if (!ReadyToSend()) return false;
    BeginWait();
    const bool sent = mysql_real_query(m_connection, sql.data(), sql.size()) == 0;
    EndWait();
    if (!sent) return ConnectionGone(m_connection) ? RecoverConnection() : false;
    // Read before the results are discarded: looking for a next one resets it.
    if (affectedRows) *affectedRows = mysql_affected_rows(m_connection);
    DiscardResults(m_connection);
    return true;
}

std::string CClient::EscapeText(const std::string& text) const {
    std::string out(text.size() * 2 + 1, '\0');
    unsigned long n = m_connection
                          ? mysql_real_escape_string(m_connection, out.data(), text.data(), text.size())
                          : mysql_escape_string(out.data(), text.data(), text.size());
    out.resize(n);
    return out;
}
