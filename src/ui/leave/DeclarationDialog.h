#pragma once
#include <QDialog>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

#include "leave/DeclarationRegister.h"

namespace Ui {
class DeclarationDialog;
}
class UnsavedEntry;

// The declaration editor: "Adauga declaratie" for a company, "Modifica
// declaratie" for a stored declaration. Typing the month decides the type,
// the working days and the minimum wage; the totals follow every edit.
class DeclarationDialog : public QDialog {
    Q_OBJECT
public:
    // `index` 0 adds a declaration for the company `cf`.
    DeclarationDialog(DeclarationRegister& declarations, const std::string& cf, long long index,
                      QWidget* parent = nullptr);
    ~DeclarationDialog() override;

    // The key of the declaration written, after OK.
    long long SavedKey() const { return m_savedKey; }
    // What the declaration is saved as: decided by the typed month for a new
    // one, its own for a stored one; nothing while no month is decided.
    const std::optional<DeclarationType>& Type() const { return m_type; }

    int exec() override;

public slots:
    void Confirm();
    // Asks before what was typed is thrown away.
    void reject() override;

private:
    void SetUpFields();
    void Fill(const DeclarationRecord& stored);
    bool DecideType();
    void OnMonthChanged();
    void ShowMonthFigures();
    void ProposeFromCorrected();
    void RecomputeTotals();
    bool MonthTyped() const;
    int TypedYear() const;
    std::string TypedMonth() const;
    static void SetHelp(const QString& html, std::initializer_list<QWidget*> widgets);

    DeclarationRegister& m_declarations;
    std::string m_cf;
    long long m_index;
    DeclarationRecord m_stored;
    // Kept here, never read back from the text the form shows.
    std::optional<DeclarationType> m_type;
    // What the editor last proposed from the declaration a rectification
    // corrects; a field still showing it has not been typed in.
    DeclarationRecord m_proposed;
    bool m_readable = true;
    bool m_filling = false;
    long long m_savedKey = 0;
    std::unique_ptr<Ui::DeclarationDialog> m_ui;
    UnsavedEntry* m_unsaved = nullptr;
};
