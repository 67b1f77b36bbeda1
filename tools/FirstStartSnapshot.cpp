// The first start without an installation, as a user sees it: the question
// naming the default folder, the progress window while the installation is
// made (on PORT, in DEFAULT_FOLDER), then the main window on it.
//   first_start_snapshot DEFAULT_FOLDER PORT OUT_FOLDER
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>

#include "app/InstallationFirstStart.h"
#include "app/MainWindow.h"
#include "db/InstallationPaths.h"
#include "ui/QtPrompter.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) return 2;
    const QString out = argv[3];
    QTemporaryDir elsewhere;
    FirstStart start{elsewhere.path(), argv[1], QString(argv[2]).toInt()};

    // The question: drawn, then answered "Da" as a user would.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        box->grab().save(out + "/first-start-question.png");
        for (QAbstractButton* button : box->buttons())
            if (button->text() == "&Da") button->click();
        answer.stop();
    });
    answer.start(200);
    // The progress window once the databases are being loaded.
    QTimer progress;
    QObject::connect(&progress, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QProgressDialog*>(w);
                dialog && dialog->isVisible() &&
                dialog->findChild<QLabel*>()->text().contains("Se incarca")) {
                dialog->grab().save(out + "/first-start-progress.png");
                progress.stop();
            }
    });
    progress.start(10);

    QtPrompter prompter;
    QString message;
    const auto folder = FindOrCreateInstallation(prompter, start, message);
    if (!folder) {
        qWarning("%s", qPrintable(message));
        return 1;
    }
    // No update service is asked: a closed port of this machine stands for it.
    QFile settings(*folder + "/orvik.conf");
    if (settings.open(QIODevice::WriteOnly)) settings.write("actualizari=http://127.0.0.1:9\n");
    settings.close();
    QDir::setCurrent(*folder);
    MainWindow window(prompter,
                      MainWindow::Options{.login = InstallationLogin(folder->toStdString())});
    QEventLoop loop;
    bool ready = false;
    QObject::connect(&window, &MainWindow::StartUpFinished, [&](bool ok) {
        ready = ok;
        loop.quit();
    });
    window.show();
    loop.exec();
    if (ready) window.grab().save(out + "/first-start-main-window.png");
    window.EndWithoutAsking();
    return ready ? 0 : 1;
}
