#include "ui/import/ImportDialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "db/CClient.h"
#include "domain/ReferenceLists.h"
#include "import/ImportMarks.h"
#include "text/TextCodec.h"
#include "ui/DataListView.h"
#include "ui/ElidedLabel.h"
#include "ui/FormNavigation.h"
#include "ui/KeyActions.h"
#include "ui/RecordForm.h"
#include "ui/ScreenRoom.h"

namespace {

// The company fields of the block: the company form's columns, so their
// limits and typing rules are the form's.
const char* const kCompanyFields[] = {"denumire", "cf", "reg_com", "repr", "ziua_lic", "luna_lic"};

const KeyCommand kNextMarked{Qt::Key_F3, Qt::NoModifier, "[F3]   Urmatoarea marcata"};

// Room for every column of a payroll file that a small screen has; the list
// takes what the window gets beyond its company block.
constexpr QSize kWantedSize(980, 700);

QLabel* LegendLabel(QWidget* parent, const char* name, const char* text, Colour colour) {
    auto* label = new QLabel(QString(QChar(0x25A0)) + ' ' + text, parent);
    label->setObjectName(name);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(colour.r, colour.g, colour.b));
    label->setPalette(palette);
    return label;
}

bool IsCompanyField(std::string_view name) {
    for (const char* field : kCompanyFields)
        if (name == field) return true;
    return false;
}

}  // namespace

// Moves the bar, lets the window breathe between rows and carries the stop
// request back to the save.
class ImportDialog::SaveProgress : public ImportProgress {
public:
    explicit SaveProgress(ImportDialog& dialog) : m_dialog(dialog) {}
    void Start(int rows) override {
        m_rows = rows;
        m_dialog.m_progress->setRange(0, rows);
        Show(0);
        m_clock.start();
    }
    bool RowDone(int done) override {
        // Painting every row would cost more than the row itself.
        if (done == m_rows || m_clock.elapsed() >= 50) {
            Show(done);
            m_clock.restart();
        }
        QApplication::processEvents();
        return !m_dialog.m_stopRequested;
    }
    // Another import holds the database: the window says so and can still stop.
    bool Waiting(int) override {
        m_dialog.m_progressText->setText(ToQt(ImportMessages::kWaitingForOtherImport));
        QApplication::processEvents();
        return !m_dialog.m_stopRequested;
    }

private:
    void Show(int done) {
        m_dialog.m_progress->setValue(done);
        m_dialog.m_progressText->setText(QString("%1 / %2").arg(done).arg(m_rows));
    }
    ImportDialog& m_dialog;
    QElapsedTimer m_clock;
    int m_rows = 0;
};

ImportDialog::ImportDialog(CClient& client, ImportFile& file, QWidget* parent)
    : QDialog(parent), m_client(client), m_file(file) {
    const ImportKind kind = m_file.Kind();
    setObjectName(kind == ImportKind::Employees ? "employeeImportDialog" : "annexImportDialog");
    setWindowTitle(kind == ImportKind::Employees
                       ? "Import de date din sursa externa"
                       : "Import de date din fisiere de raportare anterioare");
    auto* layout = new QVBoxLayout(this);
    m_list = new DataListView(this);
    m_list->setObjectName("list");
    m_list->SetOwnerDrawn(true);
    m_list->EnableSorting(true);
    m_list->setMinimumSize(480, 160);
    layout->addWidget(m_list, 1);
    layout->addWidget(BuildLegend());
    layout->addWidget(BuildStatusLine());
    layout->addWidget(BuildCompanyBox());
    layout->addWidget(BuildButtons());
    SetSaving(false);
    EnableCompany(false);
    ResizeWithinScreen(this, kWantedSize);
    // The company block is a form: Enter moves on, past the code it only shows.
    FormNavigation::Install(this);
}

