#include "ui/leave/CertificateDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "base/Prompter.h"
#include "db/CClient.h"
#include "domain/ReferenceLists.h"
#include "domain/TextNumbers.h"
#include "leave/LeaveHelpTexts.h"
#include "text/TextCodec.h"
#include "ui/DateTriple.h"
#include "ui/FormNavigation.h"
#include "ui/RecordForm.h"
#include "ui/TypeAhead.h"
#include "ui/leave/NomenclaturePickDialog.h"
#include "ui/leave/UnsavedEntry.h"
#include "ui_CertificateDialog.h"

namespace {

constexpr Nomenclature kNomenclatures[] = {Nomenclature::IndemnityCodes, Nomenclature::Emergencies,
                                           Nomenclature::InfectiousDiseases};

QLineEdit* Part(DateTriple* date, const char* part) {
    return date->findChild<QLineEdit*>(part);
}

// The least a nomenclature's description keeps beside its code: the start of
// the text, the whole of it in the tooltip. The editor fits a 1024x768 screen.
constexpr int kDescriptionWidth = 150;

// Short fields as wide as what they hold, so the descriptions get the room.
void FitWidth(QLineEdit* edit, int characters, QChar widest = '0') {
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QString(characters + 1, widest)) +
                          12);
}

void SetIfChanged(QLineEdit* edit, const std::string& text) {
    // Setting the same text again would move the caret of the field being typed in.
    if (FromQt(edit->text()) != text) edit->setText(ToQt(text));
}

void SetHelp(const char* help, std::initializer_list<QWidget*> widgets) {
    for (QWidget* widget : widgets) widget->setToolTip(ToQt(help));
}

void AddItems(QComboBox* combo, std::span<const std::string_view> texts) {
    for (std::string_view text : texts) combo->addItem(ToQt(std::string(text)));
}

}  // namespace

CertificateDialog::CertificateDialog(CertificateEntry& entry, long long certificateIndex,
                                     QWidget* parent)
    : QDialog(parent), m_entry(entry), m_index(certificateIndex), m_ui(new Ui::CertificateDialog) {
    m_ui->setupUi(this);
    setObjectName("certificateDialog");
    const bool modify = certificateIndex != 0;
    setWindowTitle(modify ? CertificateMessages::kModifyTitle : CertificateMessages::kAddTitle);
    SetUpFields();
    const auto monthDays = m_entry.MonthDays();
    SetUpHeader(monthDays);
    BindFormButtons(this, m_ui->confirmButton, m_ui->cancelButton, modify, [this] { Confirm(); });

    CertificateRecord record;
    if (monthDays) record.zileLucratoare = IntegerToText(monthDays->count, false);
    if (modify) {
        auto loaded = m_entry.Load(certificateIndex);
        m_loaded = loaded.has_value();
        if (loaded) {
            // Older rows may lack the month's working days: the calendar's count stands in.
            if (TextToInteger(loaded->zileLucratoare) == 0)
                loaded->zileLucratoare = record.zileLucratoare;
            record = *loaded;
        }
    }
    ShowLoaded(record);
    FillCodeDescriptions();
    SetUpCompletion();
    SetUpRecalculation();
    ReserveRoomForEveryRow();
    ApplyVisibility();
    ShowCorrectedButton();
    // An Enter meant for the next field must not open a pick list: what is
    // typed next would go into the list. Tab and the lists' keys reach them.
    FormNavigation::Install(this)->PassOverOnEnter(
        {m_ui->indemnListButton, m_ui->urgListButton, m_ui->contagListButton});
    m_unsaved = new UnsavedEntry(this);
    m_filling = false;
    m_ui->cnp->setFocus();
}

CertificateDialog::~CertificateDialog() = default;

int CertificateDialog::exec() {
    if (!m_loaded) return QDialog::Rejected;
    return QDialog::exec();
}

void CertificateDialog::reject() {
    if (m_unsaved && !m_unsaved->MayDiscard(m_entry.Client().GetPrompter())) return;
    QDialog::reject();
}

