#pragma once
#include <QDialog>
#include <string>
#include <utility>
#include <vector>

#include "health/CompanyRegister.h"

class CClient;
class QComboBox;
class QLineEdit;
class QRadioButton;

// "Adauga societate" / "Modifica societate": reads its fields and hands them
// to the company flow, which checks and saves them.
class CompanyDialog : public QDialog {
    Q_OBJECT
public:
    // index < 0 opens the form in add mode.
    CompanyDialog(CClient& client, double index, QWidget* parent = nullptr);

    // False when a modify form could not read its company; do not show it.
    bool Loaded() const { return m_loaded; }
    CompanyFields Fields() const;
    // After a successful add: the new row's key.
    double InsertedIndex() const { return m_insertedIndex; }

public slots:
    void Confirm();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildFields();
    QWidget* BuildButtons();
    void Fill(const CompanyFields& fields);
    void UpdateSectorField();
    static const std::vector<std::pair<QLineEdit* CompanyDialog::*, std::string CompanyFields::*>>&
    TextFields();

    CClient& m_client;
    CompanyEdit m_edit;
    bool m_loaded = true;
    double m_insertedIndex = 0;
    QLineEdit *m_denumire, *m_cf, *m_regCom, *m_repr, *m_ziuaLic;
    QRadioButton *m_sameMonth, *m_nextMonth;
    QLineEdit *m_loc, *m_str, *m_nr, *m_bl, *m_sc, *m_et, *m_ap, *m_tel, *m_sect, *m_email;
    QComboBox* m_county;
    QLineEdit *m_b1, *m_f1, *m_c1;
};
