#include "ui/DateTriple.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "domain/Dates.h"
#include "domain/TextNumbers.h"
#include "text/TextCodec.h"
#include "ui/FieldRules.h"

namespace {
QLineEdit* Part(QWidget* parent, const char* name, int digits) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    ApplyTextRule(edit, TextRule::Digits, digits);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(digits + 2, '0')) + 8);
    return edit;
}
}  // namespace

DateTriple::DateTriple(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_day = Part(this, "day", 2);
    m_month = Part(this, "month", 2);
    m_year = Part(this, "year", 4);
    m_hint = new QLabel("ZZ-LL-AAAA", this);
    for (QWidget* w : {static_cast<QWidget*>(m_day), static_cast<QWidget*>(m_month),
                       static_cast<QWidget*>(m_year), static_cast<QWidget*>(m_hint)})
        layout->addWidget(w);
    layout->addStretch(1);
    setFocusProxy(m_day);
    for (QLineEdit* edit : {m_day, m_month, m_year})
        connect(edit, &QLineEdit::textEdited, this, &DateTriple::Edited);
    // Two digits make a day or a month: the next part is typed without a key between.
    const auto moveOnWhenFull = [](QLineEdit* from, QLineEdit* to) {
        connect(from, &QLineEdit::textEdited, to, [from, to](const QString& text) {
            if (text.size() < from->maxLength() || from->cursorPosition() != text.size()) return;
            to->setFocus(Qt::OtherFocusReason);
            to->selectAll();
        });
    };
    moveOnWhenFull(m_day, m_month);
    moveOnWhenFull(m_month, m_year);
}

std::string DateTriple::Compact() const {
    return ComposeTypedDate(
        {FromQt(m_day->text()), FromQt(m_month->text()), FromQt(m_year->text())});
}

void DateTriple::SetCompact(const std::string& stored) {
    if (TextToInteger(stored) == 0) {
        Clear();
        return;
    }
    const TypedDate parts = SplitStoredDate(stored);
    m_day->setText(ToQt(parts.day));
    m_month->setText(ToQt(parts.month));
    m_year->setText(ToQt(parts.year));
}

void DateTriple::Clear() {
    for (QLineEdit* edit : {m_day, m_month, m_year}) edit->clear();
}

void DateTriple::SetReadOnly(bool readOnly) {
    for (QLineEdit* edit : {m_day, m_month, m_year}) edit->setReadOnly(readOnly);
}