void CertificateDialog::SetUpFields() {
    AddItems(m_ui->tip_rectif, RectificationTexts());
    for (const std::string& text : InsuranceHouseComboTexts()) m_ui->cas->addItem(ToQt(text));
    AddItems(m_ui->loc_pres, PrescriptionPlaceTexts());
    m_ui->leaveKind->addItems({"initial", "continuare"});
    BindRecordFields(this, CertificateEntry::Columns());
    for (const auto& column : CertificateEntry::Columns())
        if (auto* edit = findChild<QLineEdit*>(
                QString::fromLatin1(column.spec.name.data(), column.spec.name.size()));
            edit && column.spec.maxLength > 0 && column.spec.maxLength <= 14)
            FitWidth(edit, column.spec.maxLength, column.spec.rule == TextRule::Digits ? '0' : 'W');
    for (QLineEdit* output :
         {m_ui->zile_lucratoare, m_ui->zile_prestatii, m_ui->mzbci, m_ui->suma_suportata_ang,
          m_ui->suma_suportata_fnuass, m_ui->sumaTotala, m_ui->percent})
        FitWidth(output, 10);
    FitWidth(m_ui->percent, 3);
    for (QPushButton* list : {m_ui->indemnListButton, m_ui->urgListButton, m_ui->contagListButton})
        list->setMaximumWidth(list->fontMetrics().horizontalAdvance("lista") + 24);
    for (Nomenclature nomenclature : kNomenclatures) {
        QLineEdit* description = DescriptionField(nomenclature);
        description->setMinimumWidth(kDescriptionWidth);
        connect(description, &QLineEdit::textChanged, description, &QWidget::setToolTip);
    }
    WrapLongLabels();
}

// The period column's longest captions take two lines, as wide as its other
// captions, so the two columns fit a 1024x768 screen side by side.
void CertificateDialog::WrapLongLabels() {
    QLabel* const wrapped[] = {m_ui->startLabel, m_ui->employerDaysLabel,
                               m_ui->employerAmountLabel};
    int width = 0;
    for (int row = 0; row < m_ui->periodForm->rowCount(); ++row) {
        QLayoutItem* caption = m_ui->periodForm->itemAt(row, QFormLayout::LabelRole);
        auto* label = caption ? qobject_cast<QLabel*>(caption->widget()) : nullptr;
        if (label && !label->wordWrap()) width = std::max(width, label->sizeHint().width());
    }
    for (QLabel* label : wrapped) {
        label->setFixedWidth(width);
        label->setMinimumHeight(label->heightForWidth(width));
    }
}

// The rows the code, the leave type and the rectification bring in find
// room in the size the editor opens at, so it never grows by itself.
void CertificateDialog::ReserveRoomForEveryRow() {
    QWidget* const rows[] = {m_ui->initSerieLabel, m_ui->initRow,      m_ui->cnpCopilLabel,
                             m_ui->cnp_copil,      m_ui->reducedLabel, m_ui->reducedRow};
    for (QWidget* row : rows) row->setVisible(true);
    m_ui->correctedButton->setVisible(m_entry.Context().declaration.Rectifying());
    setMinimumSize(minimumSizeHint());
    resize(sizeHint());
}

void CertificateDialog::SetUpHeader(const std::optional<MonthWorkingDays>& monthDays) {
    const CertificateContext& context = m_entry.Context();
    m_ui->currentCompany->SetLabelText(context.companyName);
    m_ui->monthText->setText(ToQt(DeclarationMonthLine(context.declaration)));
    m_ui->typeText->setText(ToQt(context.declaration.TypeText()));
    const bool rectifying = context.declaration.Rectifying();
    m_ui->rectifLabel->setVisible(rectifying);
    m_ui->tip_rectif->setVisible(rectifying);
    connect(m_ui->tip_rectif, &QComboBox::currentIndexChanged, this,
            &CertificateDialog::ShowCorrectedButton);
    connect(m_ui->correctedButton, &QPushButton::clicked, this,
            &CertificateDialog::FillFromCorrected);

    SetHelp(LeaveHelp::kEmployerDays, {m_ui->zile_prestatii_ang, m_ui->employerDaysLabel});
    SetHelp(LeaveHelp::kFnuassDays, {m_ui->zile_suportate_fnuass, m_ui->fnuassDaysLabel});
    SetHelp(LeaveHelp::kEmployerAmount, {m_ui->suma_suportata_ang, m_ui->employerAmountLabel});
    SetHelp(LeaveHelp::kFnuassAmount, {m_ui->suma_suportata_fnuass, m_ui->fnuassAmountLabel});
    if (monthDays)
        SetHelp(monthDays->helpText.c_str(),
                {m_ui->monthLabel, m_ui->monthText, m_ui->workingDaysLabel, m_ui->zile_lucratoare});
}

