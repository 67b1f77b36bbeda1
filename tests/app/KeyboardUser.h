#pragma once
#include <QPointer>
#include <QString>
#include <QWidget>
#include <Qt>

#include <functional>
#include <string>
#include <vector>

// A user with a keyboard and no mouse. Every key goes where the window system
// would deliver it: to the widget that has the focus, else to the active
// window. The script only reads what the screen shows (which window is
// active, where the focus is) to choose its next key; it never clicks, calls
// a slot, sets a text or moves the focus itself. A step that would need the
// mouse (no window has the keyboard, a control Tab never reaches, a window
// that never comes up) fails the test and closes the open dialogs.
//
// The offscreen platform has no window manager: when the active window
// closes, nothing becomes active. The script does what a desktop's window
// manager does then, and activates the window the closed one belonged to.
//
// A form opened by a key runs its own event loop, so the script is a list of
// steps, each waiting for its window to be the active one; a key that opens a
// form ends its step, the next step works in the form.
class KeyboardUser {
public:
    using Action = std::function<void(KeyboardUser&)>;

    // The next step: once the window with objectName (or class) `window` is
    // active, `act`.
    KeyboardUser& In(const char* window, const char* what, Action act);
    // Runs the steps in order; false when one failed (the failure is reported).
    bool Run();

    // ---- inside a step ----
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Types each character into whatever has the focus at that moment, as a
    // field that moves on by itself would receive the rest.
    void Type(const QString& text);
    // Presses `key` until the focus is on the control named `name` (or inside
    // it). Enter stops short of a push button: it would press it.
    void MoveTo(const char* name, int key = Qt::Key_Tab);
    // Presses Tab until the focused button reads `text`.
    void TabToButton(const QString& text);
    // MoveTo, then the text.
    void Fill(const char* name, const QString& text, int key = Qt::Key_Tab);
    // Fails the script unless the focus is on the control named `name`.
    void ExpectFocus(const char* name);
    // Fails the script with `why` and what the screen shows.
    void Fail(const std::string& why);
    bool Failed() const { return m_failed; }
    // The widget the next key goes to; null when no window has the keyboard.
    static QWidget* Target();
    static std::string Describe(const QWidget* widget);

private:
    struct Step {
        QString window;
        std::string what;
        Action act;
        QWidget* shownIn = nullptr;
        bool started = false;
        bool finished = false;
    };
    void Schedule();
    void Poll();
    bool Ready(const Step& step) const;
    void Unwind();
    void ActLikeAWindowManager();

    std::vector<Step> m_steps;
    size_t m_next = 0;
    int m_polls = 0;
    bool m_failed = false;
    bool m_over = false;
    // The active window seen last and the window it belongs to.
    QPointer<QWidget> m_lastActive;
    QPointer<QWidget> m_lastActiveOwner;
};
