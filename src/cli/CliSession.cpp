#include "cli/CliSession.h"

#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <system_error>

#include "db/InstallationPaths.h"
#include "db/ServerSettings.h"

namespace fs = std::filesystem;

void CliPrompter::ShowMessage(const std::string& text, MessageKind) {
    std::cerr << m_prefix << text << "\n";
}

bool CliPrompter::AskYesNo(const std::string& text) {
    std::cerr << m_prefix << text << " (raspuns: Nu)\n";
    return false;
}

std::optional<std::string> PrepareOutputFolder(const std::string& dir, std::string& why) {
    std::error_code error;
    const fs::path folder = fs::absolute(dir, error);
    if (!error) fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder)) {
        why = "nu se poate folosi folderul " + dir + ": " +
              (error ? error.message() : std::string("nu este un folder"));
        return std::nullopt;
    }
    if (access(folder.c_str(), W_OK) != 0) {
        why = "nu se poate scrie in folderul " + folder.string();
        return std::nullopt;
    }
    return folder.string();
}

namespace {

std::optional<std::string> FindInstallation(const std::optional<std::string>& named,
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

}  // namespace

bool CliSession::Open(const std::optional<std::string>& installation, std::string& why) {
    const auto folder = FindInstallation(installation, why);
    if (!folder) return false;
    const auto port = InstallationServerPort(*folder);
    if (!port) {
        why = "portul serverului nu poate fi citit din " + *folder + "/server/bin/my.cnf";
        return false;
    }
    // The server is started from its installation folder, as the program does.
    std::error_code error;
    fs::current_path(*folder, error);
    if (error) {
        why = "nu se poate intra in " + *folder + ": " + error.message();
        return false;
    }
    // An installation of an older release gets this release's server settings
    // before its server starts; if that fails, the old ones still work.
    std::string settings;
    if (!UpdateServerSettings(*folder, settings))
        m_prompter.ShowMessage(settings, MessageKind::Warning);
    m_client = std::make_unique<CClient>(m_prompter, *port);
    m_client->SetServerProcess(&m_server);
    if (m_client->Connect("127.0.0.1") == 0) return true;
    // A server still starting is left to finish rather than killed.
    m_client->DetachServer();
    m_client.reset();
    why.clear();
    return false;
}

CliSession::~CliSession() {
    if (!m_client) return;
    if (m_server.Started()) m_client->ShutdownServer();
    m_client->Disconnect();
}
