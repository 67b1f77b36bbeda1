#include "ui/leave/LeaveWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "db/CClient.h"
#include "domain/ProgramVersion.h"
#include "leave/LeaveFiles.h"
#include "leave/PrintedDeclaration.h"
#include "print/PagePrinter.h"
#include "text/TextCodec.h"
#include "ui/ColourLabel.h"
#include "ui/CompanyList.h"
#include "ui/DataListView.h"
#include "ui/KeyActions.h"
#include "ui/LinkedLists.h"
#include "ui/PageOutput.h"
#include "ui/leave/CertificateDialog.h"
#include "ui/leave/DeclarationDialog.h"
#include "ui/leave/LeaveDeclarationPrint.h"

namespace {

const char* const kNote =
    "Pentru o declaratie rectificativa, trebuie sa mai adaugi inca una la aceeasi luna. Va fi "
    "marcata automat drept <rectificativa>\"";

QVBoxLayout* ButtonColumn(QWidget* box) {
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    return column;
}

}  // namespace

LeaveWindow::LeaveWindow(CClient& client, QWidget* parent)
    : QWidget(parent),
      m_client(client),
      m_companyRegister(client, CompanyPlace::Leave),
      m_declarations(client),
      m_certificates(client),
      m_keys(new KeyActions(this)),
      m_lists(new LinkedLists("Concedii medicale:", this)) {
    setObjectName("leaveWindow");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildCompanyBox(), 1);
    layout->addWidget(BuildSummary());

    auto* declarationsCaption = new QLabel("Declaratii lunare:", this);
    declarationsCaption->setBuddy(m_lists->Master());
    layout->addWidget(declarationsCaption);
    m_lists->Master()->setObjectName("declarationsList");
    m_lists->Detail()->setObjectName("certificatesList");
    m_lists->SetMasterSide(BuildDeclarationButtons());
    m_lists->SetDetailSide(BuildCertificateButtons());
    layout->addWidget(m_lists, 4);
    layout->addWidget(BuildBottom());
    ShareTheRoom();

    m_lists->Link(
        [](const DataList& list, int row) { return DeclarationRegister::KeyAt(list, row); },
        [this](const DataList& list, int row, DataList& detail) {
            (void)m_certificates.FillList(detail, DeclarationRegister::KeyAt(list, row));
        });
    connect(m_lists, &LinkedLists::detailChanged, this, &LeaveWindow::ShowSummary);
    connect(m_lists->Master(), &DataListView::rowDoubleClicked, this, [this](int row) {
        if (row >= 0) ModifyDeclaration();
    });
    connect(m_lists->Detail(), &DataListView::rowDoubleClicked, this, [this](int row) {
        if (row >= 0) ModifyCertificate();
    });
    connect(m_companies, &CompanyList::SelectionChanged, this, [this] { OnCompanyChanged(false); });
    connect(m_companies, &CompanyList::CompanyModified, this, [this] { OnCompanyChanged(true); });
    OnCompanyChanged(false);
}

DataListView* LeaveWindow::Declarations() const {
    return m_lists->Master();
}

DataListView* LeaveWindow::Certificates() const {
    return m_lists->Detail();
}

QWidget* LeaveWindow::BuildCompanyBox() {
    auto* box = new QGroupBox("Societati", this);
    auto* grid = new QGridLayout(box);
    m_companies = new CompanyList(m_companyRegister, box);
    grid->addWidget(m_companies, 0, 0, 1, 2);
    grid->addWidget(new QLabel("Societate curenta:", box), 1, 0);
    m_currentCompany = new ColourLabel(box);
    m_currentCompany->setObjectName("currentCompanyLabel");
    grid->addWidget(m_currentCompany, 1, 1);
    grid->setColumnStretch(1, 1);
    return box;
}

QWidget* LeaveWindow::BuildSummary() {
    auto* box = new QGroupBox(this);
    box->setObjectName("summaryPane");
    auto* grid = new QGridLayout(box);
    // Close lines leave the room to the lists.
    grid->setContentsMargins(9, 4, 9, 4);
    grid->setVerticalSpacing(2);
    // Two columns of five lines: D to I on the left, J to N on the right.
    for (int i = 0; i < 10; ++i) {
        m_summary[i] = new QLabel(box);
        m_summary[i]->setObjectName(QString("summaryLine%1").arg(i));
        m_summary[i]->setTextFormat(Qt::PlainText);
        // A narrow panel breaks a long line rather than widen itself or hide the figure.
        m_summary[i]->setWordWrap(true);
        grid->addWidget(m_summary[i], i % 5, i / 5);
    }
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    return box;
}

// The certificates of the selected declaration get most of the room the user
// gives the panel, the declarations some, the companies a little: the lists'
// own size hints would otherwise claim it in the order they were laid out.
void LeaveWindow::ShareTheRoom() {
    // Without their hints the lists keep what they are given: at least their
    // header and a few rows, the certificates the most.
    const std::pair<DataListView*, int> leastRows[] = {
        {m_companies->View(), 2}, {Declarations(), 3}, {Certificates(), 5}};
    for (const auto& [list, rows] : leastRows) {
        list->setSizePolicy(list->sizePolicy().horizontalPolicy(), QSizePolicy::Ignored);
        list->setMinimumHeight(list->RowHeight() * (1 + rows) + 2 * list->frameWidth() + 4);
    }
    m_lists->SetRowStretch(1, 2);
}

