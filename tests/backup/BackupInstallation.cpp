#include "BackupInstallation.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "db/InstallationPaths.h"
#include "db/InstallationSetup.h"

namespace {

int FreePort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(s);
    return ntohs(address.sin_port);
}

class QuietPrompter : public Prompter {
public:
    void ShowMessage(const std::string& text, MessageKind) override { last = text; }
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> ChooseFolder(const std::string&) override { return {}; }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return {}; }
    std::string last;
};

// Once connected, every message is a fault of the code under test.
class FailingPrompter : public QuietPrompter {
public:
    void ShowMessage(const std::string& text, MessageKind) override {
        ADD_FAILURE() << "unexpected message: " << text;
    }
};

pid_t ServerPid(const std::string& folder) {
    std::ifstream in(folder + "/server/mysqld.pid");
    pid_t pid = 0;
    in >> pid;
    return pid;
}

}  // namespace

BackupInstallation::BackupInstallation() {
    char pattern[] = "/tmp/orvik-backup-test-XXXXXX";
    if (!::mkdtemp(pattern)) return;
    m_folder = pattern;
    m_port = FreePort();
    if (CreateInstallation({.folder = m_folder, .port = m_port}).outcome !=
        InstallationOutcome::Created)
        return;
    const std::string start = "cd '" + m_folder +
                              "' && nohup ./server/bin/mysqld --defaults-file=server/bin/my.cnf "
                              "> /dev/null 2>&1 &";
    if (std::system(start.c_str()) != 0) return;
    for (int attempt = 0; attempt < 300 && !m_ready; ++attempt) {
        QuietPrompter quiet;
        CClient probe(quiet, InstallationLogin(m_folder).value_or(ServerLogin{}));
        m_ready = probe.Connect("127.0.0.1");
        if (!m_ready) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

BackupInstallation::~BackupInstallation() {
    m_client.reset();
    if (!m_folder.empty()) {
        const pid_t pid = ServerPid(m_folder);
        if (pid > 0 && ::kill(pid, SIGTERM) == 0) {
            for (int i = 0; i < 600 && ::kill(pid, 0) == 0; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        std::error_code error;
        std::filesystem::remove_all(m_folder, error);
    }
}

BackupServer BackupInstallation::Server() const {
    auto server = ServerOfInstallation(m_folder);
    return server ? *server : BackupServer{};
}

CClient& BackupInstallation::Client() {
    if (!m_client) {
        m_prompter = std::make_unique<FailingPrompter>();
        m_client = std::make_unique<CClient>(*m_prompter,
                                             InstallationLogin(m_folder).value_or(ServerLogin{}));
        EXPECT_TRUE(m_client->Connect("127.0.0.1"));
    }
    return *m_client;
}

QuietConnection::QuietConnection(const std::string& installationFolder) {
    m_prompter = std::make_unique<QuietPrompter>();
    m_client = std::make_unique<CClient>(
        *m_prompter, InstallationLogin(installationFolder).value_or(ServerLogin{}));
    EXPECT_TRUE(m_client->Connect("127.0.0.1"));
}

QuietConnection::~QuietConnection() {
    m_client.reset();
}

void FillData(CClient& client, int companies, int insured, int sums) {
    std::string bytes;
    for (int b = 0x80; b < 0x100; ++b) bytes += static_cast<char>(b);
    const std::string odd = client.EscapeText("O'Brien \\ " + bytes + " \"x\" (a),(b);");
    ASSERT_TRUE(client.Query(
        "INSERT INTO asigurati.societati (cf, denumire, repr, LOC) "
        "SELECT 1000 + seq, CONCAT('SOC ', seq, ' ', '" +
            odd + "'), '" + odd + "', 'L''OC' FROM asigurati.seq_1_to_" + std::to_string(companies),
        false));
    ASSERT_TRUE(
        client.Query("INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, "
                     "intrare) SELECT 1001 + seq % " +
                         std::to_string(companies) + ", 'CAS_B', CONCAT('N''', seq), LEFT('" + odd +
                         "', 50), 1800101000000 + seq, 20090101 FROM asigurati.seq_1_to_" +
                         std::to_string(insured),
                     false));
    const int months = sums / insured;
    ASSERT_TRUE(
        client.Query("INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, "
                     "asig_datorat, asig_virat) SELECT a.seq, 1001 + a.seq % " +
                         std::to_string(companies) +
                         ", 1800101000000 + a.seq, 200001 + (m.seq - 1) DIV 12 * 100 + "
                         "(m.seq - 1) % 12, 1234.5 + a.seq, "
                         "a.seq % 97, 0.01 * m.seq FROM asigurati.seq_1_to_" +
                         std::to_string(insured) + " AS a, asigurati.seq_1_to_" +
                         std::to_string(months) + " AS m",
                     false));
}

std::string TableChecksums(CClient& client) {
    EXPECT_TRUE(
        client.Query("SELECT CONCAT(table_schema, '.', table_name) AS t FROM "
                     "information_schema.tables WHERE table_schema IN "
                     "('asigurati','concedii','nomenc') ORDER BY t",
                     true));
    std::vector<std::string> tables;
    for (long long row = 0; row < client.RowCount(); ++row)
        tables.push_back(client.GetValue(row, "T"));
    std::string text;
    for (const std::string& table : tables) {
        if (table == "asigurati.setari" || table == "asigurati.zlog_setari") {
            EXPECT_TRUE(
                client.Query("SELECT COUNT(*) AS n, GROUP_CONCAT(denumire, '=', setare "
                             "ORDER BY denumire) AS c FROM " +
                                 table,
                             true));
            text += table + "\t" + client.GetValue(0, "C") + "\n";
            continue;
        }
        EXPECT_TRUE(client.Query("CHECKSUM TABLE " + table, true));
        text += table + "\t" + client.GetValue(0, "CHECKSUM") + "\n";
    }
    return text;
}
