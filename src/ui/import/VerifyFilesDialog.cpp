#include "ui/import/VerifyFilesDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "base/Prompter.h"
#include "datalist/DataList.h"
#include "datalist/FileListLayout.h"
#include "db/CClient.h"
#include "import/VerifyReport.h"
#include "text/TextCodec.h"
#include "ui/DataListView.h"
#include "ui/KeyActions.h"
#include "ui/ScreenRoom.h"

namespace {

const char* const kTitle = "Verifica fisiere de raportare generate de alta aplicatie";
const char* const kNote = "Fisierele sunt verificate dupa regulile casei de asigurari de sanatate.";
const char* const kReportFilter = "Fisier CSV  (*.csv)|*.csv||";
const char* const kNothingToReport = "Nu exista inregistrari marcate cu rosu in lista.";

// Moves the bar along while the core reads or checks, and lets the window repaint and move
// every few hundredths of a second, so a file of 100,000 records never freezes it.
class BarProgress : public DbfProgress {
public:
    BarProgress(QProgressBar* bar, const char* format) : m_bar(bar), m_format(format) {}
    void Start(std::int64_t count) override {
        m_count = std::max<std::int64_t>(count, 1);
        m_done = 0;
        m_bar->setFormat(m_format);
        m_bar->setRange(0, kSteps);
        m_bar->setValue(0);
        m_clock.start();
        QApplication::processEvents();
    }
    void Step() override {
        ++m_done;
        if ((m_done & 0x3FF) != 0 || m_clock.elapsed() < 30) return;
        m_bar->setValue(static_cast<int>(std::min(m_done, m_count) * kSteps / m_count));
        QApplication::processEvents();
        m_clock.restart();
    }

private:
    static constexpr int kSteps = 1000;
    QProgressBar* m_bar;
    QString m_format;
    QElapsedTimer m_clock;
    std::int64_t m_count = 1;
    std::int64_t m_done = 0;
};

MessageKind KindOf(FileStatus status) {
    return status == FileStatus::Clean || status == FileStatus::Notice ? MessageKind::Information
                                                                       : MessageKind::Warning;
}

}  // namespace

VerifyFilesDialog::VerifyFilesDialog(CClient& client, QWidget* parent)
    : VerifyFilesDialog(client.GetPrompter(), parent) {}

VerifyFilesDialog::VerifyFilesDialog(Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter) {
    setObjectName("verifyFilesDialog");
    setWindowTitle(kTitle);
    BuildLayout();
    ResizeWithinScreen(this, QSize(900, 560));
}

VerifyFilesDialog::~VerifyFilesDialog() = default;

QPushButton* VerifyFilesDialog::AddVerifyButton(const char* objectName, const char* label,
                                                VerifiedKind kind) {
    auto* button = new QPushButton(label, this);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    SizeCommandButton(button);
    connect(button, &QPushButton::clicked, this, [this, kind] { Verify(kind); });
    m_verifyButtons.push_back(button);
    return button;
}

