#pragma once
#include <QDialog>
#include <string>

#include "leave/DeclarationRegister.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The declaration editor: "Adauga declaratie" for a company, "Modifica
// declaratie" for a stored declaration. Typing the month decides the type,
// the working days and the minimum wage; the totals follow every edit.
class DeclarationDialog : public QDialog {
    Q_OBJECT
public:
    // `index` 0 adds a declaration for the company `cf`.
    DeclarationDialog(DeclarationRegister& declarations, const std::string& cf, long long index,
                      QWidget* parent = nullptr);

    // The key of the declaration written, after OK.
    long long SavedKey() const { return m_savedKey; }
    // The type it was saved as: "initiala" or "rectificativa", and its number.
    std::string TypeText() const;
    std::string RectificationNumber() const;

    int exec() override;

private:
    void BuildForm();
    QLineEdit* AddLine(const char* objectName, const QString& label, const QString& note = {},
                       QLabel** noteLabel = nullptr);
    void Fill(const DeclarationRecord& stored);
    void OnMonthChanged();
    void RecomputeTotals();
    void SetHelp(QWidget* field, const QString& html);
    int TypedYear() const;
    std::string TypedMonth() const;
    void Confirm();

    DeclarationRegister& m_declarations;
    std::string m_cf;
    long long m_index;
    DeclarationRecord m_stored;
    bool m_readable = true;
    bool m_filling = false;
    long long m_savedKey = 0;
    QLineEdit* m_month = nullptr;
    QLineEdit* m_year = nullptr;
    QLabel* m_rateLabel = nullptr;
    QPushButton* m_confirm = nullptr;
};
