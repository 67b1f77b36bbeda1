#pragma once
#include <QWidget>
#include <string>

class CompanyRegister;
class DataListView;

// The company list with its three buttons, the same in the health and the
// medical-leave windows.
class CompanyList : public QWidget {
    Q_OBJECT
public:
    CompanyList(CompanyRegister& companies, QWidget* parent = nullptr);

    void Reload();
    DataListView* View() const { return m_view; }
    int SelectedRow() const;
    // "" with no row selected.
    std::string SelectedCode() const;
    std::string SelectedName() const;
    std::string SelectedKey() const;

public slots:
    void AddCompany();
    void ModifyCompany();
    void RemoveCompany();

signals:
    void SelectionChanged();
    // A company was changed through the form (its code may have moved).
    void CompanyModified();

private:
    std::string SelectedCell(const char* column) const;

    CompanyRegister& m_companies;
    DataListView* m_view;
};
