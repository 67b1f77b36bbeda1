#include "ui/health/CompanyDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "db/CClient.h"
#include "domain/Identifiers.h"
#include "domain/ReferenceLists.h"
#include "ui/FieldRules.h"
#include "ui/FormNavigation.h"
#include "ui/TextCodec.h"

namespace {
std::string Text(const QLineEdit* edit) { return FromQt(edit->text()); }

// A row of small fields side by side: "numar:", "bloc:", ...
QWidget* Row(QWidget* parent, std::initializer_list<std::pair<const char*, QLineEdit*>> fields) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const auto& [label, edit] : fields) {
        layout->addWidget(new QLabel(label, row));
        layout->addWidget(edit, 1);
    }
    return row;
}
}  // namespace

CompanyDialog::CompanyDialog(CClient& client, double index, QWidget* parent)
    : QDialog(parent), m_client(client) {
    setObjectName("companyDialog");
    m_edit.modify = index >= 0;
    m_edit.index = index;
    setWindowTitle(m_edit.modify ? "Modifica societate" : "Adauga societate");
    BuildFields();
    if (m_edit.modify) {
        auto fields = LoadCompany(m_client, index);
        m_loaded = fields.has_value();
        if (fields) {
            m_edit.formerCode = fields->cf;
            Fill(*fields);
        }
    }
    UpdateSectorField();
    FormNavigation::Install(this);
    m_denumire->setFocus();
}

void CompanyDialog::BuildFields() {
    auto* layout = new QVBoxLayout(this);
    auto* identity = new QGroupBox("Date de identificare", this);
    auto* idForm = new QFormLayout(identity);
    m_denumire = MakeField(identity, "denumireEdit", 255, TextRule::Upper);
    m_cf = MakeField(identity, "cfEdit", 13, TextRule::Digits);
    m_regCom = MakeField(identity, "regComEdit", 50, TextRule::Upper);
    m_repr = MakeField(identity, "reprEdit", 255, TextRule::Upper);
    m_ziuaLic = MakeField(identity, "ziuaLicEdit", 2, TextRule::Digits);
    m_ziuaLic->setMaximumWidth(40);
    m_sameMonth = new QRadioButton("a aceleiasi luni", identity);
    m_sameMonth->setObjectName("sameMonthRadio");
    m_nextMonth = new QRadioButton("a lunii urmatoare", identity);
    m_nextMonth->setObjectName("nextMonthRadio");
    m_sameMonth->setChecked(true);
    idForm->addRow("Denumire:", m_denumire);
    idForm->addRow("CUI / CNP:", m_cf);
    auto* regRow = new QWidget(identity);
    auto* regLayout = new QHBoxLayout(regRow);
    regLayout->setContentsMargins(0, 0, 0, 0);
    regLayout->addWidget(m_regCom, 1);
    regLayout->addWidget(new QLabel("(de forma: J40/1234/2003)", regRow));
    idForm->addRow("Reg. Com.:", regRow);
    idForm->addRow("Reprezentant legal:", m_repr);
    auto* dayRow = new QWidget(identity);
    auto* dayLayout = new QHBoxLayout(dayRow);
    dayLayout->setContentsMargins(0, 0, 0, 0);
    dayLayout->addWidget(m_ziuaLic);
    dayLayout->addWidget(m_sameMonth);
    dayLayout->addWidget(m_nextMonth);
    dayLayout->addStretch(1);
    idForm->addRow("Ziua lichidarii drepturilor salariale:", dayRow);
    layout->addWidget(identity);

    auto* address = new QGroupBox("Adresa", this);
    auto* addressForm = new QFormLayout(address);
    m_loc = MakeField(address, "locEdit", 100);
    m_str = MakeField(address, "strEdit", 100);
    m_nr = MakeField(address, "nrEdit", 10);
    m_bl = MakeField(address, "blEdit", 10);
    m_sc = MakeField(address, "scEdit", 10);
    m_et = MakeField(address, "etEdit", 10);
    m_ap = MakeField(address, "apEdit", 10);
    m_county = new QComboBox(address);
    m_county->setObjectName("countyCombo");
    for (const auto& name : CountyComboTexts()) m_county->addItem(ToQt(name));
    m_county->setCurrentIndex(kCountyWithSectors);
    m_sect = MakeField(address, "sectEdit", 1, TextRule::Digits);
    m_sect->setMaximumWidth(40);
    m_tel = MakeField(address, "telEdit", 50);
    m_email = MakeField(address, "emailEdit", 50, TextRule::Lower);
    addressForm->addRow("Localitate:", m_loc);
    addressForm->addRow("Strada:", m_str);
    addressForm->addRow("", Row(address, {{"numar:", m_nr}, {"bloc:", m_bl}, {"scara:", m_sc},
                                          {"etaj:", m_et}, {"ap.:", m_ap}}));
    auto* countyRow = new QWidget(address);
    auto* countyLayout = new QHBoxLayout(countyRow);
    countyLayout->setContentsMargins(0, 0, 0, 0);
    countyLayout->addWidget(m_county, 1);
    countyLayout->addWidget(new QLabel("Sector:", countyRow));
    countyLayout->addWidget(m_sect);
    addressForm->addRow("Judet:", countyRow);
    addressForm->addRow("Telefon:", m_tel);
    addressForm->addRow("Adresa de e-mail:", m_email);
    layout->addWidget(address);
    connect(m_county, &QComboBox::currentIndexChanged, this, &CompanyDialog::UpdateSectorField);

    auto* bank = new QGroupBox("Banca", this);
    auto* bankForm = new QFormLayout(bank);
    m_b1 = MakeField(bank, "b1Edit", 100);
    m_f1 = MakeField(bank, "f1Edit", 100);
    m_c1 = MakeField(bank, "c1Edit", 24);
    bankForm->addRow("Banca:", m_b1);
    bankForm->addRow("Filiala:", m_f1);
    bankForm->addRow("Cont bancar:", m_c1);
    layout->addWidget(bank);
    layout->addWidget(BuildButtons());
}

