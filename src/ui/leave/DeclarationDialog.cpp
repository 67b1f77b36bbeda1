#include "ui/leave/DeclarationDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolTip>
#include <utility>

#include "base/Prompter.h"
#include "db/CClient.h"
#include "domain/Dates.h"
#include "domain/TextNumbers.h"
#include "leave/DeclarationTotals.h"
#include "leave/MonthWorkingDays.h"
#include "text/TextCodec.h"
#include "ui/FieldRules.h"
#include "ui/FormNavigation.h"
#include "ui/RecordForm.h"
#include "ui/leave/UnsavedEntry.h"
#include "ui_DeclarationDialog.h"

namespace {

const char* const kBaseHelp =
    "<h3>*Baza de calcul</h3><br><hr><br>= fond de salarii, dar nu mai mult de<br>numar de "
    "angajati x 12 luni x salariul  minim pe economie";
const char* const kCarriedHelp =
    "<h3>**Suma de recuperat pentru lunile anterioare</h3><br><hr><br>= total suma de recuperat "
    "de la FNUASS<br>(campul N din declaratia lunii anterioare)";

long long Whole(const QLineEdit* field) {
    return TextToInteger(FromQt(field->text()));
}

}  // namespace

DeclarationDialog::DeclarationDialog(DeclarationRegister& declarations, const std::string& cf,
                                     long long index, QWidget* parent)
    : QDialog(parent),
      m_declarations(declarations),
      m_cf(cf),
      m_index(index),
      m_ui(new Ui::DeclarationDialog) {
    m_ui->setupUi(this);
    setObjectName("declarationDialog");
    setWindowTitle(index == 0 ? "Adauga declaratie" : "Modifica declaratie");
    SetUpFields();
    m_unsaved = new UnsavedEntry(this);
    if (index == 0) return;
    const auto stored = m_declarations.Load(index);
    m_readable = stored.has_value();
    if (m_readable) Fill(*stored);
}

DeclarationDialog::~DeclarationDialog() = default;

int DeclarationDialog::exec() {
    // A declaration that cannot be read closes the editor at once.
    if (!m_readable) return QDialog::Rejected;
    return QDialog::exec();
}

void DeclarationDialog::reject() {
    if (m_unsaved && !m_unsaved->MayDiscard(m_declarations.Client().GetPrompter())) return;
    QDialog::reject();
}

void DeclarationDialog::SetUpFields() {
    ApplyTextRule(m_ui->monthField, TextRule::Digits, 2);
    ApplyTextRule(m_ui->yearField, TextRule::Digits, 4);
    m_ui->contributii_datorateNote->setText(ToQt(LeaveRateLabel(2007)));
    SetHelp(kBaseHelp, {m_ui->baseField, m_ui->baseFieldLabel, m_ui->baseFieldNote});
    SetHelp(kCarriedHelp, {m_ui->de_recuperat_anterior, m_ui->de_recuperat_anteriorLabel,
                           m_ui->de_recuperat_anteriorNote});
    BindRecordFields<DeclarationRecord>(this, DeclarationRegister::Columns());
    BindFormButtons(this, m_ui->confirmButton, m_ui->cancelButton, m_index != 0,
                    [this] { Confirm(); });

    FormNavigation::Install(this);
    // Two digits make a month: the year is typed next, as in a date.
    connect(m_ui->monthField, &QLineEdit::textEdited, this, [this](const QString& month) {
        if (month.size() == 2 && m_ui->monthField->cursorPosition() == 2) {
            m_ui->yearField->setFocus();
            m_ui->yearField->selectAll();
        }
    });
    connect(m_ui->monthField, &QLineEdit::textEdited, this, &DeclarationDialog::OnMonthChanged);
    connect(m_ui->yearField, &QLineEdit::textEdited, this, &DeclarationDialog::OnMonthChanged);
    for (QLineEdit* field :
         {m_ui->salariul_minim, m_ui->nr_ang, m_ui->fond_de_salarii, m_ui->faambp})
        connect(field, &QLineEdit::textEdited, this, &DeclarationDialog::RecomputeTotals);
}

// The tooltip of a field, its caption and its note.
void DeclarationDialog::SetHelp(const QString& html, std::initializer_list<QWidget*> widgets) {
    for (QWidget* widget : widgets) widget->setToolTip(html);
}

void DeclarationDialog::Fill(const DeclarationRecord& stored) {
    m_filling = true;
    m_stored = stored;
    m_type = DeclarationType{stored.Rectifying(),
                             stored.Rectifying() ? TextToInteger(stored.rectifNr) : 0};
    m_ui->yearField->setText(ToQt(stored.luna.substr(0, 4)));
    m_ui->monthField->setText(ToQt(stored.luna.size() >= 6 ? stored.luna.substr(4, 2) : ""));
    ShowRecord<DeclarationRecord>(this, DeclarationRegister::Columns(), stored);
    m_ui->typeField->setText(ToQt(stored.TypeText()));
    m_ui->numberField->setText(stored.Rectifying() ? ToQt(stored.rectifNr) : "0");
    m_ui->monthField->setEnabled(false);
    m_ui->yearField->setEnabled(false);
    // The day split of a 2006 certificate depends on the number of employees.
    const long long month = TextToInteger(stored.luna);
    if (month >= 200601 && month <= 200611) m_ui->nr_ang->setEnabled(false);
    m_filling = false;
    OnMonthChanged();
}

int DeclarationDialog::TypedYear() const {
    return static_cast<int>(TextToInteger(FromQt(m_ui->yearField->text())));
}

