#include "ui/health/InsuredDialog.h"

#include "domain/ReferenceLists.h"
#include "text/TextCodec.h"
#include "ui/FormNavigation.h"
#include "ui/RecordForm.h"
#include "ui_InsuredDialog.h"

namespace {
void FillChoices(QComboBox* combo, const std::vector<std::string>& texts) {
    for (const auto& text : texts) combo->addItem(ToQt(text));
}

std::vector<std::string> FormTexts() {
    std::vector<std::string> texts;
    for (const CodedEntry& form : EmploymentForms()) texts.emplace_back(form.listText);
    return texts;
}
}  // namespace

InsuredDialog::InsuredDialog(InsuredRegister& insured, const std::string& companyName,
                             const InsuredRecord& record, const InsuredEdit& edit, QWidget* parent)
    : QDialog(parent), m_insured(insured), m_edit(edit), m_ui(new Ui::InsuredDialog) {
    m_ui->setupUi(this);
    setObjectName("insuredDialog");
    setWindowTitle(m_edit.modify ? "Modifica un asigurat" : "Adauga un asigurat");
    m_ui->currentCompany->SetLabelText(companyName);
    FillChoices(m_ui->cas, InsuranceHouseComboTexts(HarghitaLabel::Hr));
    FillChoices(m_ui->forma, FormTexts());
    BindRecordFields(this, InsuredRegister::Columns());
    ShowRecord(this, InsuredRegister::Columns(), record);
    // The liquidation date is edited only on a record liquidated when the form opened.
    for (QWidget* w :
         {static_cast<QWidget*>(m_ui->iesireLabel), static_cast<QWidget*>(m_ui->iesire),
          static_cast<QWidget*>(m_ui->reopenNote)})
        w->setVisible(m_edit.liquidationShown);

    BindFormButtons(this, m_ui->confirmButton, m_ui->cancelButton, m_edit.modify,
                    [this] { Confirm(); });
    FormNavigation::Install(this);
    m_ui->nume->setFocus();
}

InsuredDialog::~InsuredDialog() = default;

InsuredRecord InsuredDialog::Record() const {
    return ReadRecord(this, InsuredRegister::Columns(), InsuredRecord{});
}

void InsuredDialog::Confirm() {
    const Outcome saved = m_insured.Save(Record(), m_edit);
    m_savedKey = saved.Key();
    CloseWhenSaved(this, saved);
}
