#include "ui/health/CompanyDialog.h"

#include "domain/Identifiers.h"
#include "domain/ReferenceLists.h"
#include "ui/FormNavigation.h"
#include "ui/KeyActions.h"
#include "ui/RecordForm.h"
#include "ui/TextCodec.h"
#include "ui_CompanyDialog.h"

CompanyDialog::CompanyDialog(CompanyRegister& companies, const CompanyRecord& record,
                             const CompanyEdit& edit, QWidget* parent)
    : QDialog(parent), m_companies(companies), m_edit(edit), m_ui(new Ui::CompanyDialog) {
    m_ui->setupUi(this);
    setObjectName("companyDialog");
    setWindowTitle(m_edit.modify ? "Modifica societate" : "Adauga societate");
    for (const auto& name : CountyComboTexts()) m_ui->jud->addItem(ToQt(name));
    BindRecordFields(this, CompanyRegister::Columns());
    ShowRecord(this, CompanyRegister::Columns(), record);

    auto* keys = new KeyActions(this);
    keys->Bind(m_ui->confirmButton,
               m_edit.modify ? KeyCommand{Qt::Key_F6, Qt::NoModifier, "[F6]   Modifica"}
                             : KeyCommand{Qt::Key_F5, Qt::NoModifier, "[F5]   Adauga"},
               [this] { Confirm(); });
    keys->Bind(m_ui->cancelButton, {Qt::Key_Escape, Qt::NoModifier, "[ESC]   Renunta"},
               [this] { reject(); });
    for (QPushButton* button : {m_ui->confirmButton, m_ui->cancelButton}) SizeCommandButton(button);
    AlignLabelColumns(this);

    connect(m_ui->jud, &QComboBox::currentIndexChanged, this, &CompanyDialog::UpdateSectorField);
    UpdateSectorField();
    FormNavigation::Install(this);
    m_ui->denumire->setFocus();
}

CompanyDialog::~CompanyDialog() = default;

CompanyRecord CompanyDialog::Record() const {
    return ReadRecord(this, CompanyRegister::Columns(), CompanyRecord{});
}

// Only Bucharest has sectors.
void CompanyDialog::UpdateSectorField() {
    m_ui->sect->setEnabled(m_ui->jud->currentIndex() == kCountyWithSectors);
}

void CompanyDialog::Confirm() {
    const Outcome saved = m_companies.Save(Record(), m_edit);
    if (!saved) {
        FocusField(this, saved.Field());
        return;
    }
    m_savedKey = saved.Key();
    accept();
}
