#pragma once
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "health/InsuredRegister.h"

namespace Ui {
class EmploymentChangeDialog;
}

// "Modifica forma de angajare" and "Schimba casa de asigurare": one form for
// both moves of an open record, filled from the list's selected row.
class EmploymentChangeDialog : public QDialog {
    Q_OBJECT
public:
    EmploymentChangeDialog(ChangeKind kind, InsuredRegister& insured,
                           const std::string& companyName, long long index,
                           const InsuredRecord& current, QWidget* parent = nullptr);
    ~EmploymentChangeDialog() override;

    // After a successful change: the key of the new record.
    long long NewKey() const { return m_newKey; }

public slots:
    void Confirm();

private:
    void FillChoices();
    std::string ChosenCode() const;

    ChangeKind m_kind;
    InsuredRegister& m_insured;
    long long m_index;
    InsuredRecord m_current;
    // The code behind each entry of the drop-down, in its order.
    std::vector<std::string> m_choiceCodes;
    long long m_newKey = 0;
    std::unique_ptr<Ui::EmploymentChangeDialog> m_ui;
};
