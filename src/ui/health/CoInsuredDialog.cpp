#include "ui/health/CoInsuredDialog.h"

#include "domain/ReferenceLists.h"
#include "text/TextCodec.h"
#include "ui/FieldRules.h"
#include "ui/FormNavigation.h"
#include "ui/RecordForm.h"
#include "ui/TypeAhead.h"
#include "ui_CoInsuredDialog.h"

CoInsuredDialog::CoInsuredDialog(CoInsuredRegister& coInsured, InsuredRegister& insured,
                                 const std::string& companyName,
                                 const std::optional<InsuredRecord>& given,
                                 const CoInsuredRecord& dependant, const CoInsuredEdit& edit,
                                 QWidget* parent)
    : QDialog(parent),
      m_coInsured(coInsured),
      m_insured(insured),
      m_edit(edit),
      m_ui(new Ui::CoInsuredDialog) {
    m_ui->setupUi(this);
    setObjectName("coInsuredDialog");
    // The title of a change reads as the program always wrote it.
    setWindowTitle(edit.modify ? "Modifica un asigurat" : "Adauga un coasigurat");
    m_ui->currentCompany->SetLabelText(companyName);
    for (const CodedEntry& kind : CoInsuredKinds())
        m_ui->tip->addItem(ToQt(std::string(kind.listText)));
    BindRecordFields(this, CoInsuredRegister::Columns());
    ApplyTextRule(m_ui->insuredNume, TextRule::Upper, 50);
    ApplyTextRule(m_ui->insuredPrenume, TextRule::Upper, 50);
    m_ui->insuredIntrare->SetReadOnly(true);
    m_ui->insuredIntrare->setFocusPolicy(Qt::NoFocus);
    ShowRecord(this, CoInsuredRegister::Columns(), dependant);
    BindFormButtons(this, m_ui->confirmButton, m_ui->cancelButton, edit.modify,
                    [this] { Confirm(); });

    if (given) {
        ShowInsured(*given);
        for (InsuredField field : {InsuredField::Cnp, InsuredField::Nume, InsuredField::Prenume})
            FieldOf(field)->setReadOnly(true);
    } else {
        for (InsuredField field : {InsuredField::Cnp, InsuredField::Nume, InsuredField::Prenume})
            new TypeAhead(FieldOf(field), [this, field](const std::string& typed) {
                return Complete(field, typed);
            });
    }
    AlignLabelColumns(this);
    FormNavigation::Install(this);
    QLineEdit* first = given ? m_ui->cnp : m_ui->cnp_asig;
    first->setFocus();
    first->selectAll();
}

CoInsuredDialog::~CoInsuredDialog() = default;

QLineEdit* CoInsuredDialog::FieldOf(InsuredField field) const {
    switch (field) {
        case InsuredField::Nume:
            return m_ui->insuredNume;
        case InsuredField::Prenume:
            return m_ui->insuredPrenume;
        case InsuredField::Cnp:
            break;
    }
    return m_ui->cnp_asig;
}

void CoInsuredDialog::ShowInsured(const InsuredRecord& person) {
    m_ui->cnp_asig->setText(ToQt(person.cnp));
    m_ui->insuredNume->setText(ToQt(person.nume));
    m_ui->insuredPrenume->setText(ToQt(person.prenume));
    m_ui->insuredIntrare->SetCompact(person.intrare);
    m_ui->formaText->setText(ToQt(EmploymentFormListText(person.forma)));
}

void CoInsuredDialog::ClearInsuredBut(InsuredField typed) {
    for (InsuredField field : {InsuredField::Cnp, InsuredField::Nume, InsuredField::Prenume})
        if (field != typed) FieldOf(field)->clear();
    m_ui->insuredIntrare->Clear();
    m_ui->formaText->clear();
}

// The other fields are emptied first, so a name is looked up by its own
// prefix only, and what is shown always belongs to one person.
std::optional<std::string> CoInsuredDialog::Complete(InsuredField field, const std::string& typed) {
    ClearInsuredBut(field);
    const auto found =
        field == InsuredField::Cnp
            ? m_insured.FindOpenByCnpPrefix(typed)
            : m_insured.FindOpenByNamePrefix(field == InsuredField::Nume ? typed : "",
                                             field == InsuredField::Prenume ? typed : "");
    if (!found) return std::nullopt;
    ShowInsured(*found);
    switch (field) {
        case InsuredField::Nume:
            return found->nume;
        case InsuredField::Prenume:
            return found->prenume;
        case InsuredField::Cnp:
            break;
    }
    return found->cnp;
}

CoInsuredRecord CoInsuredDialog::Record() const {
    return ReadRecord(this, CoInsuredRegister::Columns(), CoInsuredRecord{});
}

void CoInsuredDialog::Confirm() {
    const Outcome saved = m_coInsured.Save(Record(), m_edit);
    m_savedKey = saved.Key();
    CloseWhenSaved(this, saved);
}
