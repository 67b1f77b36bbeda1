#include "ui/TypeAhead.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <utility>

#include "text/TextCodec.h"

TypeAhead::TypeAhead(QLineEdit* field, Lookup lookup)
    : QObject(field), m_field(field), m_lookup(std::move(lookup)) {
    field->installEventFilter(this);
    connect(field, &QLineEdit::textEdited, this, &TypeAhead::OnEdited);
}

bool TypeAhead::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        m_holdBack = key == Qt::Key_Backspace || key == Qt::Key_Delete || key == Qt::Key_Period;
    }
    return false;
}

void TypeAhead::OnEdited(const QString& text) {
    const std::string typed = FromQt(text);
    const bool holdBack = std::exchange(m_holdBack, false);  // a later paste may complete
    if (holdBack || typed == m_remembered) {
        m_remembered = typed;
        return;
    }
    m_remembered = typed;
    const std::optional<std::string> found = m_lookup(typed);
    if (!found) return;
    const QString full = ToQt(*found);
    m_remembered = *found;
    m_field->setText(full);
    // A code typed with its leading zero ("05") completes to a shorter "5":
    // nothing is left to select then.
    const int typedLength = static_cast<int>(std::min(text.size(), full.size()));
    m_field->setSelection(typedLength, static_cast<int>(full.size()) - typedLength);
}
