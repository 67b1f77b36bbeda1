#pragma once
#include <QValidator>

#include "base/RecordColumns.h"

class QLineEdit;
class QWidget;

// The validator of every typed text field. It rewrites what is typed or pasted
// rather than refusing the whole change: the comma-below letters become the
// code page's cedilla ones, characters the page cannot hold are dropped (they
// would be stored as "?"), a pasted line break becomes a blank, then the
// field's rule applies. The caret stays after what was put in.
class FieldTextValidator : public QValidator {
    Q_OBJECT
public:
    // maxLength > 0 is the limit of the rewritten text: it matters for Compact,
    // whose field takes in more than that (the blanks of a printed IBAN).
    FieldTextValidator(TextRule rule, int maxLength, QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;
    TextRule Rule() const { return m_rule; }

private:
    TextRule m_rule;
    int m_maxLength;
};

// Sets the entry limit (when > 0) and installs the validator of `rule`; text
// already in the field is rewritten by it.
void ApplyTextRule(QLineEdit* edit, TextRule rule, int maxLength);

// A new field named `objectName` with its limit and rule.
QLineEdit* MakeField(QWidget* parent, const char* objectName, int maxLength,
                     TextRule rule = TextRule::AsTyped);
