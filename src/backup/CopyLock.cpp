#include "backup/CopyLock.h"

#include <mysql.h>

#include "backup/Backup.h"
#include "db/CClient.h"

namespace {

constexpr const char* kTakeLock = "SELECT GET_LOCK('orvik_asigurati_copie', 0) AS l";
constexpr const char* kReleaseLock = "SELECT RELEASE_LOCK('orvik_asigurati_copie') AS l";

}  // namespace

CopyLock::CopyLock(const BackupServer& server) {
    m_connection = mysql_init(nullptr);
    if (!m_connection) {
        m_message = "Nu se poate deschide o conexiune la serverul de baze de date.";
        return;
    }
    const unsigned protocol = MYSQL_PROTOCOL_TCP;
    const unsigned timeout = 10;
    mysql_options(m_connection, MYSQL_OPT_PROTOCOL, &protocol);
    mysql_options(m_connection, MYSQL_OPT_CONNECT_TIMEOUT, &timeout);
    if (!mysql_real_connect(m_connection, server.host.c_str(), server.login.c_str(),
                            server.password.c_str(), nullptr, static_cast<unsigned>(server.port),
                            nullptr, 0) ||
        mysql_query(m_connection, kTakeLock) != 0) {
        m_message =
            std::string("Serverul de baze de date nu raspunde: ") + mysql_error(m_connection);
        return;
    }
    MYSQL_RES* result = mysql_store_result(m_connection);
    MYSQL_ROW row = result ? mysql_fetch_row(result) : nullptr;
    m_held = row && row[0] && std::string(row[0]) == "1";
    if (result) mysql_free_result(result);
    if (!m_held)
        m_message =
            "O alta salvare sau restaurare a datelor este in lucru (in program sau in "
            "orvik-cli). Incearca din nou dupa ce se termina.";
}

CopyLock::~CopyLock() {
    if (!m_connection) return;
    // Closing the connection would release the lock too, but only once the server
    // has seen the close: a save or start-up right after would still find it taken.
    if (m_held && mysql_query(m_connection, kReleaseLock) == 0) {
        if (MYSQL_RES* result = mysql_store_result(m_connection)) mysql_free_result(result);
    }
    mysql_close(m_connection);
}

void DropLeftoverStagedTables(CClient& client) {
    if (!client.Query(kTakeLock, true) || client.RowCount() != 1 || client.GetValue(0, "L") != "1")
        return;
    (void)DropStagedTables(client);
    (void)client.Query(kReleaseLock, true);
}
