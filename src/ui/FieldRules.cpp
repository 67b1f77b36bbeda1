#include "ui/FieldRules.h"

#include <QLineEdit>

#include <algorithm>
#include <optional>

#include "text/TextCodec.h"

namespace {

// The other case of a letter, unless the code page lacks it (the letter stays).
QChar Cased(QChar c, bool upper) {
    const QChar other = upper ? c.toUpper() : c.toLower();
    return IsStorable(other) ? other : c;
}

// The character the field keeps for `c`, or nothing when it drops it.
std::optional<QChar> Kept(QChar c, TextRule rule) {
    if (c.category() == QChar::Other_Control) {
        if (!c.isSpace()) return std::nullopt;
        c = QLatin1Char(' ');  // a field holds one line
    }
    if (!IsStorable(c)) return std::nullopt;
    c = ToPageLetter(c);
    switch (rule) {
        case TextRule::Upper:
            return Cased(c, true);
        case TextRule::Lower:
            return Cased(c, false);
        case TextRule::Digits:
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
            return c;
        case TextRule::Compact:
            if (c.isSpace()) return std::nullopt;
            return Cased(c, true);
        case TextRule::AsTyped:
            break;
    }
    return c;
}

}  // namespace

FieldTextValidator::FieldTextValidator(TextRule rule, int maxLength, QObject* parent)
    : QValidator(parent), m_rule(rule), m_maxLength(maxLength) {}

QValidator::State FieldTextValidator::validate(QString& input, int& pos) const {
    QString kept;
    kept.reserve(input.size());
    qsizetype caret = 0;
    for (qsizetype i = 0; i < input.size(); ++i) {
        const std::optional<QChar> c = Kept(input[i], m_rule);
        if (!c) continue;
        kept.append(*c);
        if (i < pos) caret = kept.size();
    }
    if (m_maxLength > 0 && kept.size() > m_maxLength) {
        // Cut what was just put in (it ends at the caret), as the field itself
        // cuts an over-long paste; the rest, if any, from the end.
        const qsizetype excess = kept.size() - m_maxLength;
        const qsizetype before = std::min(excess, caret);
        kept.remove(caret - before, before);
        caret -= before;
        kept.truncate(m_maxLength);
    }
    input = kept;
    pos = static_cast<int>(std::min(caret, kept.size()));
    return Acceptable;  // anything less would hold back returnPressed and editingFinished
}

void ApplyTextRule(QLineEdit* edit, TextRule rule, int maxLength) {
    if (maxLength > 0) {
        // A pasted IBAN in its printed form carries a blank every four
        // characters; the field takes them in and the validator holds the limit.
        edit->setMaxLength(rule == TextRule::Compact ? maxLength * 2 : maxLength);
    }
    const QValidator* old = edit->validator();
    auto* validator = new FieldTextValidator(rule, maxLength, edit);
    edit->setValidator(validator);
    if (old && old->parent() == edit) delete old;
    // The field checks only what changes from now on; what it holds is checked here.
    QString text = edit->text();
    int caret = edit->cursorPosition();
    validator->validate(text, caret);
    if (text != edit->text()) edit->setText(text);
}

QLineEdit* MakeField(QWidget* parent, const char* objectName, int maxLength, TextRule rule) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    ApplyTextRule(edit, rule, maxLength);
    return edit;
}