QWidget* CompanyDialog::BuildButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* confirm = new QPushButton(m_edit.modify ? "[F6]   Modifica" : "[F5]   Adauga", row);
    confirm->setObjectName("confirmButton");
    confirm->setAutoDefault(false);
    auto* cancel = new QPushButton("[ESC]   Renunta", row);
    cancel->setObjectName("cancelButton");
    cancel->setAutoDefault(false);
    layout->addStretch(1);
    layout->addWidget(confirm);
    layout->addWidget(cancel);
    connect(confirm, &QPushButton::clicked, this, &CompanyDialog::Confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    return row;
}

// Each text field of the form with the value it shows.
const std::vector<std::pair<QLineEdit* CompanyDialog::*, std::string CompanyFields::*>>&
CompanyDialog::TextFields() {
    static const std::vector<std::pair<QLineEdit* CompanyDialog::*, std::string CompanyFields::*>>
        fields = {{&CompanyDialog::m_denumire, &CompanyFields::denumire},
                  {&CompanyDialog::m_cf, &CompanyFields::cf},
                  {&CompanyDialog::m_regCom, &CompanyFields::regCom},
                  {&CompanyDialog::m_repr, &CompanyFields::repr},
                  {&CompanyDialog::m_ziuaLic, &CompanyFields::ziuaLic},
                  {&CompanyDialog::m_loc, &CompanyFields::loc},
                  {&CompanyDialog::m_str, &CompanyFields::str},
                  {&CompanyDialog::m_nr, &CompanyFields::nr},
                  {&CompanyDialog::m_bl, &CompanyFields::bl},
                  {&CompanyDialog::m_sc, &CompanyFields::sc},
                  {&CompanyDialog::m_et, &CompanyFields::et},
                  {&CompanyDialog::m_ap, &CompanyFields::ap},
                  {&CompanyDialog::m_tel, &CompanyFields::tel},
                  {&CompanyDialog::m_sect, &CompanyFields::sect},
                  {&CompanyDialog::m_email, &CompanyFields::email},
                  {&CompanyDialog::m_b1, &CompanyFields::b1},
                  {&CompanyDialog::m_f1, &CompanyFields::f1},
                  {&CompanyDialog::m_c1, &CompanyFields::c1}};
    return fields;
}

void CompanyDialog::Fill(const CompanyFields& f) {
    for (const auto& [edit, value] : TextFields()) (this->*edit)->setText(ToQt(f.*value));
    (f.paidNextMonth ? m_nextMonth : m_sameMonth)->setChecked(true);
    m_county->setCurrentIndex(f.county);
}

CompanyFields CompanyDialog::Fields() const {
    CompanyFields f;
    for (const auto& [edit, value] : TextFields()) f.*value = Text(this->*edit);
    f.paidNextMonth = m_nextMonth->isChecked();
    f.county = m_county->currentIndex();
    return f;
}

// Only Bucharest has sectors.
void CompanyDialog::UpdateSectorField() {
    m_sect->setEnabled(m_county->currentIndex() == kCountyWithSectors);
}

void CompanyDialog::Confirm() {
    if (SaveCompany(m_client, Fields(), m_edit) != 0) return;
    m_insertedIndex = m_edit.modify ? m_edit.index : static_cast<double>(m_client.m_lastInsertId);
    accept();
}

// F5 confirms an add, F6 a change; fields pass the function keys on to here.
void CompanyDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == (m_edit.modify ? Qt::Key_F6 : Qt::Key_F5) && event->modifiers() == 0) {
        Confirm();
        return;
    }
    QDialog::keyPressEvent(event);
}
