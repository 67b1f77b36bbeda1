#include "cli/CliSession.h"

#include <filesystem>
#include <iostream>

#include "db/CClient.h"
#include "db/InstallationPaths.h"
#include "db/PosixServerProcess.h"

namespace fs = std::filesystem;

void StderrPrompter::ShowMessage(const std::string& text, MessageKind) {
    std::cerr << text << "\n";
}

bool StderrPrompter::AskYesNo(const std::string& text) {
    std::cerr << text << " (raspuns: Nu)\n";
    return false;
}

std::optional<std::string> FindCliInstallation(const std::optional<std::string>& named,
                                               std::string& why) {
    std::error_code error;
    if (named) {
        const std::string folder = fs::absolute(*named, error).string();
        if (IsInstallationFolder(folder)) return folder;
        why = folder + " nu este o instalare Orvik Asigurati (lipseste server/bin/my.cnf)";
        return std::nullopt;
    }
    const std::string current = fs::current_path(error).string();
    const std::string standard = DefaultInstallationPath();
    if (auto found = FindInstallationFolder(current, standard)) return found;
    why = "nu gasesc instalarea programului (server/bin/my.cnf) nici in folderul curent " +
          current + ", nici in folderul implicit " + standard +
          "; numeste-o cu --installation FOLDER";
    return std::nullopt;
}

int RunConnected(const std::string& installation, Prompter& prompter,
                 const std::function<int(CClient&)>& work, std::string& why) {
    const auto port = InstallationServerPort(installation);
    if (!port) {
        why = "portul serverului nu poate fi citit din " + installation + "/server/bin/my.cnf";
        return 2;
    }
    // The server is started from its installation folder, as the program does.
    std::error_code error;
    fs::current_path(installation, error);
    if (error) {
        why = "nu se poate intra in " + installation + ": " + error.message();
        return 2;
    }
    PosixServerProcess server;
    CClient client(prompter, *port);
    client.SetServerProcess(&server);
    if (client.Connect("127.0.0.1") != 0) {
        // A server still starting is left to finish rather than killed.
        client.DetachServer();
        return 2;
    }
    const int status = work(client);
    // A server this run started is stopped again: the installation is left as found.
    if (server.Started()) client.ShutdownServer();
    client.Disconnect();
    return status;
}
