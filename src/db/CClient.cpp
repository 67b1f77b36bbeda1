#include "db/CClient.h"

#include <mysql.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "db/ServerProcess.h"
#include "domain/TextNumbers.h"

namespace {

const char* const kErrorPrefix = "EROARE Mysql:\n\n";

// Connections alive in this process; the client library is ended with the last.
int g_liveConnections = 0;

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

CClient::CClient(Prompter& prompter, int port) : m_prompter(prompter), m_port(port) {}

CClient::~CClient() { Disconnect(); }

void CClient::SetWaitCursor(std::function<void()> begin, std::function<void()> end) {
    m_beginWait = std::move(begin);
    m_endWait = std::move(end);
}

void CClient::BeginWait() {
    if (m_beginWait) m_beginWait();
}

void CClient::EndWait() {
    if (m_endWait) m_endWait();
}

// A fresh handle per attempt: the library forgets a handle's options when a
// connect fails, and a retry without latin1 would corrupt every byte >= 0x80.
bool CClient::TryConnect(st_mysql* handle, const std::string& host) {
    mysql_options(handle, MYSQL_SET_CHARSET_NAME, "latin1");
    if (!mysql_real_connect(handle, host.c_str(), kLogin, kPassword, nullptr,
                            static_cast<unsigned>(m_port), nullptr, CLIENT_REMEMBER_OPTIONS))
        return false;
    // Anything but latin1 would convert bytes; such a connection is no connection.
    if (mysql_set_character_set(handle, "latin1") != 0) return false;
    return std::string(mysql_character_set_name(handle)) == "latin1";
}

bool CClient::WaitForServer(st_mysql* handle, const std::string& host) {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(kServerStartWaitMs);
    for (;;) {
        MYSQL* attempt = mysql_init(nullptr);
        if (attempt && TryConnect(attempt, host)) {
            mysql_close(handle);
            m_connection = attempt;
            return true;
        }
        if (attempt) mysql_close(attempt);
        if (steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(milliseconds(50));
    }
}

int CClient::Connect(const std::string& host) {
    if (m_connection) return 0;
    MYSQL* handle = mysql_init(nullptr);
    if (!handle) {
        m_prompter.ShowMessage(std::string(kErrorPrefix) +
                               "Nu se poate crea conexiunea (memorie insuficienta).");
        return 1;
    }
    ++g_liveConnections;
    if (TryConnect(handle, host)) {
        m_connection = handle;
        return 0;
    }
    bool started = false;
    if (m_serverProcess) {
        const std::string program = std::filesystem::current_path().string() + kServerProgram;
        started = m_serverProcess->Start(program, kServerArguments);
    }
    // Without a new process there is nothing to wait for: one more try only.
    if (started ? WaitForServer(handle, host) : TryConnect(handle, host)) {
        if (!m_connection) m_connection = handle;
        return 0;
    }
    mysql_close(handle);
    --g_liveConnections;
    m_prompter.ShowMessage("Conectarea la server nu poate fi realizata!");
    return 1;
}

void CClient::DetachServer() {
    if (m_serverProcess) m_serverProcess->Detach();
}

int CClient::ShutdownServer() {
    if (!m_connection) return 1;
    if (mysql_shutdown(m_connection, SHUTDOWN_DEFAULT) != 0) return ShowMysqlError();
    return 0;
}

int CClient::Disconnect() {
    if (!m_connection) return 1;
    mysql_close(m_connection);
    m_connection = nullptr;
    if (--g_liveConnections == 0) mysql_library_end();
    if (m_serverProcess) m_serverProcess->Stop();
    return 1;
}

int CClient::ShowMysqlError() {
    const char* text = m_connection ? mysql_error(m_connection) : "nu exista conexiune la server";
    m_prompter.ShowMessage(std::string(kErrorPrefix) + text);
    return 1;
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

int CClient::Query(const std::string& sql, bool keep) {
    if (!m_connection) return ShowMysqlError();
    BeginWait();
    if (mysql_real_query(m_connection, sql.data(), sql.size()) != 0) {
        EndWait();
        return ShowMysqlError();
    }
    EndWait();
    if (!keep) {
        DiscardResults(m_connection);
        return 0;
    }
    MYSQL_RES* result = mysql_store_result(m_connection);
    if (!result && mysql_field_count(m_connection) != 0) return ShowMysqlError();
    StoreResultFrom(result);
    return 0;
}

void CClient::StoreResult() {
    if (!m_connection) return;
    MYSQL_RES* result = mysql_store_result(m_connection);
    if (!result && mysql_field_count(m_connection) != 0) {
        ShowMysqlError();
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
    if (m_columnCount > 0) m_rowCount = static_cast<double>(m_values.size() / m_columnCount);
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

int CClient::RunStatement(std::vector<std::string> fragments) {
    m_fragments = std::move(fragments);
    return RunComposedStatement();
}

int CClient::RunComposedStatement() {
    m_statement.clear();
    for (const auto& fragment : m_fragments) m_statement += fragment;
    if (!m_connection) return ShowMysqlError();
    if (mysql_real_query(m_connection, m_statement.data(), m_statement.size()) != 0)
        return ShowMysqlError();
    DiscardResults(m_connection);
    return 0;
}

std::string CClient::EscapeText(const std::string& text) const {
    std::string out(text.size() * 2 + 1, '\0');
    unsigned long n = m_connection
                          ? mysql_real_escape_string(m_connection, out.data(), text.data(), text.size())
                          : mysql_escape_string(out.data(), text.data(), text.size());
    out.resize(n);
    return out;
}