std::string DeclarationDialog::TypedMonth() const {
    return PadLeftZeros(FromQt(m_ui->monthField->text()), 2);
}

// A month a declaration can be made for: a calendar month from 2006 on.
bool DeclarationDialog::MonthTyped() const {
    return IsValidCalendarDate("01", FromQt(m_ui->monthField->text()),
                               FromQt(m_ui->yearField->text())) &&
           TypedYear() > 2005;
}

// A new declaration's type follows its month: initial, or the next
// rectification when the month has one already. False when the look-up failed.
bool DeclarationDialog::DecideType() {
    m_type.reset();
    m_ui->typeField->clear();
    m_ui->numberField->clear();
    if (!MonthTyped()) return true;
    m_type = m_declarations.DecideType(
        m_cf, TypedYear(), static_cast<int>(TextToInteger(FromQt(m_ui->monthField->text()))));
    if (!m_type) return false;
    m_ui->typeField->setText(m_type->rectifying ? "rectificativa" : "initiala");
    if (m_type->rectifying) m_ui->numberField->setText(QString::number(m_type->number));
    return true;
}

void DeclarationDialog::OnMonthChanged() {
    if (m_filling) return;
    m_ui->contributii_datorateNote->setText(ToQt(LeaveRateLabel(TypedYear())));
    if (m_index == 0 && !DecideType()) return;
    if (IsValidCalendarDate("01", FromQt(m_ui->monthField->text()),
                            FromQt(m_ui->yearField->text())))
        ShowMonthFigures();
    if (m_index == 0) ProposeFromCorrected();
    RecomputeTotals();
}

// The working days and the minimum wage of the typed month.
void DeclarationDialog::ShowMonthFigures() {
    const std::string yearText = FromQt(m_ui->yearField->text());
    const std::string monthText = FromQt(m_ui->monthField->text());
    QLineEdit* days = m_ui->zile_lucratoare;
    if (const auto working = LoadMonthWorkingDays(m_declarations.Client(), yearText, monthText)) {
        days->setText(QString::number(working->count));
        SetHelp(ToQt(working->helpText),
                {days, m_ui->zile_lucratoareLabel, m_ui->zile_lucratoareNote});
        if (m_index == 0)
            QToolTip::showText(days->mapToGlobal(days->rect().center()), ToQt(working->helpText),
                               days);
    }
    const int month = static_cast<int>(TextToInteger(monthText));
    if (const auto wage = m_declarations.MinimumWage(TypedYear(), month)) {
        // Without a period in force the user types the wage; a stored
        // declaration keeps the one typed before.
        if (!wage->empty() || m_index == 0) m_ui->salariul_minim->setText(ToQt(*wage));
        m_ui->salariul_minim->setReadOnly(!wage->empty());
    }
}

// A rectification starts from the figures of the declaration it corrects,
// every one of them editable. What was proposed follows the month typed;
// what the user typed stays.
void DeclarationDialog::ProposeFromCorrected() {
    DeclarationRecord proposal;
    if (m_type && m_type->rectifying)
        if (const auto corrected = m_declarations.Load(m_type->rectifies)) proposal = *corrected;
    const std::pair<QLineEdit*, std::string DeclarationRecord::*> figures[] = {
        {m_ui->nr_ang, &DeclarationRecord::nrAng},
        {m_ui->fond_de_salarii, &DeclarationRecord::fondDeSalarii},
        {m_ui->faambp, &DeclarationRecord::faambp},
        {m_ui->de_recuperat_anterior, &DeclarationRecord::deRecuperatAnterior}};
    for (const auto& [field, member] : figures) {
        const std::string shown = FromQt(field->text());
        if (shown.empty() || shown == m_proposed.*member) field->setText(ToQt(proposal.*member));
    }
    // A month without a wage in force takes the one typed for the corrected declaration.
    QLineEdit* wage = m_ui->salariul_minim;
    if (!wage->isReadOnly() && wage->text().isEmpty()) wage->setText(ToQt(proposal.salariulMinim));
    m_proposed = proposal;
}

void DeclarationDialog::RecomputeTotals() {
    if (m_filling) return;
    const DeclarationTotals totals =
        ComputeDeclarationTotals(TypedYear(), Whole(m_ui->nr_ang), Whole(m_ui->salariul_minim),
                                 Whole(m_ui->fond_de_salarii), Whole(m_ui->faambp));
    m_ui->baseField->setText(QString::number(totals.base));
    m_ui->contributii_datorate->setText(QString::number(totals.f));
    m_ui->faambp_datorat->setText(QString::number(totals.h));
    m_ui->totalField->setText(QString::number(totals.i));
}

void DeclarationDialog::Confirm() {
    DeclarationRecord record =
        ReadRecord<DeclarationRecord>(this, DeclarationRegister::Columns(), m_stored);
    if (m_index == 0) {
        // A month whose type could not be looked up is looked up again, never guessed.
        if (!m_type && MonthTyped() && !DecideType()) return;
        record.cf = m_cf;
        record.luna = FromQt(m_ui->yearField->text()) + TypedMonth();
        const bool rectifying = m_type && m_type->rectifying;
        record.rectificativa = rectifying ? "DA" : "NU";
        record.rectifNr = rectifying ? IntegerToText(m_type->number, false) : "0";
    }
    const Outcome saved = m_declarations.Save(record, m_index);
    if (saved) m_savedKey = saved.Key();
    CloseWhenSaved(this, saved);
}
