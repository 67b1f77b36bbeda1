#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QStandardPaths>

#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include "ui/QtPrompter.h"

namespace {

// The server is found through the current directory. Started from elsewhere
// (a desktop launcher), go to the installation folder.
void EnterInstallationFolder() {
    if (QFile::exists("server/bin/my.cnf")) return;
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/orvik-asigurati";
    QDir::setCurrent(folder);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orvik Asigurati");
    EnterInstallationFolder();

    SingleInstance instance(CClient::kDefaultPort);
    if (!instance.Acquire()) {
        QMessageBox::warning(nullptr, "Orvik client",
                             "Programul Orvik Asigurati este deja pornit pe acest calculator.\n"
                             "Foloseste fereastra deschisa.");
        return 1;
    }

    QtPrompter prompter;
    MainWindow window(prompter, MainWindow::Options{});
    prompter.SetParent(&window);
    // The program ends with its main window, however the window ends.
    QObject::connect(&window, &QDialog::finished, &app, &QApplication::quit);
    window.show();
    app.exec();
    return window.result() == 0 ? 0 : 1;
}
