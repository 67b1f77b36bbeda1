#pragma once
// What the snapshot tools on a running server share: the installation named
// first on their command line, its own login on the port named second, its
// server started when it does not answer.
//   TOOL INSTALLATION_FOLDER PORT OUT ...
#include <QDir>
#include <QString>

#include <cstdlib>

#include "app/ConsoleProcess.h"
#include "app/Session.h"
#include "db/CClient.h"
#include "db/InstallationPaths.h"
#include "ui/QtPrompter.h"

class SnapshotSession {
public:
    explicit SnapshotSession(char** argv)
        : m_out(argv[3]), m_client(m_prompter, Login(argv[1], argv[2])) {
        m_client.SetServerProcess(&m_server);
    }

    [[nodiscard]] bool StartUp() { return Session::StartUp(m_client); }
    CClient& Client() { return m_client; }
    // Where the pictures go.
    const QString& Out() const { return m_out; }

private:
    static ServerLogin Login(const char* folder, const char* port) {
        QDir::setCurrent(folder);
        ServerLogin login = InstallationLogin(folder).value_or(ServerLogin{});
        login.port = std::atoi(port);
        return login;
    }

    QString m_out;
    QtPrompter m_prompter;
    ConsoleProcess m_server;
    CClient m_client;
};
