#pragma once
#include <memory>
#include <string>

#include "MessageLog.h"
#include "backup/Backup.h"
#include "db/CClient.h"

// An installation of its own in a temporary folder, on a free port of
// 127.0.0.1, with its server running; stopped and removed at the end. The
// copies move whole databases, so they get their own servers rather than the
// shared test server.
class BackupInstallation {
public:
    BackupInstallation();
    ~BackupInstallation();
    BackupInstallation(const BackupInstallation&) = delete;
    BackupInstallation& operator=(const BackupInstallation&) = delete;

    bool Ready() const { return m_ready; }
    const std::string& Folder() const { return m_folder; }
    int Port() const { return m_port; }
    BackupServer Server() const;
    // A connection of the program's login; messages fail the test.
    CClient& Client();

private:
    std::string m_folder;
    int m_port = 0;
    bool m_ready = false;
    std::unique_ptr<class Prompter> m_prompter;
    std::unique_ptr<CClient> m_client;
};

// A connection of its own that keeps its messages, for a second operation at
// the same time as the installation's own connection.
class QuietConnection {
public:
    explicit QuietConnection(const std::string& installationFolder);
    ~QuietConnection();
    CClient& Client() { return *m_client; }

private:
    std::unique_ptr<class Prompter> m_prompter;
    std::unique_ptr<CClient> m_client;
};

// Companies with names holding every byte 0x80-0xFF and apostrophes, their
// insured persons and monthly sums (sums per insured = sums / insured).
void FillData(CClient& client, int companies, int insured, int sums);

// "db.table<TAB>checksum" of every table of the three databases, one per line,
// with the version row compared by its texts: the ladder rewrites that row
// (new key, new time) at every start, a restore included.
std::string TableChecksums(CClient& client);
