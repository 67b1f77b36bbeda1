#include "ui/health/AnnexFilesWindow.h"

#include "db/CClient.h"
#include "domain/ProgramVersion.h"
#include "domain/ReferenceLists.h"
#include "domain/TextNumbers.h"
#include "health/RemovableMedia.h"
#include "print/PagePrinter.h"
#include "print/PainterBackend.h"
#include "text/TextCodec.h"
#include "ui/KeyActions.h"
#include "ui/health/AnnexPrintDialog.h"
#include "ui/health/FileNamingDialog.h"
#include "ui_AnnexFilesWindow.h"

namespace {

int SelectedRow(const DataListView* view) {
    return view->NextSelectedRow(-1);
}

}  // namespace

AnnexFilesWindow::AnnexFilesWindow(CClient& client, const std::string& month, QWidget* parent)
    : QDialog(parent),
      m_client(client),
      m_ui(new Ui::AnnexFilesWindow),
      m_printerChooser(&ChoosePrinterByDialog),
      m_findMedium(&FindRemovableMedium) {
    m_ui->setupUi(this);
    setObjectName("annexFilesWindow");
    m_ui->noteLabel->setText(AnnexMessages::kNote);
    auto* keys = new KeyActions(this);
    keys->Bind(m_ui->closeButton, {Qt::Key_Escape, Qt::NoModifier, "[ESC]   Iesire"},
               [this] { reject(); });
    SizeCommandButton(m_ui->closeButton);
    SizeCommandButton(m_ui->saveButton);
    m_ui->saveButton->setAutoDefault(false);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &AnnexFilesWindow::SaveFiles);
    m_ui->printButton->setAutoDefault(false);
    connect(m_ui->printButton, &QPushButton::clicked, this, &AnnexFilesWindow::PrintAnnexes);
    connect(m_ui->companyList, &DataListView::selectionChanged, this,
            &AnnexFilesWindow::OnCompanyChanged);
    connect(m_ui->houseList, &DataListView::selectionChanged, this,
            &AnnexFilesWindow::OnHouseChanged);

    const auto parsed = ParseAnnexMonth(month);
    if (!parsed) {
        client.GetPrompter().ShowMessage("Luna de lucru " + month + " este incorecta!");
        return;
    }
    m_files.emplace(client, *parsed);
    m_printed.emplace(client, *parsed);
    m_ui->monthLabel->setText(
        ToQt("Luna curenta: " + MonthName(static_cast<int>(TextToInteger(parsed->mm))) + " " +
             parsed->yyyy));
    m_filled = m_files->FillCompanies(m_ui->companyList->List()).Ok();
    OnCompanyChanged();
    m_ui->companyList->setFocus();
}

AnnexFilesWindow::~AnnexFilesWindow() = default;

int AnnexFilesWindow::exec() {
    if (!m_filled) return QDialog::Rejected;
    return QDialog::exec();
}

std::string AnnexFilesWindow::SelectedCompanyCode() const {
    const int row = SelectedRow(m_ui->companyList);
    return row < 0 ? std::string() : m_ui->companyList->CellText(row, "CF");
}

std::string AnnexFilesWindow::SelectedHouse() const {
    const int row = SelectedRow(m_ui->houseList);
    return row < 0 ? std::string() : m_ui->houseList->CellText(row, "CAS");
}

std::vector<std::string> AnnexFilesWindow::ListedHouses() const {
    std::vector<std::string> houses;
    for (int row = 0; row < m_ui->houseList->RowCount(); ++row)
        houses.push_back(m_ui->houseList->CellText(row, "CAS"));
    return houses;
}

// The houses follow the company; a house of the previous company means nothing here.
void AnnexFilesWindow::OnCompanyChanged() {
    const std::string code = SelectedCompanyCode();
    if (code == m_shownCompany && m_ui->houseList->List().ColumnCount() > 0) return;
    m_shownCompany = code;
    m_ui->houseList->DeleteAllRows();
    if (!code.empty() && m_files) (void)m_files->FillHouses(m_ui->houseList->List(), code);
    OnHouseChanged();
}

void AnnexFilesWindow::OnHouseChanged() {
    const int companyRow = SelectedRow(m_ui->companyList);
    const int houseRow = SelectedRow(m_ui->houseList);
    if (companyRow < 0 || houseRow < 0 || !m_files) {
        m_ui->selectedCompany->SetLabelText(std::string());
        m_ui->selectedHouse->SetLabelText(std::string());
        m_ui->insuredCount->clear();
        return;
    }
    m_ui->selectedCompany->SetLabelText(m_ui->companyList->CellText(companyRow, "DENUMIRE"));
    m_ui->selectedHouse->SetLabelText(m_ui->houseList->CellText(houseRow, "CASA"));
    const auto count = m_files->CountInsured(m_shownCompany, SelectedHouse());
    m_ui->insuredCount->setText(ToQt(count.value_or(std::string())));
}

