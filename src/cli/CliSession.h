#pragma once
#include <functional>
#include <optional>
#include <string>

#include "db/Prompter.h"

class CClient;

// What a database command of orvik-cli needs around its core flow: the
// program's messages on stderr, the installation found as the program finds
// it, and a connection to its server (started for the run when it was not
// running, and stopped again afterwards).

class StderrPrompter : public Prompter {
public:
    void ShowMessage(const std::string& text, MessageKind kind) override;
    // Questions are answered No, so a batch run never destroys anything.
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> ChooseFolder(const std::string&) override { return std::nullopt; }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return std::nullopt; }
};

// The named installation, else the current folder's, else the default one;
// nothing (and `why`) when none is there.
std::optional<std::string> FindCliInstallation(const std::optional<std::string>& named,
                                               std::string& why);

// Connects to the installation's server and runs `work` with the connection;
// its answer is the exit status. A failed connection gives 2 after its
// message; `why` tells what went wrong before a connection was tried.
int RunConnected(const std::string& installation, Prompter& prompter,
                 const std::function<int(CClient&)>& work, std::string& why);
