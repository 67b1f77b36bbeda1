#include "ui/FormNavigation.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// A field that only shows a value is passed over by Tab and Enter alike.
bool IsReadOnly(const QWidget* w) {
    const auto* edit = qobject_cast<const QLineEdit*>(w);
    return edit && edit->isReadOnly();
}

}  // namespace

FormNavigation::FormNavigation(QWidget* form) : QObject(form), m_form(form) {}

FormNavigation* FormNavigation::Install(QWidget* form) {
    auto* navigation = new FormNavigation(form);
    for (QWidget* child : form->findChildren<QWidget*>()) navigation->Watch(child);
    return navigation;
}

void FormNavigation::Watch(QWidget* field) {
    if (qobject_cast<QLineEdit*>(field) || qobject_cast<QComboBox*>(field) ||
        qobject_cast<QAbstractButton*>(field))
        field->installEventFilter(this);
}

void FormNavigation::PassOverOnEnter(std::initializer_list<QWidget*> widgets) {
    for (const QWidget* w : widgets) m_passedOnEnter.insert(w);
}

// The next or previous field in the form's tab order that can take the focus.
bool FormNavigation::MoveFocus(QWidget* from, bool forward, bool byEnter) {
    QWidget* w = from;
    for (;;) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == from) return true;  // no other field: the key is still used up
        if (w->window() == m_form->window() && m_form->isAncestorOf(w) && w->isEnabled() &&
            w->isVisible() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() &&
            !IsReadOnly(w) && !(byEnter && m_passedOnEnter.contains(w)))
            break;
    }
    w->setFocus(Qt::TabFocusReason);
    return true;
}

bool FormNavigation::HandleKey(QWidget* field, int key) {
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    // The edit field inside an editable combo box behaves as the combo box.
    QComboBox* combo = qobject_cast<QComboBox*>(field);
    if (!combo && field->parentWidget()) combo = qobject_cast<QComboBox*>(field->parentWidget());
    if (combo) {
        if (enter || key == Qt::Key_Right) return MoveFocus(combo, true);
        if (key == Qt::Key_Left) return MoveFocus(combo, false);
        return false;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        const bool noSelection = !edit->hasSelectedText();
        const bool atStart = edit->cursorPosition() == 0 && noSelection;
        const bool atEnd = edit->cursorPosition() == edit->text().size() && noSelection;
        if (enter || key == Qt::Key_Down || (key == Qt::Key_Right && atEnd))
            return MoveFocus(edit, true);
        if (key == Qt::Key_Up || (key == Qt::Key_Left && atStart)) return MoveFocus(edit, false);
        return false;
    }
    if (auto* radio = qobject_cast<QRadioButton*>(field)) {
        // The arrows choose among the radio buttons, as everywhere; Enter moves on.
        return enter && MoveFocus(radio, true);
    }
    if (auto* button = qobject_cast<QAbstractButton*>(field)) {
        const bool pushButton = qobject_cast<QPushButton*>(button) != nullptr;
        if (enter && pushButton) {
            button->click();
            return true;
        }
        if (enter || key == Qt::Key_Right || key == Qt::Key_Down) return MoveFocus(button, true);
        if (key == Qt::Key_Left || key == Qt::Key_Up) return MoveFocus(button, false);
    }
    return false;
}

bool FormNavigation::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    auto* field = qobject_cast<QWidget*>(watched);
    // Tab walks the same chain as Enter, past the fields that only show a value.
    const bool control = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (field && !control && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab))
        return MoveFocus(
            field, key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier), false);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier))
        return false;
    return field && HandleKey(field, key->key());
}
