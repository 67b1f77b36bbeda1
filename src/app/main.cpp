#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include <cstdio>

#include "app/Installation.h"
#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include "ui/QtPrompter.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orvik Asigurati");

    // Without an installation the connection could only fail, with a message
    // that does not say why; say where the program looked and what to do.
    QString missing;
    const auto folder =
        ChooseInstallationFolder(QDir::currentPath(), DefaultInstallationFolder(), missing);
    if (!folder) {
        std::fprintf(stderr, "%s\n", missing.toLocal8Bit().constData());
        QMessageBox::warning(nullptr, "Orvik client", missing);
        return 1;
    }
    QDir::setCurrent(*folder);

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
