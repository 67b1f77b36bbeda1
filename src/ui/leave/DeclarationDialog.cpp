#include "ui/leave/DeclarationDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include "db/CClient.h"
#include "domain/Dates.h"
#include "domain/TextNumbers.h"
#include "leave/DeclarationTotals.h"
#include "leave/MonthWorkingDays.h"
#include "text/TextCodec.h"
#include "ui/FieldRules.h"
#include "ui/RecordForm.h"

namespace {

const char* const kBaseHelp =
    "<h3>*Baza de calcul</h3><br><hr><br>= fond de salarii, dar nu mai mult de<br>numar de "
    "angajati x 12 luni x salariul  minim pe economie";
const char* const kCarriedHelp =
    "<h3>**Suma de recuperat pentru lunile anterioare</h3><br><hr><br>= total suma de recuperat "
    "de la FNUASS<br>(campul N din declaratia lunii anterioare)";

// Fields the program fills itself.
const char* const kComputed[] = {"zile_lucratoare", "salariul_minim", "contributii_datorate",
                                 "faambp_datorat",  "baseField",      "totalField",
                                 "typeField",       "numberField"};

constexpr int kFieldWidth = 130;

long long Whole(const QLineEdit* field) {
    return field ? TextToInteger(FromQt(field->text())) : 0;
}

}  // namespace

DeclarationDialog::DeclarationDialog(DeclarationRegister& declarations, const std::string& cf,
                                     long long index, QWidget* parent)
    : QDialog(parent), m_declarations(declarations), m_cf(cf), m_index(index) {
    setObjectName("declarationDialog");
    setWindowTitle(index == 0 ? "Adauga declaratie" : "Modifica declaratie");
    BuildForm();
    if (index == 0) return;
    const auto stored = m_declarations.Load(index);
    m_readable = stored.has_value();
    if (m_readable) Fill(*stored);
}

int DeclarationDialog::exec() {
    // A declaration that cannot be read closes the editor at once.
    if (!m_readable) return QDialog::Rejected;
    return QDialog::exec();
}

QLineEdit* DeclarationDialog::AddLine(const char* objectName, const QString& label,
                                      const QString& note, QLabel** noteLabel) {
    auto* form = findChild<QFormLayout*>("declarationForm");
    auto* field = new QLineEdit(this);
    field->setObjectName(objectName);
    field->setFixedWidth(kFieldWidth);
    auto* row = new QHBoxLayout();
    row->addWidget(field);
    auto* noteText = new QLabel(note, this);
    noteText->setObjectName(QString(objectName) + "Note");
    row->addWidget(noteText, 1);
    if (noteLabel) *noteLabel = noteText;
    auto* caption = new QLabel(label, this);
    caption->setObjectName(QString(objectName) + "Label");
    caption->setBuddy(field);
    form->addRow(caption, row);
    return field;
}

void DeclarationDialog::BuildForm() {
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout();
    form->setObjectName("declarationForm");
    layout->addLayout(form);

    auto* monthRow = new QHBoxLayout();
    m_month = MakeField(this, "monthField", 2, TextRule::Digits);
    m_year = MakeField(this, "yearField", 4, TextRule::Digits);
    m_month->setFixedWidth(kFieldWidth / 3);
    m_year->setFixedWidth(kFieldWidth / 2);
    monthRow->addWidget(m_month);
    monthRow->addWidget(m_year);
    monthRow->addStretch(1);
    form->addRow("Luna declaratiei:", monthRow);
    auto* typeRow = new QHBoxLayout();
    auto* type = new QLineEdit(this);
    type->setObjectName("typeField");
    auto* number = new QLineEdit(this);
    number->setObjectName("numberField");
    type->setFixedWidth(kFieldWidth);
    number->setFixedWidth(kFieldWidth / 3);
    typeRow->addWidget(type);
    typeRow->addWidget(number);
    typeRow->addStretch(1);
    form->addRow("Tipul declaratiei:", typeRow);

    AddLine("zile_lucratoare", "Zile lucratoare in luna:");
    AddLine("salariul_minim", "Salariul minim pe economie:");
    AddLine("nr_ang", "D. Numar de angajati:");
    AddLine("fond_de_salarii", "E. Total fond de salarii brute realizate:");
    SetHelp(AddLine("baseField", "Baza de calcul:", "*"), kBaseHelp);
    AddLine("contributii_datorate",
            "F. Contributii datorate pentru concedii si \nindemnizatii calculate la fondul de "
            "salarii:",
            ToQt(LeaveRateLabel(2007)), &m_rateLabel);
    AddLine("faambp", "G. Indemnizatii suportate din FAAMBP:");
    AddLine("faambp_datorat", "H. Contributii datorate din FAAMBP:", "= G * 0.85%");
    AddLine("totalField",
            "I. Total contributii datorate FNUASS\npentru concedii si indemnizatii:", "= F + H");
    SetHelp(AddLine("de_recuperat_anterior",
                    "K. Suma de recuperat de la FNUASS\npentru lunile anterioare:", "**"),
            kCarriedHelp);
    BindRecordFields<DeclarationRecord>(this, DeclarationRegister::Columns());
    for (const char* name : kComputed) findChild<QLineEdit*>(name)->setReadOnly(true);

    auto* buttons = new QHBoxLayout();
    m_confirm = new QPushButton(this);
    m_confirm->setObjectName("confirmButton");
    auto* cancel = new QPushButton(this);
    cancel->setObjectName("cancelButton");
    buttons->addStretch(1);
    buttons->addWidget(m_confirm);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    BindFormButtons(this, m_confirm, cancel, m_index != 0, [this] { Confirm(); });

    connect(m_month, &QLineEdit::textEdited, this, &DeclarationDialog::OnMonthChanged);
    connect(m_year, &QLineEdit::textEdited, this, &DeclarationDialog::OnMonthChanged);
    for (const char* name : {"salariul_minim", "nr_ang", "fond_de_salarii", "faambp"})
        connect(findChild<QLineEdit*>(name), &QLineEdit::textEdited, this,
                &DeclarationDialog::RecomputeTotals);
}

