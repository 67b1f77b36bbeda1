// The pictures of the manual no other tool draws, and the manual itself as F1
// opens it, on a running server whose data missing_sums_snapshot left:
//   manual_snapshot INSTALLATION_FOLDER PORT OUT_FOLDER
// Writes main_window_alone.png, report_window.png, annex_files.png,
// manual_f1.png and manual_messages.png (the messages of the certificates).
#include <QApplication>
#include <QTest>

#include "SnapshotSession.h"
#include "app/MainWindow.h"
#include "ui/DataListView.h"
#include "ui/ManualHelp.h"
#include "ui/ManualWindow.h"
#include "ui/health/AnnexFilesWindow.h"
#include "ui/health/ReportWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) return 2;
    SnapshotSession session(argv);
    if (!session.StartUp()) return 1;
    const QString& out = session.Out();
    ManualHelp help;
    app.installEventFilter(&help);

    {
        QtPrompter prompter;
        MainWindow main(prompter, MainWindow::Options{.connectAtStart = false});
        main.show();
        app.processEvents();
        if (!main.grab().save(out + "/main_window_alone.png")) return 1;
    }

    ReportWindow report(session.Client());
    report.show();
    app.processEvents();
    if (!report.grab().save(out + "/report_window.png")) return 1;
    report.hide();

    AnnexFilesWindow files(session.Client(), "200902");
    files.show();
    if (auto* companies = files.findChild<DataListView*>("companyList"))
        companies->SelectRow(0, true);
    app.processEvents();
    if (!files.grab().save(out + "/annex_files.png")) return 1;

    // F1 in step 4 opens the manual at that step.
    QTest::keyClick(files.focusWidget() ? files.focusWidget() : &files, Qt::Key_F1);
    ManualWindow* manual = ManualWindow::Current();
    if (!manual) return 1;
    app.processEvents();
    if (!manual->grab().save(out + "/manual_f1.png")) return 1;
    manual->Show("mesaje.html#mesaje-certificate");
    app.processEvents();
    return manual->grab().save(out + "/manual_messages.png") ? 0 : 1;
}
