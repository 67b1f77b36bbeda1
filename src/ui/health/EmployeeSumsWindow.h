#pragma once
#include <QDialog>
#include <array>
#include <string>

#include "health/MonthlySums.h"

class CClient;
class DataList;
class KeyActions;
class LinkedLists;
class QLabel;
class QPushButton;

// "Pasul 2: Introducere / actualizare a obligatiilor": the companies above,
// the employees of the selected one in the working month below with their
// sums, and the month's totals beside them.
class EmployeeSumsWindow : public QDialog {
    Q_OBJECT
public:
    EmployeeSumsWindow(CClient& client, const std::string& month, QWidget* parent = nullptr);

    // A company list that could not be read is never shown: its message was.
    int exec() override;

public slots:
    void ModifySums();
    void CarryForward();

private:
    QWidget* BuildTotals();
    QWidget* BuildEmployeeButtons();
    QWidget* BuildLegend();
    QWidget* BuildNotes();
    void FitToScreen();
    DataList& Employees();
    // The caption with the count and the totals, after every change of the list.
    void ShowCountAndTotals();

    MonthlySums m_sums;
    KeyActions* m_keys;
    LinkedLists* m_lists;
    QWidget* m_employeeButtons = nullptr;
    std::array<QLabel*, 4> m_totals{};
    bool m_filled = false;
    // Whether the lower list holds the employees of the selected company.
    bool m_employeesShown = false;
};