QWidget* LeaveWindow::BuildDeclarationButtons() {
    auto* side = new QWidget(this);
    QVBoxLayout* column = ButtonColumn(side);
    column->addWidget(
        m_keys->Add(side, "addDeclarationButton",
                    {Qt::Key_F5, Qt::ControlModifier, "[CTRL + F5]   Adauga declaratie"},
                    [this] { AddDeclaration(); }));
    column->addWidget(
        m_keys->Add(side, "modifyDeclarationButton",
                    {Qt::Key_F6, Qt::ControlModifier, "[CTRL + F6]   Modifica declaratie"},
                    [this] { ModifyDeclaration(); }));
    column->addWidget(
        m_keys->Add(side, "deleteDeclarationButton",
                    {Qt::Key_F8, Qt::ControlModifier, "[CTRL + F8]   Sterge declaratie"},
                    [this] { DeleteDeclaration(); }));
    return side;
}

QWidget* LeaveWindow::BuildCertificateButtons() {
    auto* side = new QWidget(this);
    QVBoxLayout* column = ButtonColumn(side);
    column->addWidget(m_keys->Add(side, "addCertificateButton",
                                  {Qt::Key_F5, Qt::NoModifier, "[F5]   Adauga concediu"},
                                  [this] { AddCertificate(); }));
    column->addWidget(m_keys->Add(side, "modifyCertificateButton",
                                  {Qt::Key_F6, Qt::NoModifier, "[F6]   Modifica concediu"},
                                  [this] { ModifyCertificate(); }));
    column->addWidget(m_keys->Add(side, "deleteCertificateButton",
                                  {Qt::Key_F8, Qt::NoModifier, "[F8]   Sterge concediu"},
                                  [this] { DeleteCertificate(); }));
    return side;
}

QWidget* LeaveWindow::BuildBottom() {
    auto* bottom = new QWidget(this);
    auto* grid = new QGridLayout(bottom);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* print = new QPushButton("Tipareste declaratia selectata", bottom);
    print->setObjectName("printDeclarationButton");
    print->setAutoDefault(false);
    connect(print, &QPushButton::clicked, this, &LeaveWindow::PrintDeclaration);
    auto* files = new QPushButton("Salveaza fisiere de raportare", bottom);
    files->setObjectName("saveFilesButton");
    files->setAutoDefault(false);
    connect(files, &QPushButton::clicked, this, &LeaveWindow::SaveReportFiles);
    auto* preview = new QPushButton("Previzualizare declaratie", bottom);
    preview->setObjectName("previewDeclarationButton");
    preview->setAutoDefault(false);
    connect(preview, &QPushButton::clicked, this, [this] { OutputDeclaration(false); });
    auto* pdf = new QPushButton("Salveaza declaratia PDF", bottom);
    pdf->setObjectName("pdfDeclarationButton");
    pdf->setAutoDefault(false);
    connect(pdf, &QPushButton::clicked, this, [this] { OutputDeclaration(true); });
    auto* note = new QLabel(kNote, bottom);
    note->setObjectName("rectificationNote");
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(true);
    grid->addWidget(print, 0, 0);
    grid->addWidget(preview, 0, 1);
    grid->addWidget(pdf, 0, 2);
    grid->addWidget(files, 1, 0);
    grid->addWidget(note, 1, 1, 1, 3);
    grid->setColumnStretch(3, 1);
    return bottom;
}

// The lists follow the selected company, not the row number: a delete brings
// another company to the same row.
void LeaveWindow::OnCompanyChanged(bool force) {
    const CompanyRow company = m_companies->Selected();
    if (!force && company.key == m_shownCompany) return;
    m_shownCompany = company.key;
    m_currentCompany->SetLabelText(company.key != 0 ? company.name
                                                    : CompanyMessages::kNoCompanySelected);
    Declarations()->DeleteAllRows();
    m_lists->FollowSelection();
    if (company.key != 0) (void)m_declarations.FillList(Declarations()->List(), company.code);
    m_lists->FollowSelection();
    ShowSummary();
}

void LeaveWindow::ShowSummary() {
    for (QLabel* line : m_summary) line->clear();
    const long long key =
        DeclarationRegister::KeyAt(Declarations()->List(), m_lists->SelectedRow());
    if (key == 0) return;
    const auto lines = m_declarations.SummaryLines(key);
    if (!lines) return;
    for (std::size_t i = 0; i < m_summary.size() && i < lines->size(); ++i)
        m_summary[i]->setText(ToQt((*lines)[i]));
}

long long LeaveWindow::SelectedDeclaration(const char* message) {
    const long long key =
        DeclarationRegister::KeyAt(Declarations()->List(), m_lists->SelectedRow());
    if (key == 0) m_client.GetPrompter().ShowMessage(message);
    return key;
}

