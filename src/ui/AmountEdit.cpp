#include "ui/AmountEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

#include "domain/TextNumbers.h"
#include "text/TextCodec.h"

AmountEdit::AmountEdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Pasted text goes through PasteAmount; a context menu or a drop would
    // bypass it.
    setContextMenuPolicy(Qt::NoContextMenu);
    setDragEnabled(false);
    setAcceptDrops(false);
    SetAmount(0);
}

void AmountEdit::SetDecimals(int decimals) {
    m_decimals = std::clamp(decimals, 0, 6);
    SetAmount(m_value);
}

void AmountEdit::SetGrouping(bool on) {
    m_grouping = on;
    SetAmount(m_value);
}

// Fixed-point text of the value (it rounds), the integer digits grouped by
// three from the right, then the decimals.
std::string AmountEdit::Format(double value) const {
    // The magnitude is rounded and the sign put back, so a negative amount
    // rounds away from zero exactly as its positive twin does (RoundHalfUp
    // alone would truncate -1234.567 to -1234).
    const double magnitude = std::fabs(value);
    const std::string plain = m_decimals == 0
                                  ? WholeToText(static_cast<double>(RoundHalfUp(magnitude)), false)
                                  : RealToText(magnitude, m_decimals, false);
    // A minus typed on a zero stays visible ("-0.00"), so the digits typed next
    // make a negative number, as the C conversion's sign of -0 shows it.
    const bool negative = std::signbit(value);
    const std::size_t point = plain.find('.');
    const std::string digits = plain.substr(0, point);
    std::string out = negative ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (m_grouping && i > 0 && (digits.size() - i) % 3 == 0) out += m_groupSeparator;
        out += digits[i];
    }
    if (m_decimals > 0) out += m_decimalSeparator + plain.substr(point + 1, m_decimals);
    return out;
}

void AmountEdit::SetAmount(double value) {
    const std::string shown = Format(value);
    m_value = 0;
    ShowText(shown, 0);
}

void AmountEdit::SetAmountText(const std::string& text) {
    SetAmount(TextToReal(text));
}

std::string AmountEdit::AmountText() const {
    return PlainText(FromQt(text()));
}

std::string AmountEdit::PlainText(std::string shown) const {
    std::string out = std::move(shown);
    out.erase(std::remove(out.begin(), out.end(), m_groupSeparator), out.end());
    if (m_decimalSeparator != '.') std::replace(out.begin(), out.end(), m_decimalSeparator, '.');
    return out;
}

// Shows a formatted text and re-reads the value from it, so both always agree.
void AmountEdit::ShowText(const std::string& shown, int caret) {
    // The value first: whoever listens to textChanged reads the new amount.
    m_value = TextToReal(PlainText(shown));
    setText(ToQt(shown));
    setCursorPosition(std::clamp(caret, 0, static_cast<int>(shown.size())));
}

int AmountEdit::DecimalPosition(const std::string& shown) const {
    if (m_decimals == 0) return static_cast<int>(shown.size());
    const std::size_t point = shown.find(m_decimalSeparator);
    return point == std::string::npos ? static_cast<int>(shown.size()) : static_cast<int>(point);
}

AmountEdit::Parts AmountEdit::Split(const std::string& shown) const {
    Parts parts;
    const int point = DecimalPosition(shown);
    for (int i = 0; i < static_cast<int>(shown.size()); ++i) {
        const char c = shown[i];
        if (c == '-') parts.negative = true;
        if (c < '0' || c > '9') continue;
        (i < point ? parts.integerDigits : parts.decimalDigits) += c;
    }
    return parts;
}

// Rebuilds the text from its parts (the value re-read and formatted again) and
// puts the caret at the same distance from the end as before.
void AmountEdit::ShowParts(const Parts& parts, int caretFromEnd) {
    std::string decimals = parts.decimalDigits;
    decimals.resize(m_decimals, '0');
    std::string plain =
        (parts.negative ? "-" : "") + (parts.integerDigits.empty() ? "0" : parts.integerDigits);
    if (m_decimals > 0) plain += "." + decimals;
    const std::string shown = Format(TextToReal(plain));
    ShowText(shown, static_cast<int>(shown.size()) - caretFromEnd);
}

void AmountEdit::DeleteSelection() {
    const std::string shown = FromQt(text());
    const int start = selectionStart();
    const int end = start + static_cast<int>(selectedText().size());
    const int point = DecimalPosition(shown);
    std::string kept;
    for (int i = 0; i < static_cast<int>(shown.size()); ++i) {
        const bool selected = i >= start && i < end;
        // The decimal separator stays so the remaining decimals keep their place.
        if (!selected || i == point) kept += shown[i];
    }
    if (start <= point && point < end && m_decimals > 0) {
        // The integer part went: type on from just before the decimal separator.
        ShowParts(Split(kept), m_decimals + 1);
        return;
    }
    ShowParts(Split(kept), static_cast<int>(shown.size()) - end);
}

