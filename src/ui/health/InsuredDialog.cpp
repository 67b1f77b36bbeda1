#include "ui/health/InsuredDialog.h"

#include "domain/ReferenceLists.h"
#include "ui/FormNavigation.h"
#include "ui/KeyActions.h"
#include "ui/RecordForm.h"
#include "ui/TextCodec.h"
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
    for (QWidget* w : {static_cast<QWidget*>(m_ui->iesireLabel), static_cast<QWidget*>(m_ui->iesire),
                       static_cast<QWidget*>(m_ui->reopenNote)})
        w->setVisible(m_edit.liquidationShown);

    auto* keys = new KeyActions(this);
    keys->Bind(m_ui->confirmButton,
               m_edit.modify ? KeyCommand{Qt::Key_F6, Qt::NoModifier, "[F6]   Modifica"}
                             : KeyCommand{Qt::Key_F5, Qt::NoModifier, "[F5]   Adauga"},
               [this] { Confirm(); });
    keys->Bind(m_ui->cancelButton, {Qt::Key_Escape, Qt::NoModifier, "[ESC]   Renunta"},
               [this] { reject(); });
    for (QPushButton* button : {m_ui->confirmButton, m_ui->cancelButton}) SizeCommandButton(button);
    FormNavigation::Install(this);
    m_ui->nume->setFocus();
}

InsuredDialog::~InsuredDialog() = default;

InsuredRecord InsuredDialog::Record() const {
    return ReadRecord(this, InsuredRegister::Columns(), InsuredRecord{});
}

void InsuredDialog::Confirm() {
    const Outcome saved = m_insured.Save(Record(), m_edit);
    if (!saved) {
        FocusField(this, saved.Field());
        return;
    }
    m_savedKey = saved.Key();
    accept();
}