QGroupBox* ImportDialog::BuildCompanyBox() {
    m_company = new QGroupBox("   Informatii despre societatea curenta   ", this);
    m_company->setObjectName("companyBox");
    auto* form = new QFormLayout(m_company);
    auto field = [this](const char* name) {
        auto* edit = new QLineEdit(m_company);
        edit->setObjectName(name);
        return edit;
    };
    form->addRow("Denumire:", field("denumire"));
    QLineEdit* code = field("cf");
    code->setReadOnly(true);
    form->addRow("CUI / CNP:", code);
    auto* registry = new QHBoxLayout;
    registry->addWidget(field("reg_com"));
    registry->addWidget(new QLabel("(de forma: J40/1234/2003)", m_company));
    form->addRow("Reg. Com.:", registry);
    form->addRow("Reprezentant legal:", field("repr"));
    auto* payment = new QHBoxLayout;
    payment->addWidget(field("ziua_lic"));
    m_paymentMonth = new QButtonGroup(m_company);
    m_paymentMonth->setObjectName("luna_lic");
    for (const char* text : {"a aceleiasi luni", "a lunii urmatoare"}) {
        auto* radio = new QRadioButton(text, m_company);
        m_paymentMonth->addButton(radio);
        payment->addWidget(radio);
    }
    m_paymentMonth->buttons().first()->setChecked(true);
    form->addRow("Ziua lichidarii drepturilor salariale:", payment);
    if (m_file.Kind() == ImportKind::EarlierReport) {
        m_house = new QComboBox(m_company);
        m_house->setObjectName("houseCombo");
        for (const auto& text : InsuranceHouseComboTexts()) m_house->addItem(ToQt(text));
        form->addRow("Casa de asigurari:", m_house);
    }
    for (const auto& column : CompanyRegister::Columns())
        if (IsCompanyField(column.spec.name)) BindField(m_company, column.spec);
    return m_company;
}

// One line that shows the reason of the marked row F3 went to, or the
// progress of a save with its stop button: the window keeps its size whichever
// it shows.
QWidget* ImportDialog::BuildStatusLine() {
    m_statusLine = new QStackedWidget(this);
    m_markedReason = new ElidedLabel(m_statusLine);
    m_markedReason->setObjectName("markedReason");
    m_statusLine->addWidget(m_markedReason);
    auto* saving = new QWidget(m_statusLine);
    auto* row = new QHBoxLayout(saving);
    row->setContentsMargins(0, 0, 0, 0);
    m_progress = new QProgressBar(saving);
    m_progress->setObjectName("progress");
    m_progressText = new QLabel(saving);
    m_progressText->setObjectName("progressText");
    m_stopButton = new QPushButton("Opreste salvarea", saving);
    m_stopButton->setObjectName("stopButton");
    m_stopButton->setAutoDefault(false);
    connect(m_stopButton, &QPushButton::clicked, this, &ImportDialog::StopSave);
    row->addWidget(m_progress, 1);
    row->addWidget(m_progressText);
    row->addWidget(m_stopButton);
    m_statusLine->addWidget(saving);
    return m_statusLine;
}

// What the colours of the rows say.
QWidget* ImportDialog::BuildLegend() {
    auto* legend = new QWidget(this);
    auto* lines = new QVBoxLayout(legend);
    lines->setContentsMargins(0, 0, 0, 0);
    auto* colours = new QHBoxLayout;
    colours->addWidget(
        LegendLabel(legend, "legendRefused", ImportMessages::kLegendRefused, kRefusedRowColour));
    colours->addWidget(
        LegendLabel(legend, "legendNoSums", ImportMessages::kLegendNoSums, kNoSumsRowColour));
    colours->addWidget(
        LegendLabel(legend, "legendSaved", ImportMessages::kLegendSaved, kSavedRowColour));
    colours->addStretch(1);
    lines->addLayout(colours);
    return legend;
}

QWidget* ImportDialog::BuildButtons() {
    auto* row = new QWidget(this);
    auto* buttons = new QHBoxLayout(row);
    m_openButton =
        new QPushButton(m_file.Kind() == ImportKind::Employees ? "Deschide fisier"
                                                               : "Deschide fisier de tip anexa 1A",
                        row);
    m_openButton->setObjectName("openButton");
    connect(m_openButton, &QPushButton::clicked, this, &ImportDialog::OpenFile);
    m_saveButton = new QPushButton("Salveaza in baza de date", row);
    m_saveButton->setObjectName("saveButton");
    connect(m_saveButton, &QPushButton::clicked, this, &ImportDialog::Save);
    m_cancelButton = new QPushButton(row);
    m_cancelButton->setObjectName("cancelButton");
    BindFormButtons(this, m_cancelButton);
    m_nextMarkedButton = (new KeyActions(this))->Add(row, "nextMarkedButton", kNextMarked, [this] {
        ShowNextMarkedRow();
    });
    m_nextMarkedButton->setEnabled(false);
    for (QPushButton* button : {m_openButton, m_saveButton, m_nextMarkedButton, m_cancelButton}) {
        button->setAutoDefault(false);
        SizeCommandButton(button);
        buttons->addWidget(button);
    }
    return row;
}

