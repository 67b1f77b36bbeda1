#include "ui/health/EmploymentChangeDialog.h"

#include "domain/ReferenceLists.h"
#include "text/TextCodec.h"
#include "ui/FormNavigation.h"
#include "ui/KeyActions.h"
#include "ui/RecordForm.h"
#include "ui_EmploymentChangeDialog.h"

namespace {
struct KindTexts {
    const char* title;
    const char* choiceLabel;
    const char* exitLine;
    const char* entryLine;
    KeyCommand confirm;
};

KindTexts TextsOf(ChangeKind kind) {
    if (kind == ChangeKind::House)
        return {"Schimba casa de asigurare",
                "Noua casa de asigurari:",
                "- iesire din casa curenta de asigurari",
                "- intrare in noua casa de asigurari",
                {Qt::Key_F9, Qt::NoModifier, "[F9]   Schimba"}};
    return {"Modifica forma de angajare",
            "Noua forma de angajare:",
            "- iesire din forma curenta de angajare",
            "- intrare in noua forma de angajare",
            {Qt::Key_F8, Qt::NoModifier, "[F8]   Modifica"}};
}
}  // namespace

EmploymentChangeDialog::EmploymentChangeDialog(ChangeKind kind, InsuredRegister& insured,
                                               const std::string& companyName, long long index,
                                               const InsuredRecord& current, QWidget* parent)
    : QDialog(parent),
      m_kind(kind),
      m_insured(insured),
      m_index(index),
      m_current(current),
      m_ui(new Ui::EmploymentChangeDialog) {
    m_ui->setupUi(this);
    setObjectName("employmentChangeDialog");
    const KindTexts texts = TextsOf(kind);
    setWindowTitle(texts.title);
    m_ui->newCodeLabel->setText(texts.choiceLabel);
    m_ui->noticeExit->setText(texts.exitLine);
    m_ui->noticeEntry->setText(texts.entryLine);
    m_ui->currentCompany->SetLabelText(companyName);

    for (const auto& text : InsuranceHouseComboTexts()) m_ui->cas->addItem(ToQt(text));
    m_ui->cas->setCurrentIndex(InsuranceHousePosition(current.cas));
    m_ui->cnp->setText(ToQt(current.cnp));
    m_ui->nume->setText(ToQt(current.nume));
    m_ui->prenume->setText(ToQt(current.prenume));
    m_ui->formaText->setText(ToQt(EmploymentFormListText(current.forma)));
    m_ui->intrare->SetCompact(current.intrare);
    m_ui->intrare->SetReadOnly(true);
    m_ui->intrare->setFocusPolicy(Qt::NoFocus);
    FillChoices();
    BindRecordFields<EmploymentChange>(this, InsuredRegister::ChangeColumns(), [this] {
        EmploymentChange change;
        change.kind = m_kind;
        return change;
    });

    BindFormButtons(this, m_ui->confirmButton, m_ui->cancelButton, texts.confirm,
                    [this] { Confirm(); });
    // A house change waits for its house: nothing is stored without one.
    auto chosen = [this] { m_ui->confirmButton->setEnabled(m_ui->newCode->currentIndex() >= 0); };
    connect(m_ui->newCode, &QComboBox::currentIndexChanged, this, chosen);
    chosen();
    FormNavigation::Install(this);
    m_ui->newCode->setFocus();
}

EmploymentChangeDialog::~EmploymentChangeDialog() = default;

// Forms: every form but the current one, the first selected. Houses: all of
// them, none selected.
void EmploymentChangeDialog::FillChoices() {
    if (m_kind == ChangeKind::House) {
        for (int i = 0; i < kInsuranceHouseCount; ++i) {
            m_ui->newCode->addItem(ToQt(InsuranceHouseComboText(i)));
            m_choiceCodes.push_back(InsuranceHouseCode(i));
        }
        m_ui->newCode->setCurrentIndex(-1);
        return;
    }
    for (const CodedEntry& form : EmploymentForms()) {
        if (form.code == m_current.forma) continue;
        m_ui->newCode->addItem(ToQt(std::string(form.listText)));
        m_choiceCodes.emplace_back(form.code);
    }
    m_ui->newCode->setCurrentIndex(0);
}

std::string EmploymentChangeDialog::ChosenCode() const {
    const int position = m_ui->newCode->currentIndex();
    return position >= 0 && position < static_cast<int>(m_choiceCodes.size())
               ? m_choiceCodes[position]
               : std::string();
}

void EmploymentChangeDialog::Confirm() {
    const Outcome changed = m_insured.ChangeEmployment(
        {m_kind, m_index, m_current, ChosenCode(), m_ui->changeDate->Compact()});
    m_newKey = changed.Key();
    CloseWhenSaved(this, changed);
}
