#include "ui/ManualHelp.h"

#include <QKeyEvent>
#include <QWidget>

#include "ui/ManualWindow.h"

namespace {

const ManualChapter kChapters[] = {
    {"mainWindow", "fereastra-principala.html#fereastra-principala"},
    {"infoDialog", "fereastra-principala.html#informatii"},
    {"updateDialog", "fereastra-principala.html#actualizari"},
    {"pagePreview", "fereastra-principala.html#previzualizare"},
    {"QMessageBox", "mesaje.html#mesaje"},

    {"healthPanel", "sanatate.html#sanatate"},
    {"healthWindow", "sanatate.html#sanatate"},
    {"companyDialog", "sanatate.html#societati"},
    {"insuredListWindow", "sanatate.html#asigurati"},
    {"insuredDialog", "sanatate.html#asigurati"},
    {"liquidationDialog", "sanatate.html#lichidare"},
    {"employmentChangeDialog", "sanatate.html#schimbari"},
    {"coInsuredDialog", "sanatate.html#coasigurati"},
    {"reportWindow", "sanatate.html#rapoarte"},
    {"monthDialog", "sanatate.html#pasul-1"},
    {"employeeSumsWindow", "sanatate.html#pasul-2"},
    {"sumsDialog", "sanatate.html#pasul-2"},
    {"employerSumsWindow", "sanatate.html#pasul-3"},
    {"employerSumsDialog", "sanatate.html#pasul-3"},
    {"annexFilesWindow", "sanatate.html#pasul-4"},
    {"fileNamingDialog", "sanatate.html#pasul-4"},
    {"annexPrintDialog", "sanatate.html#tiparire-anexe"},

    {"leavePanel", "concedii.html#concedii"},
    {"leaveWindow", "concedii.html#concedii"},
    {"declarationDialog", "concedii.html#declaratii"},
    {"certificateDialog", "concedii.html#certificate"},
    {"nomenclaturePickDialog", "concedii.html#nomenclatoare"},

    {"importPanel", "import.html#import"},
    {"importWindow", "import.html#import"},
    {"employeeImportDialog", "import.html#import-asigurati"},
    {"annexImportDialog", "import.html#import-raportare"},
    {"verifyFilesDialog", "import.html#verificare"},

    {"backupDialog", "copii.html#copii"},
};

const char* PlaceOf(const QString& name) {
    if (name.isEmpty()) return nullptr;
    for (const ManualChapter& chapter : kChapters)
        if (name == QLatin1String(chapter.window)) return chapter.place;
    return nullptr;
}

}  // namespace

std::span<const ManualChapter> ManualChapters() {
    return kChapters;
}

QString ManualPlaceFor(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (const char* place = PlaceOf(w->objectName())) return place;
        if (const char* place = PlaceOf(w->metaObject()->className())) return place;
    }
    return "index.html";
}

bool ManualHelp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    // In the manual itself F1 keeps the page being read.
    if (ManualWindow::Current() && widget->window() == ManualWindow::Current()) return true;
    ManualWindow::Open(ManualPlaceFor(widget), widget);
    return true;
}