std::optional<std::string> AnnexFilesWindow::ChooseFolder() {
    Prompter& prompter = m_client.GetPrompter();
    if (m_ui->folderRadio->isChecked()) return prompter.ChooseFolder(AnnexMessages::kFolderTitle);
    auto medium = m_findMedium ? m_findMedium() : std::nullopt;
    if (!medium) prompter.ShowMessage(kNoRemovableMedium);
    return medium;
}

void AnnexFilesWindow::SaveFiles() {
    if (!m_files) return;
    Prompter& prompter = m_client.GetPrompter();
    const bool allHouses = m_ui->allHousesRadio->isChecked();
    const std::string house = SelectedHouse();
    if (!allHouses && house.empty()) return prompter.ShowMessage(AnnexMessages::kSelectHouse);
    const std::string cf = SelectedCompanyCode();
    if (cf.empty()) return prompter.ShowMessage(AnnexMessages::kSelectCompany);
    const std::vector<std::string> houses = allHouses ? ListedHouses() : std::vector{house};
    if (houses.empty()) return prompter.ShowMessage(m_files->NoInsuredMessage(cf, ""));
    if (!ConfirmMissingSums(cf, allHouses ? std::string() : house, MissingSumsUse::Files)) return;

    FileNamingDialog naming(cf, house.empty() ? houses.front() : house, m_files->Month(), this);
    if (naming.exec() != QDialog::Accepted) return;
    const auto folder = ChooseFolder();
    if (!folder) return;
    std::vector<std::string> written;
    const AnnexSaveRequest request{cf, houses, allHouses, *folder, naming.Chosen()};
    const bool saved = m_files->Save(request, written).Ok();
    // After a failure the files already in place stay: say which.
    if (saved || !written.empty())
        prompter.ShowMessage(SavedFilesMessage(*folder, written, saved), MessageKind::Information);
}

std::vector<PrintedAnnex> AnnexFilesWindow::ChosenAnnexes() const {
    if (m_ui->annexBRadio->isChecked()) return {PrintedAnnex::B};
    if (m_ui->annexCRadio->isChecked()) return {PrintedAnnex::C};
    if (m_ui->allAnnexesRadio->isChecked())
        return {PrintedAnnex::A, PrintedAnnex::B, PrintedAnnex::C};
    return {PrintedAnnex::A};
}

bool AnnexFilesWindow::ConfirmMissingSums(const std::string& cf, const std::string& house,
                                          MissingSumsUse use) {
    return MissingSums(m_client, m_files->Month().month).Confirm(cf, house, use);
}

// One annex of the selected house waits in its list for "Tipareste"; more
// annexes or houses go to the printer at once, in one document.
void AnnexFilesWindow::PrintAnnexes() {
    if (!m_printed) return;
    Prompter& prompter = m_client.GetPrompter();
    const bool allHouses = m_ui->allHousesRadio->isChecked();
    const std::string house = SelectedHouse();
    if (!allHouses && house.empty())
        return prompter.ShowMessage(PrintedAnnexMessages::kSelectHouse);
    const std::string cf = SelectedCompanyCode();
    if (cf.empty()) return prompter.ShowMessage(PrintedAnnexMessages::kSelectCompany);
    const std::vector<std::string> houses = allHouses ? ListedHouses() : std::vector{house};
    if (houses.empty()) return prompter.ShowMessage(PrintedAnnexMessages::kNothingToPrint);
    const std::vector<PrintedAnnex> annexes = ChosenAnnexes();
    // 2b lists dependants only: no sums to be missing from it.
    const bool withSums = annexes != std::vector{PrintedAnnex::B};
    if (withSums &&
        !ConfirmMissingSums(cf, allHouses ? std::string() : house, MissingSumsUse::Print))
        return;

    if (allHouses || annexes.size() > 1) {
        PagePrinter printer(prompter, m_printerChooser);
        (void)m_printed->PrintBatch(printer, {cf, houses, annexes}, kProgramVersion);
        return;
    }
    const auto header = m_printed->LoadHeader(cf, house);
    if (!header) return;
    AnnexPrintDialog dialog(*m_printed, annexes.front(), *header, kProgramVersion, this);
    dialog.SetPrinterChooser(m_printerChooser);
    dialog.exec();
}
