#include "db/InstallationPaths.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "domain/TextNumbers.h"

namespace fs = std::filesystem;

namespace {

const char* const kDefaultsFile = "server/bin/my.cnf";
const char* const kClientFile = "server/bin/client.cnf";

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// "[mysqld]" gives "mysqld"; anything else nothing.
std::optional<std::string> GroupName(const std::string& line) {
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
    return TrimBlanks(std::string_view(line).substr(1, line.size() - 2));
}

}  // namespace

std::string DefaultInstallationPath() {
    std::string data = Environment("XDG_DATA_HOME");
    if (data.empty()) data = Environment("HOME") + "/.local/share";
    return data + "/orvik-asigurati";
}

bool IsInstallationFolder(const std::string& folder) {
    std::error_code ignored;
    return !folder.empty() && fs::is_regular_file(fs::path(folder) / kDefaultsFile, ignored);
}

std::optional<std::string> FindInstallationFolder(const std::string& current,
                                                  const std::string& defaultFolder) {
    if (IsInstallationFolder(current)) return current;
    if (IsInstallationFolder(defaultFolder)) return defaultFolder;
    return std::nullopt;
}

std::optional<int> InstallationServerPort(const std::string& folder) {
    std::ifstream in(fs::path(folder) / kDefaultsFile);
    if (!in) return std::nullopt;
    std::string raw;
    bool inServerGroup = false;
    while (std::getline(in, raw)) {
        const std::string line = TrimBlanks(raw);
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        if (const auto group = GroupName(line)) {
            // The server reads these groups; the program's file has [mysqld].
            inServerGroup = *group == "mysqld" || *group == "server" || *group == "mariadb";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inServerGroup || equals == std::string::npos) continue;
        if (TrimBlanks(std::string_view(line).substr(0, equals)) != "port") continue;
        const std::string value = TrimBlanks(std::string_view(line).substr(equals + 1));
        const long long port = TextToInteger(value);
        if (!AllDigits(value) || port < 1 || port > 65535) return std::nullopt;
        return static_cast<int>(port);
    }
    return ServerLogin::kDefaultPort;
}

std::optional<ServerLogin> InstallationLogin(const std::string& folder) {
    const std::optional<int> port = InstallationServerPort(folder);
    if (!port) return std::nullopt;
    ServerLogin login;
    login.port = *port;
    login.optionFile = (fs::absolute(folder) / kClientFile).lexically_normal().string();
    std::error_code ignored;
    login.former = !fs::exists(login.optionFile, ignored);
    return login;
}

namespace {

std::string RunningProgram() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.string();
}

}  // namespace

std::string ProgramDataFolderFor(const std::string& programPath, const std::string& sourceTree) {
    if (!programPath.empty()) {
        const fs::path installed =
            (fs::path(programPath).parent_path() / "../share/orvik-asigurati").lexically_normal();
        std::error_code ignored;
        if (fs::is_directory(installed, ignored)) return installed.string();
    }
    return sourceTree;
}

std::string ProgramDataFolder() {
    return ProgramDataFolderFor(RunningProgram(), ORVIK_SOURCE_TREE);
}

std::string ProgramDataPath(const std::string& relative) {
    const fs::path inData = fs::path(ProgramDataFolder()) / relative;
    std::error_code ignored;
    if (fs::exists(inData, ignored) || ProgramDataFolder() != ORVIK_SOURCE_TREE)
        return inData.string();
    return (fs::path(ORVIK_BUILD_TREE) / relative).string();
}
