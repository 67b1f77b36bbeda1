// Draws the copy window as it opens, to look at its title, its explanation and
// its buttons:  backup_snapshot INSTALLATION_FOLDER OUT.png
#include <QApplication>

#include "app/BackupDialog.h"
#include "db/CClient.h"
#include "ui/QtPrompter.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) return 2;
    QtPrompter prompter;
    CClient client(prompter, ServerLogin{});  // the window connects nothing until asked
    BackupServer server;
    server.installationFolder = argv[1];
    BackupDialog dialog(client, prompter, server, nullptr);
    dialog.show();
    app.processEvents();
    return dialog.grab().save(argv[2]) ? 0 : 1;
}
