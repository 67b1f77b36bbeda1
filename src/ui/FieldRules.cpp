#include "ui/FieldRules.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {
// Re-cases what was typed, keeping the caret where it was.
void KeepCase(QLineEdit* edit, bool upper) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, upper](const QString& text) {
        const QString cased = upper ? text.toUpper() : text.toLower();
        if (cased == text) return;
        const int caret = edit->cursorPosition();
        edit->setText(cased);
        edit->setCursorPosition(caret);
    });
}
}  // namespace

QLineEdit* MakeField(QWidget* parent, const char* objectName, int maxLength, FieldCase rule) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setMaxLength(maxLength);
    switch (rule) {
        case FieldCase::Upper:
            KeepCase(edit, true);
            break;
        case FieldCase::Lower:
            KeepCase(edit, false);
            break;
        case FieldCase::Digits:
            edit->setValidator(
                new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
            break;
        case FieldCase::AsTyped:
            break;
    }
    return edit;
}

void ApplyTextRule(QLineEdit* edit, TextRule rule, int maxLength) {
    if (maxLength > 0) edit->setMaxLength(maxLength);
    switch (rule) {
        case TextRule::Upper:
        case TextRule::Compact:
            KeepCase(edit, true);
            break;
        case TextRule::Lower:
            KeepCase(edit, false);
            break;
        case TextRule::Digits:
            edit->setValidator(
                new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
            break;
        case TextRule::AsTyped:
            break;
    }
}
