#include "ui/KeyActions.h"

#include <QKeyEvent>

#include <algorithm>

namespace {
constexpr Qt::KeyboardModifiers kCommandModifiers =
    Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier;
constexpr int kCommandButtonWidth = 200;
}  // namespace

KeyActions::KeyActions(QWidget* window) : QObject(window) { window->installEventFilter(this); }

QPushButton* KeyActions::Bind(QPushButton* button, const KeyCommand& command,
                              std::function<void()> action) {
    button->setText(command.label);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [action = std::move(action)] { action(); });
    m_entries.push_back({command, button});
    return button;
}

QPushButton* KeyActions::Add(QWidget* parent, const char* objectName, const KeyCommand& command,
                             std::function<void()> action) {
    auto* button = new QPushButton(parent);
    button->setObjectName(objectName);
    return Bind(button, command, std::move(action));
}

bool KeyActions::Press(int key, Qt::KeyboardModifiers modifiers) {
    for (const Entry& entry : m_entries) {
        if (entry.command.key != key || entry.command.modifiers != (modifiers & kCommandModifiers))
            continue;
        if (entry.button->isEnabled() && !entry.button->isHidden()) entry.button->click();
        return true;
    }
    return false;
}

bool KeyActions::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    return Press(key->key(), key->modifiers());
}

void SizeCommandButton(QPushButton* button) {
    // Longer labels widen their button rather than being cut.
    button->setMinimumWidth(std::max(kCommandButtonWidth, button->sizeHint().width()));
}