void VerifyFilesDialog::BuildLayout() {
    m_list = new DataListView(this);
    m_list->setObjectName("fileList");
    m_list->SetOwnerDrawn(true);
    m_list->EnableSorting(true);
    m_note = new QLabel(kNote, this);
    m_note->setObjectName("noteLabel");
    m_progress = new QProgressBar(this);
    m_progress->setObjectName("progressBar");
    // Between the bottom buttons, where its place is kept while it is hidden:
    // the window keeps its size while a file is read.
    QSizePolicy keepPlace = m_progress->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_progress->setSizePolicy(keepPlace);
    m_progress->hide();

    auto* kinds = new QGridLayout;
    kinds->addWidget(new QLabel("Sanatate:", this), 0, 0);
    kinds->addWidget(AddVerifyButton("verifyAButton", "Verifica anexa A", VerifiedKind::AnnexA), 0,
                     1);
    kinds->addWidget(AddVerifyButton("verifyBButton", "Verifica anexa B", VerifiedKind::AnnexB), 0,
                     2);
    kinds->addWidget(AddVerifyButton("verifyCButton", "Verifica anexa C", VerifiedKind::AnnexC), 0,
                     3);
    kinds->addWidget(new QLabel("Concedii medicale:", this), 1, 0);
    kinds->addWidget(AddVerifyButton("verify1Button", "Verifica anexa 1", VerifiedKind::Leave1), 1,
                     1);
    kinds->addWidget(AddVerifyButton("verify2Button", "Verifica anexa 2", VerifiedKind::Leave2), 1,
                     2);
    kinds->setColumnStretch(4, 1);

    m_saveButton = new QPushButton("Salveaza raportul de erori", this);
    m_saveButton->setObjectName("saveReportButton");
    m_saveButton->setAutoDefault(false);
    m_saveButton->setEnabled(false);
    SizeCommandButton(m_saveButton);
    connect(m_saveButton, &QPushButton::clicked, this, &VerifyFilesDialog::SaveErrorReport);
    auto* keys = new KeyActions(this);
    m_closeButton =
        keys->Add(this, "closeButton", {Qt::Key_Escape, Qt::NoModifier, "[ESC]   Iesire"},
                  [this] { reject(); });
    m_closeButton->setAutoDefault(false);
    SizeCommandButton(m_closeButton);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_saveButton);
    bottom->addWidget(m_progress, 1);
    bottom->addWidget(m_closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_note);
    layout->addLayout(kinds);
    layout->addLayout(bottom);
}

void VerifyFilesDialog::SetBusy(bool busy) {
    m_busy = busy;
    for (QPushButton* button : m_verifyButtons) button->setEnabled(!busy);
    m_closeButton->setEnabled(!busy);
    if (busy) m_saveButton->setEnabled(false);
    m_progress->setVisible(busy);
    if (busy)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

void VerifyFilesDialog::reject() {
    // Closing under a running verification would pull the list from under the reader.
    if (!m_busy) QDialog::reject();
}

void VerifyFilesDialog::Verify(VerifiedKind kind) {
    if (m_busy) return;
    const auto chosen = m_prompter.ChooseOpenFile(std::string(VerifyMessages::kOpenFilter));
    if (!chosen || !HasVerifiableExtension(*chosen)) return;
    SetBusy(true);
    BarProgress reading(m_progress, "Se citeste fisierul: %p%");
    BarProgress checking(m_progress, "Se verifica inregistrarile: %p%");
    const VerifiedFile file = ReadAndVerify(kind, *chosen, m_list->List(), &reading, &checking);
    m_verifiedPath = *chosen;
    ApplyFileListLayout(m_list->List());
    AttachPlaces(m_list->List(), ApplyVerdict(m_list->List(), file));
    SetBusy(false);
    m_saveButton->setEnabled(file.verdict.FaultyCount() > 0);
    m_prompter.ShowMessage(file.verdict.message, KindOf(file.verdict.status));
}

void VerifyFilesDialog::SaveErrorReport() {
    if (m_busy) return;
    const DataList& list = m_list->List();
    const int errors = list.ColumnIndex("EROARE");
    bool marked = false;
    for (int row = 0; errors >= 0 && row < list.RowCount() && !marked; ++row)
        marked = !list.CellTextAt(row, errors).empty();
    if (!marked) return m_prompter.ShowMessage(kNothingToReport);
    // Proposed beside the verified file; the user may pick another name and folder.
    const std::string proposed =
        (std::filesystem::path(m_verifiedPath).parent_path() / ErrorReportName(m_verifiedPath))
            .string();
    const auto chosen = m_prompter.ChooseSaveFile(proposed, kReportFilter);
    if (!chosen) return;
    const std::string& path = *chosen;
    if (std::filesystem::exists(path) &&
        !m_prompter.AskYesNo("Fisierul " + path + " exista deja.\n\nVrei sa il inlocuiesti?"))
        return;
    if (!WriteErrorReport(path, list, AttachedPlaces(list), m_prompter)) return;
    m_prompter.ShowMessage("Raportul de erori a fost salvat in fisierul:\n" + path,
                           MessageKind::Information);
}
