#include "ui/PageOutput.h"

#include <QFile>
#include <QFileDialog>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "base/Prompter.h"
#include "print/PagePrinter.h"
#include "print/PainterBackend.h"
#include "text/TextCodec.h"
#include "ui/FileDialogFolders.h"
#include "ui/ScreenRoom.h"

namespace {

// An A4 page at about the size of paper on a common screen.
constexpr QSize kPreviewSize(900, 1000);

}  // namespace

void ShowPagePreview(QWidget* parent, Prompter& prompter, const std::string& documentName,
                     int orientation, const DrawPages& draw) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(ToQt(documentName));
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName("pagePreview");
    preview.setWindowTitle(ToQt("Tiparire - " + documentName));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* target) {
                         PagePrinter pages(prompter, GivenPrinterChooser(*target));
                         if (pages.Begin(orientation, false)) draw(pages);
                     });
    // A page as large as the screen allows: on a 768-pixel screen the whole
    // page, its toolbar and its frame stay on the screen.
    ResizeWithinScreen(&preview, kPreviewSize);
    preview.exec();
}

bool SavePagesAsPdf(QWidget* parent, Prompter& prompter, const std::string& documentName,
                    int orientation, const DrawPages& draw) {
    QString path = QFileDialog::getSaveFileName(
        parent, "Salveaza ca fisier PDF",
        FileDialogFolders::StartPath(FileDialogFolders::kPdfPurpose, ToQt(documentName + ".pdf")),
        "Fisiere PDF (*.pdf)");
    if (path.isEmpty()) return false;
    FileDialogFolders::Remember(FileDialogFolders::kPdfPurpose, path);
    if (!path.endsWith(".pdf", Qt::CaseInsensitive)) path += ".pdf";
    const std::string file = QFile::encodeName(path).toStdString();
    if (!WritePagesToFile(prompter, &PdfFileChooser, file, orientation, draw)) {
        prompter.ShowMessage("Documentul nu a putut fi salvat in fisierul:\n" + FromQt(path));
        return false;
    }
    prompter.ShowMessage("Documentul a fost salvat in fisierul:\n" + FromQt(path),
                         MessageKind::Information);
    return true;
}
