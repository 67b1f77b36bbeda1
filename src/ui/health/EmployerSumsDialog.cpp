#include "ui/health/EmployerSumsDialog.h"

#include "domain/TextNumbers.h"
#include "health/MonthlySums.h"
#include "text/TextCodec.h"
#include "ui/FormNavigation.h"
#include "ui/KeyActions.h"
#include "ui/RecordForm.h"
#include "ui_EmployerSumsDialog.h"

EmployerSumsDialog::EmployerSumsDialog(EmployerSums& sums, const EmployerMonth& row,
                                       QWidget* parent)
    : QDialog(parent), m_sums(sums), m_row(row), m_ui(new Ui::EmployerSumsDialog) {
    m_ui->setupUi(this);
    setObjectName("employerSumsDialog");
    m_ui->currentCompany->SetLabelText(row.denumire);
    m_ui->rateLabel->setText(ToQt(RateText(sums.Rate()) + "%"));
    BindRecordFields(this, EmployerSums::Columns());
    ShowRecord(this, EmployerSums::Columns(), row.sums);
    // Connected once the form is filled, so opening it recomputes nothing.
    connect(m_ui->fond_de_salarii, &QLineEdit::textChanged, this, &EmployerSumsDialog::FundEdited);

    BindFormButtons(this, m_ui->confirmButton, m_ui->cancelButton,
                    {Qt::Key_F4, Qt::NoModifier, "[F4]   Salveaza"}, [this] { Confirm(); });
    AlignLabelColumns(this);
    FormNavigation::Install(this);
    m_ui->fond_de_salarii->setFocus();
}

EmployerSumsDialog::~EmployerSumsDialog() = default;

void EmployerSumsDialog::FundEdited() {
    m_fundEdited = true;
    const QString owed = ToQt(m_sums.OwedOn(TextToReal(m_ui->fond_de_salarii->AmountText())));
    m_ui->datorat->setText(owed);
    m_ui->virat->setText(owed);
}

EmployerMonthSums EmployerSumsDialog::Typed() const {
    EmployerMonthSums typed = ReadRecord(this, EmployerSums::Columns(), EmployerMonthSums{});
    if (!m_fundEdited) typed.fondDeSalarii = m_row.sums.fondDeSalarii;
    return typed;
}

void EmployerSumsDialog::Confirm() {
    const EmployerMonthSums typed = Typed();
    const Outcome saved = m_sums.Save(m_row, typed);
    if (!CloseWhenSaved(this, saved)) return;
    m_saved = EmployerSums::AsStored(typed);
    m_savedKey = saved.Key();
}