void CertificateDialog::ShowLoaded(const CertificateRecord& record) {
    ShowCertificate(record);
    // A new leave starts in the declaration's month; so does a stored one without an end.
    const bool endMissing = TextToInteger(SliceChars(record.dataSf, 4, 5)) == 0;
    ShowDeclarationMonth(m_index == 0, endMissing);
}

void CertificateDialog::ShowCertificate(const CertificateRecord& record) {
    ShowRecord(this, CertificateEntry::Columns(), record);
    m_ui->leaveKind->setCurrentIndex(record.kind == LeaveKind::Continuation ? 1 : 0);
    m_ui->sumaTotala->setText(ToQt(IntegerToText(
        TextToInteger(record.sumaSuportataAng) + TextToInteger(record.sumaSuportataFnuass),
        false)));
}

// Only an entry that modifies or withdraws a reported certificate has one to start from.
void CertificateDialog::ShowCorrectedButton() {
    const std::string kind = ReadRecord(this, CertificateEntry::Columns()).tipRectif;
    m_ui->correctedButton->setVisible(m_entry.Context().declaration.Rectifying() &&
                                      (kind == "M" || kind == "S"));
}

// The corrected certificate's fields, shown as stored: its figures stand
// until the user edits what they depend on.
void CertificateDialog::FillFromCorrected() {
    CertificateRecord record = Record();
    const Outcome found = m_entry.FillFromCorrected(record);
    if (!found) {
        FocusField(this, found.Field());
        return;
    }
    m_filling = true;
    ShowCertificate(record);
    ShowDeclarationMonth(false, TextToInteger(SliceChars(record.dataSf, 4, 5)) == 0);
    FillCodeDescriptions();
    ApplyVisibility();
    m_filling = false;
    m_unsaved->MarkTyped();
}

void CertificateDialog::ShowDeclarationMonth(bool start, bool end) {
    const std::string& luna = m_entry.Context().declaration.luna;
    for (auto [shown, date] : {std::pair{start, m_ui->data_inc}, {end, m_ui->data_sf}}) {
        if (!shown) continue;
        Part(date, "month")->setText(ToQt(SliceChars(luna, 4, 5)));
        Part(date, "year")->setText(ToQt(SliceChars(luna, 0, 3)));
    }
}

QLineEdit* CertificateDialog::CodeField(Nomenclature nomenclature) const {
    switch (nomenclature) {
        case Nomenclature::IndemnityCodes:
            return m_ui->cod_indemn;
        case Nomenclature::Emergencies:
            return m_ui->cod_urg;
        case Nomenclature::InfectiousDiseases:
            break;
    }
    return m_ui->cod_contag;
}

QLineEdit* CertificateDialog::DescriptionField(Nomenclature nomenclature) const {
    switch (nomenclature) {
        case Nomenclature::IndemnityCodes:
            return m_ui->indemnDescription;
        case Nomenclature::Emergencies:
            return m_ui->urgDescription;
        case Nomenclature::InfectiousDiseases:
            break;
    }
    return m_ui->contagDescription;
}

// A description longer than its field reads from its start, where it says what it is.
void CertificateDialog::ShowDescription(Nomenclature nomenclature, const std::string& description) {
    QLineEdit* field = DescriptionField(nomenclature);
    field->setText(ToQt(description));
    field->setCursorPosition(0);
}

