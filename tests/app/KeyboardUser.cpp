#include "KeyboardUser.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <set>

namespace {

// A window the script waits for shows up within a few event-loop turns; this
// many polls (of 10 ms) means it never will. A guard against hanging, not a
// measure of speed.
constexpr int kMaxPolls = 3000;
constexpr int kPollMs = 10;
// More Tab presses than any window of the program has controls.
constexpr int kMaxPresses = 80;

bool IsOrInside(const QWidget* widget, const QString& name) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w->objectName() == name) return true;
        if (w->isWindow()) break;
    }
    return false;
}

}  // namespace

KeyboardUser& KeyboardUser::In(const char* window, const char* what, Action act) {
    m_steps.push_back({window, what, std::move(act)});
    return *this;
}

QWidget* KeyboardUser::Target() {
    if (QWidget* focus = QApplication::focusWidget()) return focus;
    return QApplication::activeWindow();
}

std::string KeyboardUser::Describe(const QWidget* widget) {
    if (!widget) return "nothing";
    std::string text = widget->metaObject()->className();
    text += " '" + widget->objectName().toStdString() + "'";
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        text += " \"" + button->text().toStdString() + "\"";
    if (!widget->isWindow())
        text += " in window '" + widget->window()->objectName().toStdString() + "'";
    return text;
}

void KeyboardUser::Fail(const std::string& why) {
    if (m_failed) return;
    m_failed = true;
    const std::string step = m_next > 0 ? m_steps[m_next - 1].what : std::string("(start)");
    ADD_FAILURE() << "keyboard step \"" << step << "\": " << why
                  << "\n  active window: " << Describe(QApplication::activeWindow())
                  << "\n  focus: " << Describe(QApplication::focusWidget());
    QTimer::singleShot(0, [this] { Unwind(); });
}

// Closes the dialogs left open by a failed step, innermost first, so every
// event loop ends and the test can report.
void KeyboardUser::Unwind() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->done(QDialog::Rejected);
        else
            modal->close();
        QTimer::singleShot(0, [this] { Unwind(); });
        return;
    }
    m_over = true;
}

void KeyboardUser::Press(int key, Qt::KeyboardModifiers modifiers) {
    if (m_failed) return;
    QWidget* target = Target();
    if (!target) return Fail("no window has the keyboard: only the mouse could go on");
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

void KeyboardUser::Type(const QString& text) {
    for (const QChar c : text) {
        if (m_failed) return;
        QWidget* target = Target();
        if (!target) return Fail("no window has the keyboard while typing");
        QTest::keyClicks(target, QString(c));
    }
}

void KeyboardUser::MoveTo(const char* name, int key) {
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    std::set<const QWidget*> seen;
    for (int i = 0; i < kMaxPresses && !m_failed; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (IsOrInside(focus, name)) return;
        if (!focus) return Fail(std::string("no focus on the way to '") + name + "'");
        if (!seen.insert(focus).second)
            return Fail(std::string("'") + name + "' is never reached by the keyboard");
        if (enter && qobject_cast<QPushButton*>(focus))
            return Fail(std::string("Enter stops on a button before '") + name + "'");
        Press(key);
    }
    if (!m_failed) Fail(std::string("'") + name + "' is out of reach");
}

void KeyboardUser::TabToButton(const QString& text) {
    std::set<const QWidget*> seen;
    for (int i = 0; i < kMaxPresses && !m_failed; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (auto* button = qobject_cast<QAbstractButton*>(focus); button && button->text() == text)
            return;
        if (!focus) return Fail("no focus on the way to \"" + text.toStdString() + "\"");
        if (!seen.insert(focus).second)
            return Fail("Tab never reaches the button \"" + text.toStdString() + "\"");
        Press(Qt::Key_Tab);
    }
    if (!m_failed) Fail("the button \"" + text.toStdString() + "\" is out of reach");
}

void KeyboardUser::Fill(const char* name, const QString& text, int key) {
    MoveTo(name, key);
    Type(text);
}

void KeyboardUser::ExpectFocus(const char* name) {
    if (!m_failed && !IsOrInside(QApplication::focusWidget(), name))
        Fail(std::string("the focus should be on '") + name + "'");
}

bool KeyboardUser::Ready(const Step& step) const {
    const QWidget* active = QApplication::activeWindow();
    if (!active || (active->objectName() != step.window &&
                    QString(active->metaObject()->className()) != step.window))
        return false;
    // A step still sending keys to this window (waiting for a form it opened
    // to close) goes on first: the keys of this step would come in between.
    for (const Step& earlier : m_steps)
        if (earlier.started && !earlier.finished && earlier.shownIn == active) return false;
    return true;
}

void KeyboardUser::ActLikeAWindowManager() {
    if (QWidget* active = QApplication::activeWindow()) {
        m_lastActive = active;
        m_lastActiveOwner = active->parentWidget() ? active->parentWidget()->window() : nullptr;
        return;
    }
    // A modal window that just came up gets the keyboard, as a new one does.
    QWidget* next = QApplication::activeModalWidget();
    if (!next && !(m_lastActive && m_lastActive->isVisible())) next = m_lastActiveOwner;
    if (next && next->isVisible()) next->activateWindow();
}

void KeyboardUser::Schedule() {
    m_polls = 0;
    QTimer::singleShot(kPollMs, [this] { Poll(); });
}

void KeyboardUser::Poll() {
    if (m_failed) return;
    ActLikeAWindowManager();
    if (m_next == m_steps.size()) {
        bool allDone = true;
        for (const Step& step : m_steps) allDone = allDone && step.finished;
        if (allDone) {
            m_over = true;
            return;
        }
        if (++m_polls > kMaxPolls) return Fail("a window of an earlier step never closed");
        QTimer::singleShot(kPollMs, [this] { Poll(); });
        return;
    }
    Step& step = m_steps[m_next];
    if (!Ready(step)) {
        if (++m_polls > kMaxPolls)
            return Fail("window '" + step.window.toStdString() + "' never became active");
        QTimer::singleShot(kPollMs, [this] { Poll(); });
        return;
    }
    ++m_next;
    step.started = true;
    step.shownIn = QApplication::activeWindow();
    // Waiting for the next window starts now: a key of this step may open it
    // and wait inside its event loop.
    Schedule();
    step.act(*this);
    step.finished = true;
}

bool KeyboardUser::Run() {
    m_next = 0;
    m_failed = false;
    m_over = false;
    Schedule();
    // Nested event loops run inside; this one ends once every step ran or a
    // failure closed what was open.
    while (!m_over) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return !m_failed;
}