void AmountEdit::TypeDigit(char digit) {
    const std::string shown = FromQt(text());
    const int caret = cursorPosition();
    const int point = DecimalPosition(shown);
    if (caret > point) {
        // Decimals are overwritten in place; nothing goes past the last one.
        if (caret >= static_cast<int>(shown.size())) return;
        std::string changed = shown;
        changed[caret] = digit;
        ShowParts(Split(changed), static_cast<int>(shown.size()) - (caret + 1));
        return;
    }
    Parts parts = Split(shown);
    const int sign = parts.negative ? 1 : 0;
    const int at = std::max(caret, sign);
    const int fromEnd = static_cast<int>(shown.size()) - at;
    if (parts.integerDigits == "0") {  // a lone zero is replaced, not kept
        parts.integerDigits = std::string(1, digit);
        ShowParts(parts, static_cast<int>(shown.size()) - (sign + 1));
        return;
    }
    if (static_cast<int>(parts.integerDigits.size()) >= kMaxIntegerDigits) return;
    // Count the digits before the caret to find the insertion point among digits.
    int digitsBefore = 0;
    for (int i = 0; i < at; ++i)
        if (shown[i] >= '0' && shown[i] <= '9') ++digitsBefore;
    parts.integerDigits.insert(parts.integerDigits.begin() + digitsBefore, digit);
    ShowParts(parts, fromEnd);
}

// Backspace (backwards) deletes the character before `position`, Delete the one
// at it. A group separator goes with the digit beyond it; a decimal is removed
// and a "0" appended, so the count of decimals never changes.
void AmountEdit::DeleteAt(int position, bool backwards) {
    const std::string shown = FromQt(text());
    const int point = DecimalPosition(shown);
    int target = backwards ? position - 1 : position;
    if (target < 0 || target >= static_cast<int>(shown.size())) return;
    if (shown[target] == m_decimalSeparator && m_decimals > 0) {
        setCursorPosition(backwards ? target : target + 1);  // step over it
        return;
    }
    if (shown[target] == m_groupSeparator) target += backwards ? -1 : 1;
    if (target < 0 || target >= static_cast<int>(shown.size())) return;
    if (target > point) {
        std::string changed = shown;
        changed.erase(target, 1);
        changed += '0';
        const int caret = backwards ? target : position;
        ShowParts(Split(changed), static_cast<int>(shown.size()) - caret);
        return;
    }
    std::string changed = shown;
    changed.erase(target, 1);
    const int caretFromEnd = static_cast<int>(shown.size()) - (backwards ? position : target + 1);
    ShowParts(Split(changed), caretFromEnd);
}

bool AmountEdit::HandleCharacter(char c) {
    const std::string shown = FromQt(text());
    if (c >= '0' && c <= '9') {
        TypeDigit(c);
    } else if (c == '-' || c == '+') {
        const int caret = cursorPosition();
        const bool negative = !shown.empty() && shown[0] == '-';
        if (c == '+' && !negative) return true;
        const std::string changed = negative ? shown.substr(1) : "-" + shown;
        const int fromEnd = static_cast<int>(shown.size()) - caret;
        Parts parts = Split(changed);
        parts.negative = !negative;
        ShowParts(parts, fromEnd);
    } else if ((c == '.' || c == ',') && m_decimals > 0) {
        // A Romanian writes the decimals after ",": both separators lead there.
        setCursorPosition(DecimalPosition(shown) + 1);
    }
    return true;  // every other character is ignored
}

bool AmountEdit::PasteAmount(const QString& pasted) {
    const auto plain = ReadWrittenAmount(FromQt(pasted), kMaxIntegerDigits);
    if (!plain) {
        QApplication::beep();
        return false;
    }
    const std::string shown = Format(TextToReal(*plain));
    ShowText(shown, static_cast<int>(shown.size()));
    return true;
}

void AmountEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the selection on X11; it goes through the same rule.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        const QClipboard* clipboard = QGuiApplication::clipboard();
        if (clipboard->supportsSelection()) PasteAmount(clipboard->text(QClipboard::Selection));
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void AmountEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        PasteAmount(QGuiApplication::clipboard()->text());
        return;
    }
    if (event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Undo) ||
        event->matches(QKeySequence::Redo) || event->key() == Qt::Key_Insert) {
        event->accept();
        return;
    }
    const bool backspace = event->key() == Qt::Key_Backspace;
    const bool del = event->key() == Qt::Key_Delete;
    const QString typed = event->text();
    const bool character = typed.size() == 1 && typed[0].isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!backspace && !del && !character) {
        QLineEdit::keyPressEvent(event);  // caret movement, Enter, Tab, function keys
        return;
    }
    event->accept();
    if (hasSelectedText()) {
        DeleteSelection();
        if (backspace || del) return;
    }
    if (backspace || del) {
        DeleteAt(cursorPosition(), backspace);
        return;
    }
    const std::string c = FromQt(typed);
    HandleCharacter(c.empty() ? '\0' : c[0]);
}
