#pragma once
#include <QDialog>
#include <memory>
#include <string>

#include "health/InsuredRegister.h"

namespace Ui {
class InsuredDialog;
}

// "Adauga un asigurat" / "Modifica un asigurat": shows a record of the
// insured register and hands what was typed to it.
class InsuredDialog : public QDialog {
    Q_OBJECT
public:
    // InsuredRecord{} with InsuredEdit{} opens the form in add mode; a loaded
    // record with its edit in modify mode.
    InsuredDialog(InsuredRegister& insured, const std::string& companyName,
                  const InsuredRecord& record, const InsuredEdit& edit, QWidget* parent = nullptr);
    ~InsuredDialog() override;

    InsuredRecord Record() const;
    // After a successful save: the key of the record's row.
    long long SavedKey() const { return m_savedKey; }

public slots:
    void Confirm();

private:
    InsuredRegister& m_insured;
    InsuredEdit m_edit;
    long long m_savedKey = 0;
    std::unique_ptr<Ui::InsuredDialog> m_ui;
};