void ImportDialog::EnableCompany(bool enabled) {
    m_company->setEnabled(enabled);
    m_saveButton->setEnabled(enabled);
}

void ImportDialog::SetSaving(bool saving) {
    m_saving = saving;
    m_stopRequested = false;
    m_statusLine->setCurrentIndex(saving ? 1 : 0);
    m_company->setEnabled(!saving && m_file.IsOpen());
    m_saveButton->setEnabled(!saving && m_file.IsOpen());
    m_cancelButton->setEnabled(!saving);
    // After a save the file stays as saved: another one needs a new window.
    m_openButton->setEnabled(!saving && !m_saved);
    if (saving) m_nextMarkedButton->setEnabled(false);
    // The save walks the rows by their place in the list: no sort under it.
    m_list->EnableSorting(!saving);
}

void ImportDialog::OpenFile() {
    const auto path = m_client.GetPrompter().ChooseOpenFile(ImportMessages::kFileFilter);
    if (!path) return;
    // The annex import ignores a file of another kind and keeps what it shows.
    if (m_file.Kind() == ImportKind::Employees || HasDbfExtension(*path)) EnableCompany(false);
    const bool opened = m_file.Open(m_client, *path, m_list->List()).Ok();
    if (opened) ShowCompany();
    EnableCompany(m_file.IsOpen());
    UpdateMarkedRows();
    m_list->viewport()->update();
    // What is left before the save is the company the file belongs to.
    if (opened) FocusField(m_company, "denumire");
}

// A known company shows what is stored; a new one keeps what was typed.
void ImportDialog::ShowCompany() {
    for (const auto& column : CompanyRegister::Columns()) {
        if (column.spec.name == "cf")
            ShowFieldValue(m_company, column.spec, m_file.CompanyCode());
        else if (m_file.StoredCompany() && IsCompanyField(column.spec.name))
            ShowFieldValue(m_company, column.spec, (*m_file.StoredCompany()).*column.member);
    }
}

ImportRequest ImportDialog::Request() const {
    ImportRequest request;
    request.company = ReadRecord(m_company, CompanyRegister::Columns(), CompanyRecord{});
    if (m_house) request.house = InsuranceHouseCode(m_house->currentIndex());
    return request;
}

void ImportDialog::Save() {
    if (m_saving || !m_file.IsOpen()) return;
    SaveProgress progress(*this);
    const ImportRequest request = Request();
    SetSaving(true);
    ImportTally tally;
    const Outcome saved = SaveImport(m_client, m_file, m_list->List(), request, tally, &progress);
    if (saved || tally.StoppedPartWay()) m_saved = true;
    SetSaving(false);
    UpdateMarkedRows();
    m_list->viewport()->update();
    // The company fields and buttons were disabled during the save: the caret
    // goes back to the field a refusal names, else to the rows with their
    // verdicts, which the last message is about.
    if (!saved.Field().empty())
        FocusField(m_company, saved.Field());
    else
        m_list->setFocus(Qt::OtherFocusReason);
}

void ImportDialog::UpdateMarkedRows() {
    m_markedReason->setText(QString());
    m_nextMarkedButton->setEnabled(!m_saving && NextMarkedRow(m_list->List(), -1) >= 0);
}

void ImportDialog::ShowNextMarkedRow() {
    const DataList& list = m_list->List();
    const int row = NextMarkedRow(list, list.FocusRow());
    if (row < 0) return;
    m_list->SelectRow(row, true);
    m_markedReason->setText(ToQt("Inregistrarea " +
                                 std::to_string(m_file.RecordPlace(m_list->List(), row)) + ": " +
                                 list.CellText(row, kVerdictColumn)));
}

// While a save runs, Escape and the window's close button stop it instead:
// the rows already saved stay saved.
void ImportDialog::reject() {
    if (m_saving) {
        StopSave();
        return;
    }
    QDialog::reject();
}
