#pragma once
#include <QString>
#include <optional>

#include "db/InstallationSetup.h"

class Prompter;
class QWidget;

// Where the program's first start looks, and what it makes when it finds
// nothing: an installation in the default folder on the program's port.
struct FirstStart {
    QString current;
    QString defaultFolder;
    int port = ServerLogin::kDefaultPort;
};

// The question asked when neither folder holds an installation.
QString CreateInstallationQuestion(const QString& defaultFolder);

// The folder to run in: the current or the default one when it holds an
// installation. Otherwise the user is asked once whether to create it in the
// default folder: "Da" creates it (a progress window shows each step) and
// gives that folder; "Nu" gives nothing and `message` says where the program
// looked and how to prepare an installation. The server missing on this
// machine or a failed step also give nothing, `message` saying why.
[[nodiscard]] std::optional<QString> FindOrCreateInstallation(Prompter& prompter,
                                                              const FirstStart& start,
                                                              QString& message,
                                                              QWidget* parent = nullptr);

// Prepares the installation while a progress window, owned by `parent`,
// shows what is being done; the window's events go on meanwhile.
InstallationResult CreateInstallationShowingProgress(const InstallationRequest& request,
                                                     QWidget* parent = nullptr);
