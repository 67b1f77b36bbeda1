#include "ui/health/HealthWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "db/CClient.h"
#include "text/TextCodec.h"
#include "ui/ColourLabel.h"
#include "ui/CompanyList.h"
#include "ui/KeyActions.h"
#include "ui/health/CoInsuredDialog.h"
#include "ui/health/InsuredDialog.h"
#include "ui/health/InsuredListWindow.h"
#include "ui/health/LiquidationDialog.h"
#include "ui/health/ReportWindow.h"

HealthWindow::HealthWindow(CClient& client, QWidget* parent)
    : QWidget(parent),
      m_client(client),
      m_companyRegister(client, CompanyPlace::Health),
      m_keys(new KeyActions(this)) {
    setObjectName("healthWindow");
    auto* layout = new QVBoxLayout(this);
    auto* companyBox = new QGroupBox("Societati", this);
    BuildCompanyBox(companyBox);
    layout->addWidget(companyBox, 1);
    layout->addWidget(BuildActions());
    connect(m_companies, &CompanyList::SelectionChanged, this,
            [this] { OnSelectionChanged(false); });
    // The name or code may have changed: show it again.
    connect(m_companies, &CompanyList::CompanyModified, this, [this] { OnSelectionChanged(true); });
    ShowCompanyLine(false);
}

void HealthWindow::BuildCompanyBox(QWidget* box) {
    auto* grid = new QGridLayout(box);
    m_companies = new CompanyList(m_companyRegister, box);
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
    insuredLayout->addWidget(
        m_keys->Add(insured, "addInsuredButton", {Qt::Key_F5, Qt::NoModifier, "[F5]   Adauga"},
                    [this] { AddInsured(); }),
        0, 0);
    insuredLayout->addWidget(m_keys->Add(insured, "liquidateInsuredButton",
                                         {Qt::Key_F6, Qt::NoModifier, "[F6]   Lichideaza"},
                                         [this] { LiquidateInsured(); }),
                             1, 0);
    insuredLayout->addWidget(
        m_keys->Add(insured, "showInsuredButton", {Qt::Key_F9, Qt::NoModifier, "[F9]  Afiseaza"},
                    [this] { ShowInsured(); }),
        2, 0);
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
    coLayout->addWidget(m_keys->Add(coInsured, "addCoInsuredButton",
                                    {Qt::Key_F5, Qt::ControlModifier, "[CTRL + F5]   Adauga"},
                                    [this] { AddCoInsured(); }));
    coLayout->addStretch(1);
    auto* reports = new QPushButton("Generare de rapoarte", coInsured);
    reports->setObjectName("reportsButton");
    reports->setAutoDefault(false);
    connect(reports, &QPushButton::clicked, this, &HealthWindow::OpenReports);
    coLayout->addWidget(reports);
    row->addWidget(coInsured);
    return actions;
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

// The line follows the selected company, not the row number: a delete brings
// another company to the same row.
void HealthWindow::OnSelectionChanged(bool force) {
    const long long key = m_companies->Selected().key;
    if (!force && key == m_shownKey) return;
    m_shownKey = key;
    ShowCompanyLine(key != 0);
    if (key != 0) RefreshCounters();
}

void HealthWindow::RefreshCounters() {
    const std::string code = m_companies->SelectedCode();
    if (code.empty()) return;
    const CompanyCounters c = m_companyRegister.Count(code);
    const std::string* values[] = {&c.houses, &c.existing, &c.liquidated, &c.coInsured};
    for (int i = 0; i < 4; ++i) m_counters[i]->setText(ToQt(*values[i]));
}

bool HealthWindow::RequireCompany(const char* message) {
    if (m_companies->SelectedRow() >= 0) return true;
    m_client.GetPrompter().ShowMessage(message);
    return false;
}

void HealthWindow::AddInsured() {
    if (!RequireCompany("Trebuie sa selectezi o societate pentru a adauga un asigurat!")) return;
    const CompanyRow company = m_companies->Selected();
    InsuredRegister insured(m_client, company.code);
    InsuredDialog dialog(insured, company.name, InsuredRecord{}, InsuredEdit{}, this);
    if (dialog.exec() == QDialog::Accepted) RefreshCounters();
}

void HealthWindow::LiquidateInsured() {
    if (!RequireCompany("Trebuie sa selectezi o societate pentru a lichida un asigurat!")) return;
    const CompanyRow company = m_companies->Selected();
    InsuredRegister insured(m_client, company.code);
    LiquidationDialog dialog(insured, company.name, std::nullopt, this);
    if (dialog.exec() == QDialog::Accepted) RefreshCounters();
}

void HealthWindow::AddCoInsured() {
    if (!RequireCompany("Trebuie sa selectezi o societate pentru a adauga un coasigurat!")) return;
    const CompanyRow company = m_companies->Selected();
    InsuredRegister insured(m_client, company.code);
    CoInsuredRegister coInsured(m_client, company.code);
    CoInsuredDialog dialog(coInsured, insured, company.name, std::nullopt, CoInsuredRecord{},
                           CoInsuredEdit{}, this);
    if (dialog.exec() == QDialog::Accepted) RefreshCounters();
}

void HealthWindow::ShowInsured() {
    if (!RequireCompany("Trebuie sa selectezi o societate pentru a-i afisa lista de asigurati!"))
        return;
    InsuredListWindow window(m_client, m_companies->Selected(),
                             static_cast<InsuredFilter>(ListFilter()), this);
    window.exec();
    // Records may have been liquidated, changed or deleted in the list.
    RefreshCounters();
}

// The steps pick their companies in their own lists.
void HealthWindow::OpenReports() {
    ReportWindow window(m_client, this);
    window.exec();
}
