#pragma once
#include <QDialog>
#include <memory>
#include <optional>
#include <string>

#include "health/InsuredRegister.h"

namespace Ui {
class LiquidationDialog;
}
class TypeAhead;

// "Lichideaza un asigurat": closes the open record of a person. Opened free
// (the CNP completes as it is typed) or with the record of a list's row.
class LiquidationDialog : public QDialog {
    Q_OBJECT
public:
    LiquidationDialog(InsuredRegister& insured, const std::string& companyName,
                      const std::optional<InsuredRecord>& given, QWidget* parent = nullptr);
    ~LiquidationDialog() override;

public slots:
    void Confirm();

private:
    void ShowPerson(const InsuredRecord& record);
    void ClearPerson();
    [[nodiscard]] std::optional<std::string> Complete(const std::string& typed);

    InsuredRegister& m_insured;
    std::unique_ptr<Ui::LiquidationDialog> m_ui;
    TypeAhead* m_typeAhead = nullptr;
};
