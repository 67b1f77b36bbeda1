#pragma once
#include <optional>
#include <string>

#include "db/ServerLogin.h"

// Where an installation is, without Qt: the command-line tool finds its
// server the way the program does. An installation is a folder holding
// server/bin/my.cnf (CreateInstallation in db/InstallationSetup makes one).

// The folder the program is installed into by default:
// $XDG_DATA_HOME/orvik-asigurati, else ~/.local/share/orvik-asigurati.
std::string DefaultInstallationPath();

bool IsInstallationFolder(const std::string& folder);

// `current` when it holds an installation, else `defaultFolder` when that
// does; nothing when neither does.
[[nodiscard]] std::optional<std::string> FindInstallationFolder(const std::string& current,
                                                                const std::string& defaultFolder);

// The port the installation's server listens on, from the "port" line of the
// [mysqld] group of server/bin/my.cnf; the program's own port when the file
// names none, nothing when the file cannot be read or the port is not a port.
[[nodiscard]] std::optional<int> InstallationServerPort(const std::string& folder);

// How the program logs in to the installation's server: 127.0.0.1, the port
// of InstallationServerPort and server/bin/client.cnf; an installation
// without client.cnf (prepared before it had one) is a former one. Nothing
// when the port cannot be read. The program, orvik-cli and the copies all
// take their login from here.
[[nodiscard]] std::optional<ServerLogin> InstallationLogin(const std::string& folder);

// Where the program's own files are (sql/, the manual): the installed
// package's <folder of the running program>/../share/orvik-asigurati when it
// exists, else the source tree the program was built from.
std::string ProgramDataFolder();
// The same rule for a given program path and source tree.
std::string ProgramDataFolderFor(const std::string& programPath, const std::string& sourceTree);
// `relative` (e.g. "manual") under ProgramDataFolder(); for a program run
// from its build folder, what the build made there when the source tree has
// no such file.
std::string ProgramDataPath(const std::string& relative);
