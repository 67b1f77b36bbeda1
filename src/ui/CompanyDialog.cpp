#include "ui/CompanyDialog.h"

#include "domain/Identifiers.h"
#include "domain/ReferenceLists.h"
#include "text/TextCodec.h"
#include "ui/FieldMarks.h"
#include "ui/FormNavigation.h"
#include "ui/RecordForm.h"
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

    BindFormButtons(this, m_ui->confirmButton, m_ui->cancelButton, m_edit.modify,
                    [this] { Confirm(); });
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
    m_savedKey = saved.Key();
    // A value refused at save is marked as a mistake typed there would be,
    // also when the refusal needed the database (a code already taken).
    if (!saved) MarkRefusedField(this, saved.Field(), ToQt(saved.Message()));
    CloseWhenSaved(this, saved);
}
