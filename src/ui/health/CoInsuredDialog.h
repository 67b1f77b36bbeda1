#pragma once
#include <QDialog>
#include <memory>
#include <optional>
#include <string>

#include "health/CoInsuredRegister.h"
#include "health/InsuredRegister.h"

namespace Ui {
class CoInsuredDialog;
}
class QLineEdit;

// "Adauga un coasigurat" (and, for a change, "Modifica un asigurat"): a
// dependant of an insured person. The person is given by the list window's
// selected row, or found here by typing the first letters of his CNP or
// names.
class CoInsuredDialog : public QDialog {
    Q_OBJECT
public:
    CoInsuredDialog(CoInsuredRegister& coInsured, InsuredRegister& insured,
                    const std::string& companyName, const std::optional<InsuredRecord>& given,
                    const CoInsuredRecord& dependant, const CoInsuredEdit& edit,
                    QWidget* parent = nullptr);
    ~CoInsuredDialog() override;

    CoInsuredRecord Record() const;
    long long SavedKey() const { return m_savedKey; }

public slots:
    void Confirm();

private:
    enum class InsuredField { Cnp, Nume, Prenume };
    void ShowInsured(const InsuredRecord& person);
    void ClearInsuredBut(InsuredField typed);
    [[nodiscard]] std::optional<std::string> Complete(InsuredField field, const std::string& typed);
    QLineEdit* FieldOf(InsuredField field) const;

    CoInsuredRegister& m_coInsured;
    InsuredRegister& m_insured;
    CoInsuredEdit m_edit;
    long long m_savedKey = 0;
    std::unique_ptr<Ui::CoInsuredDialog> m_ui;
};
