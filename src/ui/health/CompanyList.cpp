#include "ui/health/CompanyList.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "db/CClient.h"
#include "ui/DataListView.h"
#include "ui/health/CompanyDialog.h"

CompanyList::CompanyList(CClient& client, CompanyPlace place, QWidget* parent)
    : QWidget(parent), m_client(client), m_place(place) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new DataListView(this);
    m_view->setObjectName("companyList");
    layout->addWidget(m_view, 1);
    auto* buttons = new QHBoxLayout();
    const struct {
        const char* text;
        const char* name;
        void (CompanyList::*slot)();
    } actions[] = {{"Adauga societate", "addCompanyButton", &CompanyList::AddCompany},
                   {"Modifica societate", "modifyCompanyButton", &CompanyList::ModifyCompany},
                   {"Sterge societate", "deleteCompanyButton", &CompanyList::RemoveCompany}};
    for (const auto& a : actions) {
        auto* button = new QPushButton(a.text, this);
        button->setObjectName(a.name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, a.slot);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    connect(m_view, &DataListView::selectionChanged, this, &CompanyList::SelectionChanged);
    connect(m_view, &DataListView::rowDoubleClicked, this, &CompanyList::ModifyCompany);
    Reload();
}

void CompanyList::Reload() {
    if (m_client.Query(CompanyListQuery(m_place), true) != 0) return;
    m_view->FillFromResult(m_client, false, false);
    m_view->SetColumnWidth("CF", 0);
    m_view->SetColumnWidth("DENUMIRE", 250);
    m_view->SetColumnWidth("INDEX", 0);
}

int CompanyList::SelectedRow() const { return m_view->NextSelectedRow(-1); }

std::string CompanyList::SelectedCode() const {
    const int row = SelectedRow();
    return row < 0 ? std::string() : m_view->CellText(row, "CF");
}

std::string CompanyList::SelectedName() const {
    const int row = SelectedRow();
    return row < 0 ? std::string() : m_view->CellText(row, "DENUMIRE");
}

void CompanyList::ShowCompany(int row, const CompanyFields& fields, double index) {
    m_view->SetCellText(row, "CF", fields.cf);
    m_view->SetCellText(row, "DENUMIRE", fields.denumire);
    m_view->SetCellText(row, "INDEX", std::to_string(static_cast<long long>(index)));
}

void CompanyList::AddCompany() {
    CompanyDialog dialog(m_client, -1, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const int row = m_view->AddRow("");
    ShowCompany(row, dialog.Fields(), dialog.InsertedIndex());
    m_view->SelectRow(row, true);
}

void CompanyList::ModifyCompany() {
    const int row = SelectedRow();
    if (row < 0) {
        m_client.GetPrompter().ShowMessage(CompanyMessages::kSelectToModify);
        return;
    }
    const double index = m_view->CellNumber(row, "INDEX");
    CompanyDialog dialog(m_client, index, this);
    if (!dialog.Loaded() || dialog.exec() != QDialog::Accepted) return;
    ShowCompany(row, dialog.Fields(), index);
    emit SelectionChanged();
    emit CompanyModified();
}

void CompanyList::RemoveCompany() {
    const int row = SelectedRow();
    if (row < 0) {
        m_client.GetPrompter().ShowMessage(CompanyMessages::kSelectToDelete);
        return;
    }
    if (!DeleteCompany(m_client, SelectedCode(), m_place)) return;
    m_view->DeleteRow(row);
    if (m_view->RowCount() > 0) m_view->SelectRowClamped(row);
    emit SelectionChanged();
}
