#pragma once
#include <QDialog>
#include <memory>
#include <string>

#include "health/EmployerSums.h"

namespace Ui {
class EmployerSumsDialog;
}

// "Sume datorate de catre angajator": a company's salary fund of the working
// month and the employer's contribution owed and paid on it. Changing the
// fund recomputes both at the employer rate; either stays editable.
class EmployerSumsDialog : public QDialog {
    Q_OBJECT
public:
    EmployerSumsDialog(EmployerSums& sums, const EmployerMonth& row, QWidget* parent = nullptr);
    ~EmployerSumsDialog() override;

    EmployerMonthSums Typed() const;
    // After a successful save: the sums as stored and the key of their row.
    const EmployerMonthSums& Saved() const { return m_saved; }
    long long SavedKey() const { return m_savedKey; }

public slots:
    void Confirm();

private:
    void FundEdited();

    EmployerSums& m_sums;
    EmployerMonth m_row;
    EmployerMonthSums m_saved;
    long long m_savedKey = 0;
    // Until the user changes the fund, the stored one is written back as it was.
    bool m_fundEdited = false;
    std::unique_ptr<Ui::EmployerSumsDialog> m_ui;
};
