#include "ui/health/AnnexPrintDialog.h"

#include "ui/PageOutput.h"
#include "ui/ScreenRoom.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "health/AnnexPages.h"
#include "print/PagePrinter.h"
#include "print/PainterBackend.h"
#include "text/TextCodec.h"
#include "ui/DataListView.h"
#include "ui/FileDialogFolders.h"
#include "ui/KeyActions.h"
#include "ui/RecordForm.h"

namespace {

QPushButton* AddButton(QHBoxLayout* row, QWidget* parent, const char* name, const char* text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    SizeCommandButton(button);
    row->addWidget(button);
    return button;
}

}  // namespace

AnnexPrintDialog::AnnexPrintDialog(PrintedAnnexes& annexes, PrintedAnnex annex,
                                   AnnexPageHeader header, std::string version, QWidget* parent)
    : QDialog(parent),
      m_annexes(annexes),
      m_annex(annex),
      m_header(std::move(header)),
      m_version(std::move(version)),
      m_chooser(&ChoosePrinterByDialog) {
    setObjectName("annexPrintDialog");
    setWindowTitle("Tiparire");
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QHBoxLayout;
    auto* printing = new QLabel("Se tipareste:", this);
    auto* annexLabel = new QLabel(QString("Anexa ") + PrintedAnnexKind(annex), this);
    printing->setObjectName("printingCaption");
    annexLabel->setObjectName("annexLabel");
    caption->addWidget(printing);
    caption->addWidget(annexLabel, 1);
    layout->addLayout(caption);
    m_list = new DataListView(this);
    m_list->setObjectName("rowList");
    m_list->setMinimumSize(480, 160);
    layout->addWidget(m_list, 1);

    auto* buttons = new QHBoxLayout;
    QPushButton* print = AddButton(buttons, this, "printButton", "Tipareste");
    QPushButton* pages = AddButton(buttons, this, "previewButton", "Previzualizare pagini");
    QPushButton* pdf = AddButton(buttons, this, "pdfButton", "Salveaza PDF");
    buttons->addStretch(1);
    auto* cancel = new QPushButton(this);
    cancel->setObjectName("cancelButton");
    BindFormButtons(this, cancel);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(print, &QPushButton::clicked, this, &AnnexPrintDialog::Print);
    connect(pages, &QPushButton::clicked, this, &AnnexPrintDialog::ShowPages);
    connect(pdf, &QPushButton::clicked, this, &AnnexPrintDialog::SavePdf);
    print->setDefault(true);

    m_saveChooser = [this](const std::string& suggested) -> std::optional<std::string> {
        const QString path = QFileDialog::getSaveFileName(
            this, "Salveaza anexa ca fisier PDF",
            FileDialogFolders::StartPath(FileDialogFolders::kPdfPurpose, ToQt(suggested)),
            "Fisiere PDF (*.pdf)");
        if (path.isEmpty()) return std::nullopt;
        FileDialogFolders::Remember(FileDialogFolders::kPdfPurpose, path);
        return path.toStdString();
    };
    m_filled = m_annexes.FillList(annex, m_list->List(), m_header.cf, m_header.house).Ok();
    // Room for every column of an annex; less on a small screen, where the
    // list scrolls across.
    ResizeWithinScreen(this, QSize(920, 560));
    m_list->setFocus();
}

int AnnexPrintDialog::exec() {
    if (!m_filled) return QDialog::Rejected;
    return QDialog::exec();
}

const DataList& AnnexPrintDialog::Rows() const {
    return m_list->List();
}

// Prints the pages and closes; a cancelled printer dialog leaves the list open.
void AnnexPrintDialog::Print() {
    PagePrinter printer(m_annexes.GetPrompter(), m_chooser);
    if (m_annexes.PrintAlone(printer, m_annex, m_header, Rows(), m_version)) accept();
}

// The pages as they will come out of the printer; the preview can print them too.
void AnnexPrintDialog::ShowPages() {
    ShowPagePreview(this, m_annexes.GetPrompter(), AnnexDocumentName(m_annex, m_header),
                    PagePrinter::kPortrait, [this](PagePrinter& pages) {
                        pages.StartDocument(AnnexDocumentName(m_annex, m_header));
                        DrawAnnexPages(pages, m_annex, m_header, Rows(), m_version);
                        pages.End();
                    });
}

void AnnexPrintDialog::SavePdf() {
    auto path = m_saveChooser(AnnexDocumentName(m_annex, m_header) + ".pdf");
    if (!path) return;
    if (!QString::fromStdString(*path).endsWith(".pdf", Qt::CaseInsensitive)) *path += ".pdf";
    const Outcome saved =
        m_annexes.WriteFile([](const std::string& file) { return PdfFileChooser(file); }, *path,
                            m_annex, m_header, Rows(), m_version);
    if (saved)
        m_annexes.GetPrompter().ShowMessage("Anexa a fost salvata in fisierul:\n" + *path,
                                            MessageKind::Information);
}
