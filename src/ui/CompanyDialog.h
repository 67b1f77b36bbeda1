#pragma once
#include <QDialog>
#include <memory>

#include "health/CompanyRegister.h"

namespace Ui {
class CompanyDialog;
}

// "Adauga societate" / "Modifica societate": shows a company, hands what was
// typed to the register, and closes when the register has saved it.
class CompanyDialog : public QDialog {
    Q_OBJECT
public:
    // An empty record with CompanyEdit::Adding() opens the form in add mode.
    CompanyDialog(CompanyRegister& companies, const CompanyRecord& record, const CompanyEdit& edit,
                  QWidget* parent = nullptr);
    ~CompanyDialog() override;

    CompanyRecord Record() const;
    // After a successful save: the key of the company's row.
    long long SavedKey() const { return m_savedKey; }

public slots:
    void Confirm();

private:
    void UpdateSectorField();

    CompanyRegister& m_companies;
    CompanyEdit m_edit;
    long long m_savedKey = 0;
    std::unique_ptr<Ui::CompanyDialog> m_ui;
};
