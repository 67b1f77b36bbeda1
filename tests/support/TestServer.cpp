#include "TestServer.h"

#include <arpa/inet.h>
#include <mysql.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "db/InstallationPaths.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// One multi-statement connection for set-up work, kept for the whole run.
MYSQL* SetupConnection() {
    static MYSQL* connection = [] {
        MYSQL* handle = mysql_init(nullptr);
        mysql_options(handle, MYSQL_SET_CHARSET_NAME, "latin1");
        const ServerLogin login = TestServerLogin();
        if (!ConnectAs(handle, login, {login.optionFile}, CLIENT_MULTI_STATEMENTS))
            throw std::runtime_error(std::string("test server: ") + mysql_error(handle));
        return handle;
    }();
    return connection;
}

const char* const kDataTables[] = {
    "asigurati.setari",          "asigurati.zlog_setari",      "asigurati.cas",
    "asigurati.societati",       "asigurati.zlog_societati",   "asigurati.asigurati",
    "asigurati.zlog_asigurati",  "asigurati.coasigurati",      "asigurati.zlog_coasigurati",
    "asigurati.sume",            "asigurati.zlog_sume",        "asigurati.sume_societati",
    "asigurati.zlog_sume_societati", "concedii.declaratii",    "concedii.zlog_declaratii",
    "concedii.concedii",         "concedii.zlog_concedii"};

}  // namespace

int TestServerPort() {
    static const int port = std::stoi(ReadFile(std::string(ORVIK_TEST_SERVER_DIR) + "/port"));
    return port;
}

ServerLogin TestInstallationLogin(const std::string& folder) {
    const auto login = InstallationLogin(folder);
    if (!login) throw std::runtime_error("no installation in " + folder);
    return *login;
}

ServerLogin TestServerLogin() {
    return TestInstallationLogin(ORVIK_TEST_SERVER_DIR);
}

void RunSql(const std::string& sql) {
    MYSQL* connection = SetupConnection();
    int status = mysql_real_query(connection, sql.data(), sql.size());
    while (status == 0) {
        if (MYSQL_RES* result = mysql_store_result(connection)) mysql_free_result(result);
        status = mysql_next_result(connection);
    }
    if (status > 0) FAIL() << "SQL failed: " << mysql_error(connection) << "\n" << sql.substr(0, 300);
}

std::string SqlScalar(const std::string& sql) {
    MYSQL* connection = SetupConnection();
    if (mysql_real_query(connection, sql.data(), sql.size()) != 0) {
        ADD_FAILURE() << "SQL failed: " << mysql_error(connection) << "\n" << sql;
        return "";
    }
    MYSQL_RES* result = mysql_store_result(connection);
    std::string value;
    if (result) {
        if (MYSQL_ROW row = mysql_fetch_row(result)) {
            const unsigned long* lengths = mysql_fetch_lengths(result);
            if (row[0]) value.assign(row[0], lengths[0]);
        }
        mysql_free_result(result);
    }
    return value;
}

void RunSqlFile(const std::string& relativePath) {
    RunSql(ReadFile(std::string(ORVIK_SOURCE_DIR) + "/" + relativePath));
}

void ResetData() {
    std::string sql;
    for (const char* table : kDataTables)
        sql += std::string("DELETE FROM ") + table + "; ALTER TABLE " + table + " AUTO_INCREMENT=1;";
    RunSql(sql);
    RunSqlFile("sql/seed.sql");
}

void RebuildDatabases() {
    RunSql("DROP DATABASE IF EXISTS asigurati; DROP DATABASE IF EXISTS concedii;"
           " DROP DATABASE IF EXISTS nomenc;");
    for (const char* file : {"sql/schema.sql", "sql/change_log.sql", "sql/seed.sql",
                             "sql/nomenclature.sql"})
        RunSqlFile(file);
}

void DbTest::SetUp() {
    ResetData();
    m_client = std::make_unique<CClient>(m_prompter, TestServerLogin());
    ASSERT_TRUE(m_client->Connect("127.0.0.1"));
}

void DbTest::TearDown() {
    m_client.reset();
    m_prompter.VerifyDone();
    if (m_rebuildAfter) RebuildDatabases();
}

int FreeLocalPort() {
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(probe, reinterpret_cast<sockaddr*>(&address), size);
    ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(probe);
    return ntohs(address.sin_port);
}

bool LocalPortAnswers(int port) {
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool answers =
        ::connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(probe);
    return answers;
}
