#pragma once
#include <QWidget>
#include <array>
#include <string>

#include "health/CompanyRegister.h"

class CClient;
class ColourLabel;
class CompanyList;
class KeyActions;
class QLabel;
class QRadioButton;

// The health-declaration window: the company list, the current company with
// its counters, and the doors to the insured persons, the co-insured and the
// monthly reports of the selected company.
class HealthWindow : public QWidget {
    Q_OBJECT
public:
    explicit HealthWindow(CClient& client, QWidget* parent = nullptr);

    CompanyList* Companies() const { return m_companies; }
    // 0 all, 1 only open, 2 only liquidated: the list filter of "[F9]  Afiseaza".
    int ListFilter() const;

public slots:
    void AddInsured();
    void LiquidateInsured();
    void AddCoInsured();
    void ShowInsured();
    void OpenReports();
    void RefreshCounters();

private:
    void BuildCompanyBox(QWidget* box);
    QWidget* BuildActions();
    void OnSelectionChanged(bool force);
    void ShowCompanyLine(bool selected);
    // True with a company selected; otherwise tells the user to select one.
    bool RequireCompany(const char* message);

    CClient& m_client;
    CompanyRegister m_companyRegister;
    KeyActions* m_keys;
    CompanyList* m_companies;
    ColourLabel* m_currentCompany;
    std::array<QLabel*, 4> m_counters{};
    std::array<QRadioButton*, 3> m_filters{};
    // The key of the company the line shows: rows move with sorts and deletes.
    long long m_shownKey = 0;
};
