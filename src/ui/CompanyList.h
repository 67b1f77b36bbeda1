#pragma once
#include <QWidget>
#include <string>

#include "health/CompanyRegister.h"

class DataListView;
class QSettings;

// The company list with its three buttons, the same in the health and the
// medical-leave windows.
class CompanyList : public QWidget {
    Q_OBJECT
public:
    CompanyList(CompanyRegister& companies, QWidget* parent = nullptr);

    // The company used last is kept in `settings` and selected again when a
    // list opens (another panel, the next start). Nothing is kept until the
    // program names its settings.
    static void KeepLastCompanyIn(QSettings* settings);

    void Reload();
    DataListView* View() const { return m_view; }
    int SelectedRow() const;
    // Empty with no row selected.
    CompanyRow Selected() const;
    std::string SelectedCode() const { return Selected().code; }
    std::string SelectedName() const { return Selected().name; }

public slots:
    void AddCompany();
    void ModifyCompany();
    void RemoveCompany();

signals:
    void SelectionChanged();
    // A company was changed through the form (its code may have moved).
    void CompanyModified();

private:
    void SelectLastCompany();
    void RememberSelected();

    CompanyRegister& m_companies;
    DataListView* m_view;
};
