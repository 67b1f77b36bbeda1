#include "ui/health/AmountFields.h"

#include "ui/AmountEdit.h"

QWidget* FindAmountField(const QWidget* form, std::string_view column) {
    return form->findChild<AmountEdit*>(
        QString::fromLatin1(column.data(), static_cast<qsizetype>(column.size())));
}

void ShowAmount(QWidget* field, const std::string& stored) {
    static_cast<AmountEdit*>(field)->SetAmountText(stored);
}

std::string ReadAmount(const QWidget* field) {
    return static_cast<const AmountEdit*>(field)->AmountText();
}
