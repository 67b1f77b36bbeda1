#include "ui/health/HealthWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "db/CClient.h"
#include "health/CompanyRegister.h"
#include "ui/ColourLabel.h"
#include "ui/TextCodec.h"
#include "ui/health/CompanyList.h"

namespace {

QPushButton* Button(QWidget* parent, const char* text, const char* name) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

HealthWindow::HealthWindow(CClient& client, QWidget* parent) : QWidget(parent), m_client(client) {
    setObjectName("healthWindow");
    auto* layout = new QVBoxLayout(this);
    auto* companyBox = new QGroupBox("Societati", this);
    BuildCompanyBox(companyBox);
    layout->addWidget(companyBox, 1);
    layout->addWidget(BuildActions());
    connect(m_companies, &CompanyList::SelectionChanged, this, &HealthWindow::OnSelectionChanged);
    connect(m_companies, &CompanyList::CompanyModified, this, [this] {
        m_previousRow = -2;  // the name or code may have changed: show it again
        OnSelectionChanged();
    });
    ShowCompanyLine(false);
}

void HealthWindow::BuildCompanyBox(QWidget* box) {
    auto* grid = new QGridLayout(box);
    m_companies = new CompanyList(m_client, CompanyPlace::Health, box);
    grid->addWidget(m_companies, 0, 0, 1, 2);
    grid->addWidget(new QLabel("Societate curenta:", box), 1, 0);
    m_currentCompany = new ColourLabel(box);
    m_currentCompany->setObjectName("currentCompanyLabel");
    grid->addWidget(m_currentCompany, 1, 1);
    const char* const labels[] = {"Case de asigurari:", "Asigurati existenti:",
                                  "Asigurati lichidati:", "Coasigurati existenti:"};
    const char* const names[] = {"housesCounter", "existingCounter", "liquidatedCounter",
                                 "coInsuredCounter"};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(new QLabel(labels[i], box), 2 + i, 0);
        m_counters[i] = new QLabel(box);
        m_counters[i]->setObjectName(names[i]);
        grid->addWidget(m_counters[i], 2 + i, 1);
    }
    grid->setColumnStretch(1, 1);
}

QWidget* HealthWindow::BuildActions() {
    auto* actions = new QWidget(this);
    auto* row = new QHBoxLayout(actions);
    row->setContentsMargins(0, 0, 0, 0);
    auto* insured = new QGroupBox("Asigurati", actions);
    auto* insuredLayout = new QGridLayout(insured);
    auto* add = Button(insured, "[F5]   Adauga", "addInsuredButton");
    auto* liquidate = Button(insured, "[F6]   Lichideaza", "liquidateInsuredButton");
    auto* show = Button(insured, "[F9]  Afiseaza", "showInsuredButton");
    insuredLayout->addWidget(add, 0, 0);
    insuredLayout->addWidget(liquidate, 1, 0);
    insuredLayout->addWidget(show, 2, 0);
    const char* const filters[] = {"toate inregistrarile", "numai asiguratii existenti",
                                   "numai asiguratii lichidati"};
    for (int i = 0; i < 3; ++i) {
        m_filters[i] = new QRadioButton(filters[i], insured);
        m_filters[i]->setObjectName(QString("filterRadio%1").arg(i));
        insuredLayout->addWidget(m_filters[i], i, 1);
    }
    m_filters[0]->setChecked(true);
    row->addWidget(insured, 1);

    auto* coInsured = new QGroupBox("Coasigurati", actions);
    auto* coLayout = new QVBoxLayout(coInsured);
    auto* addCo = Button(coInsured, "[CTRL + F5]   Adauga", "addCoInsuredButton");
    coLayout->addWidget(addCo);
    coLayout->addStretch(1);
    auto* reports = Button(coInsured, "Generare de rapoarte", "reportsButton");
    coLayout->addWidget(reports);
    row->addWidget(coInsured);

    connect(add, &QPushButton::clicked, this, &HealthWindow::AddInsured);
    connect(liquidate, &QPushButton::clicked, this, &HealthWindow::LiquidateInsured);
    connect(show, &QPushButton::clicked, this, &HealthWindow::ShowInsured);
    connect(addCo, &QPushButton::clicked, this, &HealthWindow::AddCoInsured);
    connect(reports, &QPushButton::clicked, this, &HealthWindow::OpenReports);
    return actions;
}

// The function keys of the window's buttons; the fields and the list pass
// them on to here.
void HealthWindow::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
        case Qt::Key_F5:
            ctrl ? AddCoInsured() : AddInsured();
            return;
        case Qt::Key_F6:
            LiquidateInsured();
            return;
        case Qt::Key_F9:
            ShowInsured();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

int HealthWindow::ListFilter() const {
    for (int i = 0; i < 3; ++i)
        if (m_filters[i]->isChecked()) return i;
    return 0;
}

void HealthWindow::ShowCompanyLine(bool selected) {
    m_currentCompany->SetLabelText(selected ? m_companies->SelectedName()
                                            : CompanyMessages::kNoCompanySelected);
    for (QLabel* counter : m_counters) counter->clear();
}

void HealthWindow::OnSelectionChanged() {
    const int row = m_companies->SelectedRow();
    if (row == m_previousRow) return;
    m_previousRow = row;
    ShowCompanyLine(row >= 0);
    if (row >= 0) RefreshCounters();
}

void HealthWindow::RefreshCounters() {
    const std::string code = m_companies->SelectedCode();
    if (code.empty()) return;
    const CompanyCounters c = CountCompany(m_client, code);
    const std::string* values[] = {&c.houses, &c.existing, &c.liquidated, &c.coInsured};
    for (int i = 0; i < 4; ++i) m_counters[i]->setText(ToQt(*values[i]));
}

bool HealthWindow::RequireCompany(const char* message) {
    if (m_companies->SelectedRow() >= 0) return true;
    m_client.GetPrompter().ShowMessage(message);
    return false;
}

// The dialogs behind these doors come with the insured-person register and
// the monthly reports; until then a selected company opens nothing.
void HealthWindow::AddInsured() {
    RequireCompany("Trebuie sa selectezi o societate pentru a adauga un asigurat!");
}

void HealthWindow::LiquidateInsured() {
    RequireCompany("Trebuie sa selectezi o societate pentru a lichida un asigurat!");
}

void HealthWindow::AddCoInsured() {
    RequireCompany("Trebuie sa selectezi o societate pentru a adauga un coasigurat!");
}

void HealthWindow::ShowInsured() {
    RequireCompany("Trebuie sa selectezi o societate pentru a-i afisa lista de asigurati!");
}

void HealthWindow::OpenReports() {
    RequireCompany("Trebuie sa selectezi o societate pentru a genera rapoartele!");
}
