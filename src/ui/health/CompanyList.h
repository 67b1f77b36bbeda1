#pragma once
#include <QWidget>
#include <string>

#include "health/CompanyRegister.h"

class CClient;
class DataListView;

// The company list with its three buttons, the same in the health and the
// medical-leave windows.
class CompanyList : public QWidget {
    Q_OBJECT
public:
    CompanyList(CClient& client, CompanyPlace place, QWidget* parent = nullptr);

    void Reload();
    DataListView* View() const { return m_view; }
    int SelectedRow() const;
    std::string SelectedCode() const;  // "" with no row selected
    std::string SelectedName() const;

public slots:
    void AddCompany();
    void ModifyCompany();
    void RemoveCompany();

signals:
    void SelectionChanged();
    // A company was changed through the form (its code may have moved).
    void CompanyModified();

private:
    void ShowCompany(int row, const CompanyFields& fields, double index);

    CClient& m_client;
    CompanyPlace m_place;
    DataListView* m_view;
};
