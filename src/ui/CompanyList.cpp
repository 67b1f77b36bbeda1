#include "ui/CompanyList.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "base/Prompter.h"
#include "health/CompanyRegister.h"
#include "ui/CompanyDialog.h"
#include "ui/DataListView.h"

namespace {

QSettings* g_lastCompany = nullptr;
const char* const kLastCompanyKey = "societate/ultima";

}  // namespace

void CompanyList::KeepLastCompanyIn(QSettings* settings) {
    g_lastCompany = settings;
}

CompanyList::CompanyList(CompanyRegister& companies, QWidget* parent)
    : QWidget(parent), m_companies(companies) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new DataListView(this);
    m_view->setObjectName("companyList");
    m_view->EnableSorting(true);
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
    connect(this, &CompanyList::SelectionChanged, this, &CompanyList::RememberSelected);
    Reload();
    // Once the window around has connected to the selection.
    if (g_lastCompany)
        QMetaObject::invokeMethod(this, &CompanyList::SelectLastCompany, Qt::QueuedConnection);
}

void CompanyList::SelectLastCompany() {
    const std::string code = g_lastCompany->value(kLastCompanyKey).toString().toStdString();
    if (code.empty() || SelectedRow() >= 0) return;
    for (int row = 0; row < m_view->RowCount(); ++row) {
        if (CompanyRegister::RowAt(m_view->List(), row).code != code) continue;
        m_view->SelectRow(row, true);
        return;
    }
}

void CompanyList::RememberSelected() {
    const std::string code = SelectedCode();
    if (g_lastCompany && !code.empty())
        g_lastCompany->setValue(kLastCompanyKey, QString::fromStdString(code));
}

void CompanyList::Reload() {
    (void)m_companies.FillList(m_view->List());
}

int CompanyList::SelectedRow() const {
    return m_view->NextSelectedRow(-1);
}

CompanyRow CompanyList::Selected() const {
    return CompanyRegister::RowAt(m_view->List(), SelectedRow());
}

void CompanyList::AddCompany() {
    CompanyDialog dialog(m_companies, CompanyRecord{}, CompanyEdit::Adding(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const int row = m_view->AddRow("");
    (void)m_companies.RefreshRow(m_view->List(), row, dialog.SavedKey());
    m_view->SelectRow(row, true);
}

void CompanyList::ModifyCompany() {
    const int row = SelectedRow();
    if (row < 0) {
        m_companies.GetPrompter().ShowMessage(CompanyMessages::kSelectToModify);
        return;
    }
    const long long index = Selected().key;
    const auto record = m_companies.Load(index);
    if (!record) return;
    CompanyDialog dialog(m_companies, *record, CompanyEdit::Modifying(index, *record), this);
    if (dialog.exec() != QDialog::Accepted) return;
    (void)m_companies.RefreshRow(m_view->List(), row, index);
    emit SelectionChanged();
    emit CompanyModified();
}

void CompanyList::RemoveCompany() {
    const int row = SelectedRow();
    if (row < 0) {
        m_companies.GetPrompter().ShowMessage(CompanyMessages::kSelectToDelete);
        return;
    }
    if (!m_companies.Delete(SelectedCode())) return;
    m_view->DeleteRow(row);
    if (m_view->RowCount() > 0) m_view->SelectRowClamped(row);
    emit SelectionChanged();
}
