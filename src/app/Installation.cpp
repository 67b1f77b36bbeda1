#include "app/Installation.h"

#include <QDir>

#include "db/InstallationPaths.h"

// The rule lives in core, shared with the command-line tool.
QString DefaultInstallationFolder() { return QString::fromStdString(DefaultInstallationPath()); }

bool HoldsInstallation(const QString& folder) {
    return IsInstallationFolder(folder.toStdString());
}

std::optional<QString> ChooseInstallationFolder(const QString& current,
                                                const QString& defaultFolder, QString& message) {
    if (auto found = FindInstallationFolder(current.toStdString(), defaultFolder.toStdString()))
        return QString::fromStdString(*found);
    message = QString(
                  "Programul nu gaseste instalarea sa (serverul de baze de date si datele).\n\n"
                  "A cautat in folderul curent:\n  %1\n"
                  "si in folderul implicit de instalare:\n  %2\n\n"
                  "Porneste programul din nou si raspunde \"Da\" pentru instalarea implicita, "
                  "sau pregateste un folder ales cu:\n  orvik-cli installation create FOLDER\n"
                  "si porneste programul din acel folder.")
                  .arg(QDir::toNativeSeparators(current), QDir::toNativeSeparators(defaultFolder));
    return std::nullopt;
}
