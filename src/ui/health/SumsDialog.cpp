#include "ui/health/SumsDialog.h"

#include "domain/ReferenceLists.h"
#include "domain/TextNumbers.h"
#include "text/TextCodec.h"
#include "ui/FormNavigation.h"
#include "ui/RecordForm.h"
#include "ui_SumsDialog.h"

SumsDialog::SumsDialog(MonthlySums& sums, const std::string& companyName, const EmployeeMonth& row,
                       QWidget* parent)
    : QDialog(parent), m_sums(sums), m_row(row), m_ui(new Ui::SumsDialog) {
    m_ui->setupUi(this);
    setObjectName("sumsDialog");
    m_ui->currentCompany->SetLabelText(companyName);
    m_ui->monthLine->setText(ToQt("Luna curenta: " + WorkingMonthCaption(sums.Month())));
    m_ui->rateLabel->setText(ToQt("lei (" + RateText(sums.EmployeeRate()) + "%)"));
    for (const auto& text : InsuranceHouseComboTexts()) m_ui->cas->addItem(ToQt(text));
    for (DateTriple* date : {m_ui->intrare, m_ui->iesire}) {
        date->SetReadOnly(true);
        date->setFocusPolicy(Qt::NoFocus);
        for (QWidget* part : date->findChildren<QLineEdit*>()) part->setFocusPolicy(Qt::NoFocus);
    }
    BindRecordFields(this, MonthlySums::Columns());
    ShowRow();
    // Connected once the form is filled: opening it must not recompute
    // anything, so opening and saving leaves the sums as they were.
    connect(m_ui->salariu, &QLineEdit::textChanged, this, &SumsDialog::SalaryEdited);
    BindFormButtons(this, m_ui->confirmButton, m_ui->cancelButton, true, [this] { Confirm(); });
    AlignLabelColumns(this);
    FormNavigation::Install(this);
    m_ui->salariu->setFocus();
}

SumsDialog::~SumsDialog() = default;

void SumsDialog::ShowRow() {
    ShowRecord(this, InsuredRegister::Columns(), m_row.person);
    m_ui->formaText->setText(ToQt(EmploymentFormListText(m_row.person.forma)));
    // Contributions are whole lei: a stored fraction opens rounded.
    const auto whole = [](const std::string& stored) {
        return IntegerToText(RoundHalfUp(TextToReal(stored)), false);
    };
    ShowRecord(
        this, MonthlySums::Columns(),
        MonthSums{m_row.sums.salariu, whole(m_row.sums.asigDatorat), whole(m_row.sums.asigVirat)});
}

void SumsDialog::SalaryEdited() {
    m_salaryEdited = true;
    const QString owed = ToQt(m_sums.OwedOn(TextToReal(m_ui->salariu->AmountText())));
    m_ui->asig_datorat->setText(owed);
    m_ui->asig_virat->setText(owed);
}

MonthSums SumsDialog::Typed() const {
    MonthSums typed = ReadRecord(this, MonthlySums::Columns(), MonthSums{});
    if (!m_salaryEdited) typed.salariu = m_row.sums.salariu;
    return typed;
}

void SumsDialog::Confirm() {
    const MonthSums typed = Typed();
    if (CloseWhenSaved(this, m_sums.Save(m_row, typed))) m_saved = MonthlySums::AsStored(typed);
}