// A stored certificate shows what its codes mean, as if they had been typed.
void CertificateDialog::FillCodeDescriptions() {
    for (Nomenclature nomenclature : kNomenclatures)
        CompleteCode(nomenclature, FromQt(CodeField(nomenclature)->text()));
}

void CertificateDialog::SetUpCompletion() {
    // The dependent fields empty on every change, before the look-up fills them.
    connect(m_ui->cnp, &QLineEdit::textEdited, this, [this] {
        m_ui->nume->clear();
        m_ui->prenume->clear();
    });
    new TypeAhead(m_ui->cnp, [this](const std::string& typed) { return CompleteCnp(typed); });
    for (Nomenclature nomenclature : kNomenclatures) {
        QLineEdit* field = CodeField(nomenclature);
        connect(field, &QLineEdit::textEdited, this, [this, nomenclature] {
            DescriptionField(nomenclature)->clear();
            if (nomenclature == Nomenclature::IndemnityCodes) m_ui->percent->clear();
        });
        new TypeAhead(field, [this, nomenclature](const std::string& typed) {
            return CompleteCode(nomenclature, typed);
        });
    }
    // The code decides which fields show and how the days split.
    connect(m_ui->cod_indemn, &QLineEdit::textEdited, this, [this] {
        ApplyVisibility();
        Recalculate();
    });
    connect(m_ui->indemnListButton, &QPushButton::clicked, this,
            [this] { PickFromList(Nomenclature::IndemnityCodes); });
    connect(m_ui->urgListButton, &QPushButton::clicked, this,
            [this] { PickFromList(Nomenclature::Emergencies); });
    connect(m_ui->contagListButton, &QPushButton::clicked, this,
            [this] { PickFromList(Nomenclature::InfectiousDiseases); });
}

std::optional<std::string> CertificateDialog::CompleteCnp(const std::string& typed) {
    const auto person = m_entry.FindPersonByCnpPrefix(typed);
    if (!person) return std::nullopt;
    m_ui->nume->setText(ToQt(person->nume));
    m_ui->prenume->setText(ToQt(person->prenume));
    m_ui->cas->setCurrentIndex(
        InsuranceHousePosition(person->cas, InsuranceHouseTable::MedicalLeave));
    if (const auto child = m_entry.LatestChildCnp(person->cnp))
        m_ui->cnp_copil->setText(ToQt(*child));
    return person->cnp;
}

std::optional<std::string> CertificateDialog::CompleteCode(Nomenclature nomenclature,
                                                           const std::string& typed) {
    const auto match = m_entry.FindCode(nomenclature, typed);
    if (!match) return std::nullopt;
    ShowDescription(nomenclature, match->description);
    if (nomenclature == Nomenclature::IndemnityCodes) m_ui->percent->setText(ToQt(match->percent));
    return match->code;
}

void CertificateDialog::PickFromList(Nomenclature nomenclature) {
    QLineEdit* field = CodeField(nomenclature);
    const auto pick = NomenclaturePickDialog::Pick(
        m_entry.Client(), nomenclature, PresetCode(nomenclature, FromQt(field->text())), this);
    if (!pick) return;
    const bool indemnity = nomenclature == Nomenclature::IndemnityCodes;
    field->setText(ToQt(indemnity ? StripLeadingZeros(pick->code) : pick->code));
    ShowDescription(nomenclature, pick->description);
    m_unsaved->MarkTyped();
    if (!indemnity) return;
    // The list shows no percentage: the code's own row gives it to the amounts.
    const auto match = m_entry.FindCode(nomenclature, FromQt(field->text()));
    m_ui->percent->setText(match ? ToQt(match->percent) : QString());
    ApplyVisibility();
    Recalculate();
}

