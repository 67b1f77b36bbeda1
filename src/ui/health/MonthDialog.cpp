#include "ui/health/MonthDialog.h"

#include "base/Prompter.h"
#include "health/MonthlySums.h"
#include "text/TextCodec.h"
#include "ui/FieldRules.h"
#include "ui/FormNavigation.h"
#include "ui/KeyActions.h"
#include "ui/RecordForm.h"
#include "ui_MonthDialog.h"

namespace {
void SizeForDigits(QLineEdit* field, int digits) {
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QString(digits + 2, '0')) + 8);
}
}  // namespace

MonthDialog::MonthDialog(Prompter& prompter, const std::string& current, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_ui(new Ui::MonthDialog) {
    m_ui->setupUi(this);
    setObjectName("monthDialog");
    ApplyTextRule(m_ui->month, TextRule::Digits, 2);
    ApplyTextRule(m_ui->year, TextRule::Digits, 4);
    SizeForDigits(m_ui->month, 2);
    SizeForDigits(m_ui->year, 4);
    const TypedMonth shown = SplitWorkingMonth(current);
    m_ui->month->setText(ToQt(shown.month));
    m_ui->year->setText(ToQt(shown.year));

    BindFormButtons(this, m_ui->confirmButton, m_ui->cancelButton,
                    {Qt::Key_F2, Qt::NoModifier, "[F2]   Salveaza"}, [this] { Confirm(); });
    FormNavigation::Install(this);
    // Two digits make a month: the year is typed next, as in a date.
    connect(m_ui->month, &QLineEdit::textEdited, this, [this](const QString& month) {
        if (month.size() < 2 || m_ui->month->cursorPosition() != month.size()) return;
        m_ui->year->setFocus();
        m_ui->year->selectAll();
    });
    m_ui->month->setFocus();
    m_ui->month->selectAll();
}

MonthDialog::~MonthDialog() = default;

void MonthDialog::Confirm() {
    const auto month =
        ComposeWorkingMonth(m_prompter, FromQt(m_ui->month->text()), FromQt(m_ui->year->text()));
    if (!month) {
        m_ui->month->setFocus();
        m_ui->month->selectAll();
        return;
    }
    m_month = *month;
    accept();
}
