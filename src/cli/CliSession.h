#pragma once
#include <memory>
#include <optional>
#include <string>

#include "base/Prompter.h"
#include "db/CClient.h"
#include "db/PosixServerProcess.h"

// What a command of orvik-cli needs to work on the data: the installation
// found as the program finds it, the server started from there when it is not
// running, and one connection. Messages of the core go to stderr, each after
// the command's name; questions are answered "Nu".

class CliPrompter : public Prompter {
public:
    explicit CliPrompter(std::string prefix) : m_prefix(std::move(prefix)) {}
    // What each message starts with from now on (the company a batch is at).
    void SetContext(std::string prefix) { m_prefix = std::move(prefix); }
    void ShowMessage(const std::string& text, MessageKind kind) override;
    bool AskYesNo(const std::string& text) override;
    [[nodiscard]] std::optional<std::string> ChooseFolder(const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return std::nullopt; }

private:
    std::string m_prefix;
};

// `dir` made absolute, created when missing, and writable; nothing and `why`
// otherwise. Done before the session moves into the installation folder.
[[nodiscard]] std::optional<std::string> PrepareOutputFolder(const std::string& dir,
                                                             std::string& why);

class CliSession {
public:
    explicit CliSession(const std::string& commandName) : m_prompter(commandName + ": ") {}
    // Stops a server a command started (this one, or an earlier one that left
    // it to the others still using it) when no other connection of the
    // program's login is open: the installation is left as found, and a
    // command, or the program, still at work keeps its server.
    ~CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // The named installation, or the current folder's, or the default one; then
    // the connection. False with `why` when no installation was found; false
    // with `why` empty when the connection failed (the client has said why).
    bool Open(const std::optional<std::string>& installation, std::string& why);

    CClient& Client() { return *m_client; }
    Prompter& GetPrompter() { return m_prompter; }
    CliPrompter& Messages() { return m_prompter; }

private:
    bool ServerStartedByCommand() const;
    bool OthersConnected();
    void StopServer();

    CliPrompter m_prompter;
    std::string m_folder;
    PosixServerProcess m_server;
    std::unique_ptr<CClient> m_client;
};
