#pragma once
#include <functional>
#include <string>

#include "db/ServerLogin.h"

// Prepares an installation folder: the server's program and defaults file
// under server/bin, its data under server/data with the three databases at
// the current schema version, and server/bin/client.cnf with the program's
// login and this installation's own random password. The program's first
// start, `orvik-cli installation create` and scripts/prepare-installation.sh
// all come here.
//
// Everything made is its owner's alone (folders 0700, files 0600). Run as root
// for a folder of another user, the server runs as that user and everything
// is that user's; a folder of root's own (containers, CI) keeps a server
// running as root. Nobody gets in without a password: root (and the owner's
// own account) only through the server's socket, as that system user.

struct InstallationRequest {
    std::string folder;  // made when missing
    int port = ServerLogin::kDefaultPort;
    // Where sql/ is; ProgramDataFolder() when empty.
    std::string dataFolder;
    // The server and the tool that makes its data folder; found as the shell
    // finds them, then where Debian puts them, when empty.
    std::string serverProgram;
    std::string dataTool;
};

enum class InstallationOutcome {
    Created,
    // The folder already holds a server's data: nothing was touched.
    AlreadyThere,
    // The database server is not installed on this machine.
    ServerMissing,
    Failed,
};

struct InstallationResult {
    InstallationOutcome outcome = InstallationOutcome::Failed;
    // What to tell the user, in every case.
    std::string message;
    // The folder as an absolute path.
    std::string folder;
};

// Step `step` of `steps` begins; `text` says what it does. Called on the
// thread that prepares.
using InstallationProgress = std::function<void(int step, int steps, const std::string& text)>;

// The Debian package that brings the server and the tool that creates its data.
inline constexpr const char* kServerPackage = "mariadb-server";

// The server/bin/my.cnf of a new installation in `folder` (an absolute path)
// on `port`; `runAs` names the account the server runs as, when root starts it.
std::string NewServerConfig(const std::string& folder, int port, const std::string& runAs);

// Prepares `request.folder`; blocks until done (a few seconds: the server is
// started once to load the schema, and stopped). A folder that already holds
// data is left exactly as it is. A failure removes the half-made data, the
// password file and my.cnf, so the next attempt starts afresh.
[[nodiscard]] InstallationResult CreateInstallation(const InstallationRequest& request,
                                                    const InstallationProgress& progress = {});
