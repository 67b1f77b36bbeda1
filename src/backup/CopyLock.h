#pragma once
#include <string>

struct BackupServer;
class CClient;
struct st_mysql;

// One save or restore at a time on the data of a server: a named lock of the
// server, held by a connection of its own while the operation runs. Other
// processes of the program (the window, orvik-cli) see it, and the server
// releases it when the process ends, even when killed.
class CopyLock {
public:
    explicit CopyLock(const BackupServer& server);
    ~CopyLock();
    CopyLock(const CopyLock&) = delete;
    CopyLock& operator=(const CopyLock&) = delete;

    bool Held() const { return m_held; }
    // Why it is not held, ready to be shown.
    const std::string& Message() const { return m_message; }

private:
    st_mysql* m_connection = nullptr;
    bool m_held = false;
    std::string m_message;
};

// Drops the staging tables a save or restore killed half-way left behind,
// unless one runs right now (its tables are not leftovers). Called at start-up
// by the program and the command line; failures are shown by the connection.
void DropLeftoverStagedTables(CClient& client);
