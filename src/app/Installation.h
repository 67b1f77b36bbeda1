#pragma once
#include <QString>
#include <optional>

// The program finds its server through the current folder: an installation is
// a folder with server/bin/my.cnf (the first start, `orvik-cli installation
// create` and scripts/prepare-installation.sh make one).

// Where scripts/run.sh prepares the installation by default.
QString DefaultInstallationFolder();

bool HoldsInstallation(const QString& folder);

// The folder to run in: `current` when it holds an installation (started from
// it), else `defaultFolder` (a desktop launcher starts anywhere). When neither
// holds one, nothing is returned and `message` says where the program looked
// and how to prepare an installation.
[[nodiscard]] std::optional<QString> ChooseInstallationFolder(const QString& current,
                                                              const QString& defaultFolder,
                                                              QString& message);
