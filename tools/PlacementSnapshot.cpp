// Pictures of the whole screen with windows placed as the program places
// them: the main window with the medical-leave panel docked beside it, the
// page preview, and a form shown again where it was left.
//   placement_snapshot INSTALLATION_FOLDER PORT OUT_FOLDER
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

#include "SnapshotSession.h"
#include "app/MainWindow.h"
#include "app/ModulePanel.h"
#include "health/CompanyRegister.h"
#include "print/PagePrinter.h"
#include "ui/CompanyDialog.h"
#include "ui/PageOutput.h"
#include "ui/WindowPlacement.h"

namespace {

// A window manager answers in its own time: events for a while.
void Settle(int ms = 500) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void GrabScreen(const QString& file) {
    Settle();
    QGuiApplication::primaryScreen()->grabWindow(0).save(file);
    std::printf("%s\n", qPrintable(file));
}

void Say(const char* name, const QWidget* window) {
    const QRect frame = window->frameGeometry();
    std::printf("%s: %dx%d at %d,%d\n", name, frame.width(), frame.height(), frame.x(), frame.y());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) return 2;
    SnapshotSession session(argv);
    if (!session.StartUp()) return 1;
    const QString& out = session.Out();
    QTemporaryDir folder;
    QSettings settings(folder.filePath("orvik.ini"), QSettings::IniFormat);
    WindowPlacement placement(&settings);
    app.installEventFilter(&placement);

    QtPrompter prompter;
    ServerLogin login = InstallationLogin(argv[1]).value_or(ServerLogin{});
    login.port = std::atoi(argv[2]);
    MainWindow window(prompter, MainWindow::Options{.login = login, .connectAtStart = false});
    if (!window.Client().Connect("127.0.0.1")) return 1;
    placement.SetMainWindow(&window);
    window.show();
    // As a user would: the panel is opened once the main window has its frame.
    Settle(1000);
    window.TogglePanel(MainWindow::Module::Leave);
    Settle();
    Say("main window", &window);
    Say("leave panel", window.OpenPanel());
    GrabScreen(out + "/placement-leave-panel.png");

    // The preview asks for 900x1000: placed inside the screen.
    QTimer::singleShot(300, [&] {
        QWidget* preview = QApplication::activeModalWidget();
        if (!preview) return;
        Say("page preview", preview);
        GrabScreen(out + "/placement-page-preview.png");
        preview->close();
    });
    ShowPagePreview(&window, prompter, "Anexa 2a", PagePrinter::kPortrait,
                    [](PagePrinter& pages) { pages.Text(500, 500, "Anexa 2a", 0); });

    // A form moved by the user comes back there at its next showing.
    CompanyRegister companies(window.Client(), CompanyPlace::Health);
    {
        CompanyDialog dialog(companies, CompanyRecord{}, CompanyEdit::Adding(), &window);
        dialog.show();
        Settle();
        dialog.move(330, 150);
        Settle();
        Say("company form moved by the user", &dialog);
        dialog.hide();
    }
    CompanyDialog again(companies, CompanyRecord{}, CompanyEdit::Adding(), &window);
    again.show();
    Say("company form shown again", &again);
    GrabScreen(out + "/placement-company-form.png");
    again.hide();
    window.TogglePanel(MainWindow::Module::Leave);
    Session::Leave(window.Client(), false);
    return 0;
}
