#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QSettings>

#include <cstdio>
#include <cstring>

#include "app/Installation.h"
#include "app/InstallationFirstStart.h"
#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include "db/InstallationPaths.h"
#include "domain/ProgramVersion.h"
#include "ui/CompanyList.h"
#include "ui/EnterPressesButtons.h"
#include "ui/FileDialogFolders.h"
#include "ui/ManualHelp.h"
#include "ui/QtPrompter.h"
#include "ui/QtRomanian.h"
#include "ui/WindowPlacement.h"

int main(int argc, char** argv) {
    // Answered before Qt starts: a terminal without a display, or a package
    // check, gets the version without a window or an installation.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("Orvik Asigurati %s\n", kProgramVersion);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orvik Asigurati");
    QtRomanian romanian;
    QApplication::installTranslator(&romanian);
    EnterPressesButtons enterPresses;
    app.installEventFilter(&enterPresses);
    ManualHelp manualHelp;
    app.installEventFilter(&manualHelp);

    // Without an installation the first start offers to create one in the
    // default folder; refused or failed, say where the program looked and why.
    QString missing;
    QtPrompter firstStart;
    const auto folder = FindOrCreateInstallation(
        firstStart, {.current = QDir::currentPath(), .defaultFolder = DefaultInstallationFolder()},
        missing);
    if (!folder) {
        std::fprintf(stderr, "%s\n", missing.toLocal8Bit().constData());
        QMessageBox::warning(nullptr, "Orvik client", missing);
        return 1;
    }
    QDir::setCurrent(*folder);
    // The port and login are the installation's, as for orvik-cli.
    const auto login = InstallationLogin(QDir::currentPath().toStdString());
    if (!login) {
        const QString unread = "Portul serverului nu poate fi citit din " +
                               QDir::toNativeSeparators(*folder + "/server/bin/my.cnf") + ".";
        std::fprintf(stderr, "%s\n", unread.toLocal8Bit().constData());
        QMessageBox::warning(nullptr, "Orvik client", unread);
        return 1;
    }

    SingleInstance instance(login->port);
    if (!instance.Acquire()) {
        QMessageBox::warning(nullptr, "Orvik client",
                             "Programul Orvik Asigurati este deja pornit pe acest calculator.\n"
                             "Foloseste fereastra deschisa.");
        return 1;
    }

    // Where the program keeps what the user chose last (~/.config/Orvik/).
    QSettings settings("Orvik", "Orvik Asigurati");
    CompanyList::KeepLastCompanyIn(&settings);
    FileDialogFolders::KeepIn(&settings);
    // Every window inside the screen, where the user left it when it still fits.
    WindowPlacement placement(&settings);
    app.installEventFilter(&placement);

    QtPrompter prompter;
    MainWindow window(prompter, MainWindow::Options{.login = *login});
    prompter.SetParent(&window);
    placement.SetMainWindow(&window);
    // The program ends with its main window, however the window ends.
    QObject::connect(&window, &QDialog::finished, &app, &QApplication::quit);
    window.show();
    app.exec();
    return window.result() == 0 ? 0 : 1;
}
