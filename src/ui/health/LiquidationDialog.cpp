#include "ui/health/LiquidationDialog.h"

#include "domain/ReferenceLists.h"
#include "text/TextCodec.h"
#include "ui/FormNavigation.h"
#include "ui/KeyActions.h"
#include "ui/RecordForm.h"
#include "ui/TypeAhead.h"
#include "ui_LiquidationDialog.h"

LiquidationDialog::LiquidationDialog(InsuredRegister& insured, const std::string& companyName,
                                     const std::optional<InsuredRecord>& given, QWidget* parent)
    : QDialog(parent), m_insured(insured), m_ui(new Ui::LiquidationDialog) {
    m_ui->setupUi(this);
    setObjectName("liquidationDialog");
    m_ui->currentCompany->SetLabelText(companyName);
    for (const auto& text : InsuranceHouseComboTexts()) m_ui->cas->addItem(ToQt(text));
    BindRecordFields(this, InsuredRegister::LiquidationColumns());
    m_ui->intrare->SetReadOnly(true);
    m_ui->intrare->setFocusPolicy(Qt::NoFocus);
    ClearPerson();

    BindFormButtons(this, m_ui->confirmButton, m_ui->cancelButton,
                    {Qt::Key_F6, Qt::NoModifier, "[F6]   Lichideaza"}, [this] { Confirm(); });

    if (given) {
        m_ui->cnp->setText(ToQt(given->cnp));
        ShowPerson(*given);
        m_ui->cnp->setReadOnly(true);
    } else {
        // Every change of the CNP drops the person shown; the look-up may
        // then find the next one.
        connect(m_ui->cnp, &QLineEdit::textEdited, this, &LiquidationDialog::ClearPerson);
        m_typeAhead =
            new TypeAhead(m_ui->cnp, [this](const std::string& typed) { return Complete(typed); });
    }
    FormNavigation::Install(this);
    if (given)
        m_ui->iesire->DayField()->setFocus();
    else
        m_ui->cnp->setFocus();
}

LiquidationDialog::~LiquidationDialog() = default;

void LiquidationDialog::ShowPerson(const InsuredRecord& record) {
    m_ui->nume->setText(ToQt(record.nume));
    m_ui->prenume->setText(ToQt(record.prenume));
    m_ui->formaText->setText(ToQt(EmploymentFormListText(record.forma)));
    m_ui->intrare->SetCompact(record.intrare);
    m_ui->cas->setCurrentIndex(InsuranceHousePosition(record.cas));
}

void LiquidationDialog::ClearPerson() {
    for (QLineEdit* edit : {m_ui->nume, m_ui->prenume, m_ui->formaText}) edit->clear();
    m_ui->intrare->Clear();
    m_ui->cas->setCurrentIndex(-1);
}

std::optional<std::string> LiquidationDialog::Complete(const std::string& typed) {
    const auto found = m_insured.FindOpenByCnpPrefix(typed);
    if (!found) return std::nullopt;
    ShowPerson(*found);
    return found->cnp;
}

void LiquidationDialog::Confirm() {
    const Outcome done = m_insured.Liquidate(FromQt(m_ui->cnp->text()), m_ui->intrare->Compact(),
                                             m_ui->iesire->Compact());
    CloseWhenSaved(this, done);
}