// The tooltip of a field and of its caption and note.
void DeclarationDialog::SetHelp(QWidget* field, const QString& html) {
    field->setToolTip(html);
    for (const char* suffix : {"Label", "Note"})
        if (auto* label = findChild<QLabel*>(field->objectName() + suffix)) label->setToolTip(html);
}

void DeclarationDialog::Fill(const DeclarationRecord& stored) {
    m_filling = true;
    m_stored = stored;
    m_year->setText(ToQt(stored.luna.substr(0, 4)));
    m_month->setText(ToQt(stored.luna.size() >= 6 ? stored.luna.substr(4, 2) : ""));
    ShowRecord<DeclarationRecord>(this, DeclarationRegister::Columns(), stored);
    findChild<QLineEdit*>("typeField")->setText(ToQt(stored.TypeText()));
    findChild<QLineEdit*>("numberField")
        ->setText(stored.Rectifying() ? ToQt(stored.rectifNr) : "0");
    m_month->setEnabled(false);
    m_year->setEnabled(false);
    // The day split of a 2006 certificate depends on the number of employees.
    const long long month = TextToInteger(stored.luna);
    if (month >= 200601 && month <= 200611) findChild<QLineEdit*>("nr_ang")->setEnabled(false);
    m_filling = false;
    OnMonthChanged();
}

int DeclarationDialog::TypedYear() const {
    return static_cast<int>(TextToInteger(FromQt(m_year->text())));
}

std::string DeclarationDialog::TypedMonth() const {
    return PadLeftZeros(FromQt(m_month->text()), 2);
}

void DeclarationDialog::OnMonthChanged() {
    if (m_filling) return;
    const int year = TypedYear();
    m_rateLabel->setText(ToQt(LeaveRateLabel(year)));
    const std::string yearText = FromQt(m_year->text());
    const std::string monthText = FromQt(m_month->text());
    const bool valid = IsValidCalendarDate("01", monthText, yearText);
    const int month = static_cast<int>(TextToInteger(monthText));
    if (m_index == 0) {
        auto* type = findChild<QLineEdit*>("typeField");
        auto* number = findChild<QLineEdit*>("numberField");
        type->clear();
        number->clear();
        if (valid && year > 2005) {
            const auto decided = m_declarations.DecideType(m_cf, year, month);
            if (!decided) return;
            type->setText(decided->rectifying ? "rectificativa" : "initiala");
            if (decided->rectifying) number->setText(QString::number(decided->number));
        }
    }
    if (valid) {
        auto* days = findChild<QLineEdit*>("zile_lucratoare");
        if (const auto working =
                LoadMonthWorkingDays(m_declarations.Client(), yearText, monthText)) {
            days->setText(QString::number(working->count));
            SetHelp(days, ToQt(working->helpText));
            if (m_index == 0)
                QToolTip::showText(days->mapToGlobal(days->rect().center()),
                                   ToQt(working->helpText), days);
        }
        if (const auto wage = m_declarations.MinimumWage(year, month)) {
            // Without a period in force the user types the wage; a stored
            // declaration keeps the one typed before.
            auto* field = findChild<QLineEdit*>("salariul_minim");
            if (!wage->empty() || m_index == 0) field->setText(ToQt(*wage));
            field->setReadOnly(!wage->empty());
        }
    }
    RecomputeTotals();
}

void DeclarationDialog::RecomputeTotals() {
    if (m_filling) return;
    auto field = [this](const char* name) { return findChild<QLineEdit*>(name); };
    const DeclarationTotals totals = ComputeDeclarationTotals(
        TypedYear(), Whole(field("nr_ang")), Whole(field("salariul_minim")),
        Whole(field("fond_de_salarii")), Whole(field("faambp")));
    field("baseField")->setText(QString::number(totals.base));
    field("contributii_datorate")->setText(QString::number(totals.f));
    field("faambp_datorat")->setText(QString::number(totals.h));
    field("totalField")->setText(QString::number(totals.i));
}

std::string DeclarationDialog::TypeText() const {
    return FromQt(findChild<QLineEdit*>("typeField")->text());
}

std::string DeclarationDialog::RectificationNumber() const {
    return FromQt(findChild<QLineEdit*>("numberField")->text());
}

void DeclarationDialog::Confirm() {
    DeclarationRecord record =
        ReadRecord<DeclarationRecord>(this, DeclarationRegister::Columns(), m_stored);
    if (m_index == 0) {
        record.cf = m_cf;
        record.luna = FromQt(m_year->text()) + TypedMonth();
        const bool rectifying = TypeText() != "initiala";
        record.rectificativa = rectifying ? "DA" : "NU";
        record.rectifNr = rectifying ? RectificationNumber() : "0";
    }
    const Outcome saved = m_declarations.Save(record, m_index);
    if (saved) m_savedKey = saved.Key();
    CloseWhenSaved(this, saved);
}
