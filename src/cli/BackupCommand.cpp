// orvik-cli backup save FILE | backup restore FILE --yes   [--installation FOLDER]
// The same copies the main window makes. One result line on stdout; reasons
// on stderr; 0 done, 1 the server or the disk failed, 2 bad usage or a file
// that is not a usable copy.
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <optional>

#include "backup/Backup.h"
#include "backup/CopyFormat.h"
#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "db/CClient.h"
#include "db/InstallationPaths.h"

namespace {

constexpr const char* kUsage =
    "backup save FISIER [--installation FOLDER]\n"
    "           orvik-cli backup restore FISIER --yes [--installation FOLDER]\n";
const CliReport kReport{"backup", kUsage};

// Messages of the connection go where a script's reader looks for them.
class StderrPrompter : public Prompter {
public:
    void ShowMessage(const std::string& text, MessageKind) override {
        std::cerr << "orvik-cli backup: " << text << "\n";
    }
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> ChooseFolder(const std::string&) override { return {}; }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return {}; }
};

// As the program looks for it: the current folder, else the default one.
std::optional<std::string> FindInstallation(const std::string& chosen) {
    if (!chosen.empty()) return IsInstallationFolder(chosen) ? std::optional(chosen) : std::nullopt;
    std::error_code error;
    const auto current = std::filesystem::current_path(error);
    return FindInstallationFolder(error ? std::string() : current.string(),
                                  DefaultInstallationPath());
}

int Fail(const std::string& message, int status) {
    return kReport.Fail(message, status);
}

int Save(const BackupServer& server, const std::string& file) {
    StderrPrompter prompter;
    if (!SaveCopy(server, file, std::time(nullptr), prompter)) return 1;
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    std::cout << file << "\t" << (error ? 0 : static_cast<long long>(size)) << "\n";
    return 0;
}

int Restore(const BackupServer& server, const std::string& file, bool confirmed) {
    StderrPrompter prompter;
    const auto info = InspectCopy(file, prompter);
    if (!info) return 2;
    const std::string message = RefuseCopyVersion(info->version);
    if (!message.empty()) return Fail(message, 2);
    if (!confirmed)
        return Fail(RestoreQuestion(*info) + "\nRepeta comanda cu --yes pentru a restaura.", 2);
    CClient client(prompter, InstallationLogin(server.installationFolder).value_or(ServerLogin{}));
    if (!client.Connect(server.host))
        return Fail("Porneste programul (el porneste serverul de baze de date) si repeta comanda.",
                    1);
    if (!RestoreCopy(client, server, file, *info, prompter)) return 1;
    std::cout << "restaurat\t" << file << "\t" << info->date << "\t" << info->companies << "\n";
    return 0;
}

int RunBackup(const CliArgs& args) {
    std::string action, file;
    std::optional<std::string> installation;
    bool yes = false;
    const CliOption table[] = {{.name = "--yes", .isSet = &yes},
                               {.name = "--installation", .value = &installation}};
    const std::string why = ReadCliOptions(args, 0, table, [&](const std::string& arg) {
        std::string& next = action.empty() ? action : file;
        if (!next.empty()) return "argument in plus: " + arg;
        next = arg;
        return std::string();
    });
    if (!why.empty()) return kReport.Usage(why);
    if ((action != "save" && action != "restore") || file.empty() || (yes && action == "save"))
        return Fail(kReport.UsageText(), 2);
    const auto folder = FindInstallation(installation.value_or(""));
    if (!folder)
        return Fail(
            "nu gasesc instalarea programului (un folder cu server/bin/my.cnf); "
            "porneste comanda din folderul instalarii sau foloseste --installation FOLDER.",
            2);
    const auto server = ServerOfInstallation(*folder);
    if (!server) return Fail("instalarea din " + *folder + " nu poate fi citita.", 2);
    return action == "save" ? Save(*server, file) : Restore(*server, file, yes);
}

const CliCommandRegistrar kRegistrar{"backup", kUsage, &RunBackup};

}  // namespace
