#pragma once
#include <QObject>
#include <QPushButton>
#include <functional>
#include <vector>

// A command of a window with its function key, declared once: the key, the
// label of the button that also runs it ("[F5]   Adauga", as written), and
// the action. The key and the button are one path: a key press clicks the
// button, so a disabled button's key does nothing too.
struct KeyCommand {
    int key;                           // Qt::Key_F5
    Qt::KeyboardModifiers modifiers;   // read at the key press: F5 and Ctrl+F5 differ
    const char* label;
};

// The key table of one window. It watches the window, so keys the fields and
// lists leave unused (function keys) reach it from anywhere inside.
class KeyActions : public QObject {
    Q_OBJECT
public:
    explicit KeyActions(QWidget* window);

    // Gives `button` the command's label and key; a click runs `action`.
    QPushButton* Bind(QPushButton* button, const KeyCommand& command, std::function<void()> action);
    // A new button for the command, for windows built in code.
    QPushButton* Add(QWidget* parent, const char* objectName, const KeyCommand& command,
                     std::function<void()> action);
    // Keys to press again as their command says (tests, and a window that
    // forwards a key from a child window).
    bool Press(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        KeyCommand command;
        QPushButton* button;
    };
    std::vector<Entry> m_entries;
};

// Every command button of the program is at least as wide as the main
// window's buttons, so a form's "[F5]   Adauga" is as easy to hit as
// "Sanatate"; call it once the button has its label.
void SizeCommandButton(QPushButton* button);