void LeaveWindow::AddDeclaration() {
    const CompanyRow company = m_companies->Selected();
    if (company.key == 0) {
        m_client.GetPrompter().ShowMessage(DeclarationMessages::kSelectCompanyToAdd);
        return;
    }
    DeclarationDialog dialog(m_declarations, company.code, 0, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const auto added = m_declarations.Load(dialog.SavedKey());
    if (!added) return;
    const int row = DeclarationRegister::InsertListRow(Declarations()->List(), *added);
    Declarations()->SelectRow(row, true);
    m_lists->FollowSelection();
    ShowSummary();
}

void LeaveWindow::ModifyDeclaration() {
    const long long key = SelectedDeclaration(DeclarationMessages::kSelectToModify);
    if (key == 0) return;
    DeclarationDialog dialog(m_declarations, m_companies->SelectedCode(), key, this);
    if (dialog.exec() == QDialog::Accepted) ShowSummary();
}

void LeaveWindow::DeleteDeclaration() {
    const long long key = SelectedDeclaration(DeclarationMessages::kSelectToDelete);
    if (key == 0) return;
    if (m_declarations.Delete(key)) m_lists->RemoveMasterRow(m_lists->SelectedRow());
}

std::optional<CertificateContext> LeaveWindow::OpenCertificateContext(long long declaration,
                                                                      const char* lockTail) {
    if (!m_declarations.CheckOpen(declaration, lockTail)) return std::nullopt;
    auto record = m_declarations.Load(declaration);
    if (!record) return std::nullopt;
    return CertificateContext{*record, m_companies->SelectedName()};
}

void LeaveWindow::AddCertificate() {
    const long long declaration = SelectedDeclaration(DeclarationMessages::kSelectToAddCertificate);
    if (declaration == 0) return;
    const auto context =
        OpenCertificateContext(declaration, DeclarationMessages::kNoCertificateAdd);
    if (!context) return;
    const long long saved = EditCertificate(*context, 0);
    if (saved == 0) return;
    const int row = m_certificates.AppendRow(Certificates()->List(), saved);
    if (row >= 0) Certificates()->SelectRow(row, true);
    ShowSummary();
}

void LeaveWindow::ModifyCertificate() {
    const int row = Certificates()->NextSelectedRow(-1);
    const long long certificate = CertificateRegister::KeyAt(Certificates()->List(), row);
    if (certificate == 0) {
        m_client.GetPrompter().ShowMessage("Trebuie sa selectezi un concediu pentru a-l modifica!");
        return;
    }
    const long long declaration =
        DeclarationRegister::KeyAt(Declarations()->List(), m_lists->SelectedRow());
    const auto context =
        OpenCertificateContext(declaration, DeclarationMessages::kNoCertificateModify);
    if (!context) return;
    if (EditCertificate(*context, certificate) == 0) return;
    (void)m_certificates.RefreshRow(Certificates()->List(), row, certificate);
    ShowSummary();
}

void LeaveWindow::DeleteCertificate() {
    const int row = Certificates()->NextSelectedRow(-1);
    const long long certificate = CertificateRegister::KeyAt(Certificates()->List(), row);
    if (certificate == 0) {
        m_client.GetPrompter().ShowMessage("Trebuie sa selectezi un concediu pentru a-l sterge!");
        return;
    }
    const long long declaration =
        DeclarationRegister::KeyAt(Declarations()->List(), m_lists->SelectedRow());
    if (!m_declarations.CheckOpen(declaration, DeclarationMessages::kNoCertificateDelete)) return;
    if (!m_certificates.Delete(certificate)) return;
    Certificates()->DeleteRow(row);
    Certificates()->SelectRowClamped(row);
    ShowSummary();
}

long long LeaveWindow::EditCertificate(const CertificateContext& context, long long certificate) {
    CertificateEntry entry(m_client, context);
    CertificateDialog dialog(entry, certificate, this);
    return dialog.exec() == QDialog::Accepted ? dialog.SavedKey() : 0;
}

long long LeaveWindow::SelectedDeclarationKey() const {
    return DeclarationRegister::KeyAt(Declarations()->List(), m_lists->SelectedRow());
}

void LeaveWindow::PrintDeclaration() {
    PrintLeaveDeclaration(m_client, SelectedDeclarationKey());
}

// The same pages as the printer's, on screen or in a PDF file.
void LeaveWindow::OutputDeclaration(bool toFile) {
    const auto printout = ReadDeclarationPrintout(m_client, SelectedDeclarationKey());
    if (!printout) return;
    const DrawPages draw = [&printout](PagePrinter& pages) {
        DrawDeclarationPrintout(pages, *printout, kProgramVersion);
    };
    const std::string name = PrintDocumentName(*printout);
    if (toFile)
        SavePagesAsPdf(this, m_client.GetPrompter(), name, PagePrinter::kLandscape, draw);
    else
        ShowPagePreview(this, m_client.GetPrompter(), name, PagePrinter::kLandscape, draw);
}

void LeaveWindow::SaveReportFiles() {
    (void)SaveLeaveFiles(m_client, m_companies->SelectedCode(), SelectedDeclarationKey());
}
