#pragma once
#include <QDialog>
#include <memory>
#include <string>

#include "health/MonthlySums.h"

namespace Ui {
class SumsDialog;
}

// "Modifica sumele": the salary of an employee in the working month and the
// contribution owed and paid on it. Changing the salary recomputes both at
// the employee rate; either stays editable afterwards.
class SumsDialog : public QDialog {
    Q_OBJECT
public:
    SumsDialog(MonthlySums& sums, const std::string& companyName, const EmployeeMonth& row,
               QWidget* parent = nullptr);
    ~SumsDialog() override;

    // What the form holds, as a save takes it.
    MonthSums Typed() const;
    // After a successful save: the sums as they were stored.
    const MonthSums& Saved() const { return m_saved; }

public slots:
    void Confirm();

private:
    void ShowRow();
    void SalaryEdited();

    MonthlySums& m_sums;
    EmployeeMonth m_row;
    MonthSums m_saved;
    // Until the user changes the salary, the stored one is written back as it
    // was, even where the field shows it rounded to two decimals.
    bool m_salaryEdited = false;
    std::unique_ptr<Ui::SumsDialog> m_ui;
};