void CertificateDialog::SetUpRecalculation() {
    const auto linked = [this](QLineEdit* from, QLineEdit* to) {
        connect(from, &QLineEdit::textEdited, this, [this, to](const QString& text) {
            to->setText(text);
            Recalculate();
        });
    };
    linked(Part(m_ui->data_acordarii, "day"), Part(m_ui->data_inc, "day"));
    linked(Part(m_ui->data_inc, "month"), Part(m_ui->data_sf, "month"));
    linked(Part(m_ui->data_inc, "year"), Part(m_ui->data_sf, "year"));
    for (QLineEdit* edit :
         {Part(m_ui->data_inc, "day"), Part(m_ui->data_sf, "day"), Part(m_ui->data_sf, "month"),
          Part(m_ui->data_sf, "year"), m_ui->baza_calc, m_ui->zi_bz_calc, m_ui->zile_prestatii_ang,
          m_ui->zile_suportate_fnuass, m_ui->venit_prin_reducere})
        connect(edit, &QLineEdit::textEdited, this, [this] { Recalculate(); });
    connect(m_ui->leaveKind, &QComboBox::currentIndexChanged, this, [this] {
        if (m_filling) return;
        ApplyVisibility();
        Recalculate();
    });
}

void CertificateDialog::ApplyVisibility() {
    const std::string code = FromQt(m_ui->cod_indemn->text());
    const LeaveKind kind =
        m_ui->leaveKind->currentIndex() == 1 ? LeaveKind::Continuation : LeaveKind::Initial;
    const bool continuation = kind == LeaveKind::Continuation;
    m_ui->initSerieLabel->setVisible(continuation);
    m_ui->initRow->setVisible(continuation);
    const bool typed = DaysTypedByUser(kind, code);
    for (QLineEdit* days : {m_ui->zile_prestatii_ang, m_ui->zile_suportate_fnuass}) {
        days->setReadOnly(!typed);
        days->setFocusPolicy(typed ? Qt::StrongFocus : Qt::NoFocus);
    }
    // The fields follow the code, so a code the save checks never hides its field.
    m_ui->cnpCopilLabel->setVisible(ShowsChildCnp(code));
    m_ui->cnp_copil->setVisible(ShowsChildCnp(code));
    m_ui->reducedLabel->setVisible(ShowsReducedIncome(code));
    m_ui->reducedRow->setVisible(ShowsReducedIncome(code));
}

CertificateRecord CertificateDialog::Record() const {
    CertificateRecord base;
    base.kind = m_ui->leaveKind->currentIndex() == 1 ? LeaveKind::Continuation : LeaveKind::Initial;
    base.percent = FromQt(m_ui->percent->text());
    return ReadRecord(this, CertificateEntry::Columns(), base);
}

void CertificateDialog::Recalculate() {
    if (m_filling) return;
    CertificateRecord record = Record();
    const CertificateFigures figures = m_entry.Recalculate(record);
    ApplyFigures(record, figures);
    SetIfChanged(m_ui->zile_prestatii, record.zilePrestatii);
    SetIfChanged(m_ui->zile_prestatii_ang, record.zilePrestatiiAng);
    SetIfChanged(m_ui->zile_suportate_fnuass, record.zileSuportateFnuass);
    SetIfChanged(m_ui->mzbci, record.mzbci);
    SetIfChanged(m_ui->suma_suportata_ang, record.sumaSuportataAng);
    SetIfChanged(m_ui->suma_suportata_fnuass, record.sumaSuportataFnuass);
    SetIfChanged(m_ui->sumaTotala, figures.totalAmount);
}

void CertificateDialog::Confirm() {
    CertificateRecord record = Record();
    NormalizeCodes(record);
    for (Nomenclature nomenclature : kNomenclatures) {
        const std::string& code = nomenclature == Nomenclature::IndemnityCodes ? record.codIndemn
                                  : nomenclature == Nomenclature::Emergencies  ? record.codUrg
                                                                               : record.codContag;
        SetIfChanged(CodeField(nomenclature), code);
    }
    const Outcome saved = m_entry.Save(record, m_index);
    m_savedKey = saved.Key();
    CloseWhenSaved(this, saved);
}
