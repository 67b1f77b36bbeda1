#include "ui/WindowPlacement.h"

#include <QAbstractPrintDialog>
#include <QEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLayout>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace {

const QString kGroup = QStringLiteral("ferestre/");
// Set on a window whose inside, not its frame, was placed last.
const char* const kInsidePlaced = "placementInsidePlaced";

// Moves `frame` into `room` as far as its size allows, its top-left corner last.
QRect MovedInside(QRect frame, const QRect& room) {
    if (frame.right() > room.right()) frame.moveRight(room.right());
    if (frame.bottom() > room.bottom()) frame.moveBottom(room.bottom());
    if (frame.left() < room.left()) frame.moveLeft(room.left());
    if (frame.top() < room.top()) frame.moveTop(room.top());
    return frame;
}

bool Accepts(const QRect& frame, const QSize& minimum) {
    return frame.width() >= minimum.width() && frame.height() >= minimum.height();
}

// Off the title bar: below it, beside it, or made shorter or narrower to fit there.
QRect OffTitleBar(const QRect& frame, const QSize& minimum, const PlacementArea& area) {
    const QRect& room = area.available;
    const int below = area.titleBar.bottom() + 1;
    const int beside = area.titleBar.right() + 1;
    QRect moved = frame;
    moved.moveTop(below);
    if (moved.bottom() <= room.bottom()) return moved;
    moved = frame;
    moved.moveLeft(beside);
    if (moved.right() <= room.right()) return moved;
    QRect shorter(frame.left(), below, frame.width(), room.bottom() - below + 1);
    if (Accepts(shorter, minimum)) return shorter;
    QRect narrower(beside, frame.top(), room.right() - beside + 1, frame.height());
    if (Accepts(narrower, minimum)) return narrower;
    // Nothing smaller is accepted: on the screen at least.
    return frame;
}

}  // namespace

QRect PlaceFrame(const QRect& wanted, const QSize& minimum, const PlacementArea& area) {
    const QRect& room = area.available;
    if (room.isEmpty()) return wanted;
    QRect frame(wanted.topLeft(), wanted.size().boundedTo(room.size()).expandedTo(minimum));
    frame = MovedInside(frame, room);
    // A window beside the main window (a docked panel) that runs off the
    // screen is narrowed where it stands, not pushed over the main window.
    if (area.mainFrame.isValid() && !wanted.intersects(area.mainFrame) &&
        frame.intersects(area.mainFrame) && room.contains(wanted.topLeft())) {
        const QRect narrowed = wanted.intersected(room);
        if (Accepts(narrowed, minimum)) frame = narrowed;
    }
    if (area.titleBar.isValid() && frame.intersects(area.titleBar))
        frame = OffTitleBar(frame, minimum, area);
    return frame;
}

bool FrameFits(const QRect& remembered, const QSize& minimum, const QSize& maximum,
               const PlacementArea& area) {
    if (!remembered.isValid() || !area.available.contains(remembered)) return false;
    if (area.titleBar.isValid() && remembered.intersects(area.titleBar)) return false;
    return Accepts(remembered, minimum) && remembered.width() <= maximum.width() &&
           remembered.height() <= maximum.height();
}

WindowPlacement::WindowPlacement(QSettings* settings, QObject* parent)
    : QObject(parent), m_settings(settings) {}

QMargins WindowPlacement::FrameMarginsOf(const QWidget* window) const {
    const auto margins = [](const QWidget* w) {
        const QRect frame = w->frameGeometry();
        const QRect inner = w->geometry();
        return QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                        frame.right() - inner.right(), frame.bottom() - inner.bottom());
    };
    const QMargins own = margins(window);
    if (!own.isNull() || !m_mainWindow || m_mainWindow == window || !m_mainWindow->isVisible())
        return own;
    return margins(m_mainWindow);
}

PlacementArea WindowPlacement::AreaFor(const QWidget* window) const {
    PlacementArea area;
    const QScreen* screen = window->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (screen) area.available = screen->availableGeometry();
    if (m_mainWindow && m_mainWindow != window && m_mainWindow->isVisible()) {
        area.mainFrame = m_mainWindow->frameGeometry();
        const int titleHeight = m_mainWindow->geometry().top() - area.mainFrame.top();
        if (titleHeight > 0)
            area.titleBar =
                QRect(area.mainFrame.topLeft(), QSize(area.mainFrame.width(), titleHeight));
    }
    return area;
}

// Top-level windows and dialogs; not menus, tooltips or completion lists.
bool WindowPlacement::Handled(const QWidget* window) {
    if (!window->isWindow()) return false;
    const Qt::WindowType type = window->windowType();
    return type == Qt::Window || type == Qt::Dialog;
}

bool WindowPlacement::Remembers(const QWidget* window) {
    if (window->objectName().isEmpty()) return false;
    return !qobject_cast<const QMessageBox*>(window) && !qobject_cast<const QFileDialog*>(window) &&
           !qobject_cast<const QAbstractPrintDialog*>(window) &&
           !qobject_cast<const QPageSetupDialog*>(window);
}

QRect WindowPlacement::Remembered(const QWidget* window) const {
    const QString key = kGroup + window->objectName();
    if (m_settings) return m_settings->value(key).toRect();
    return m_kept.value(key);
}

void WindowPlacement::Remember(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    // A window closing while it slides shut, or never laid out, says nothing.
    if (!Accepts(window->geometry(), window->minimumSize()) || frame.width() < 10 ||
        frame.height() < 10)
        return;
    const QString key = kGroup + window->objectName();
    if (m_settings)
        m_settings->setValue(key, frame);
    else
        m_kept.insert(key, frame);
}

// Before the window manager has framed a window, its position is where its
// frame is to go (move() places frames) and its frame is estimated.
QRect WindowPlacement::FrameOf(const QWidget* window, const QMargins& margins) {
    const QRect frame = window->frameGeometry();
    if (frame != window->geometry()) return frame;
    // Placed here by its inside (below): the frame goes around it.
    if (window->property(kInsidePlaced).toBool()) return window->geometry().marginsAdded(margins);
    return QRect(window->pos(), window->size().grownBy(margins));
}

// By the frame. Before the window manager has framed it, a window placed by
// move() would have its inside put where the frame was meant to go, a title
// bar higher at every start: its inside is placed instead.
void WindowPlacement::SetFrame(QWidget* window, const QRect& frame, const QMargins& margins) {
    if (window->frameGeometry() == window->geometry()) {
        window->setGeometry(frame.marginsRemoved(margins));
        window->setProperty(kInsidePlaced, true);
        return;
    }
    window->setProperty(kInsidePlaced, false);
    window->move(frame.topLeft());
    window->resize(frame.size().shrunkBy(margins));
}

QSize WindowPlacement::FrameMinimum(const QWidget* window, const QMargins& margins) {
    QSize minimum = window->minimumSize();
    if (const QLayout* layout = window->layout())
        minimum = minimum.expandedTo(layout->totalMinimumSize());
    return minimum.grownBy(margins);
}

void WindowPlacement::Place(QWidget* window) {
    const PlacementArea area = AreaFor(window);
    if (area.available.isEmpty()) return;
    const QMargins margins = FrameMarginsOf(window);
    const QSize minimum = FrameMinimum(window, margins);
    const QRect current = FrameOf(window, margins);
    QRect frame = PlaceFrame(current, minimum, area);
    const QRect remembered = Remembers(window) ? Remembered(window) : QRect();
    // Judged on the screen it was on: another screen may have gone since.
    if (const QScreen* there =
            remembered.isValid() ? QGuiApplication::screenAt(remembered.center()) : nullptr) {
        PlacementArea thereArea = area;
        thereArea.available = there->availableGeometry();
        if (FrameFits(remembered, minimum, window->maximumSize().grownBy(margins), thereArea))
            frame = remembered;
    }
    if (frame != current) SetFrame(window, frame, margins);
}

void WindowPlacement::KeepInside(QWidget* window) {
    if (!window->isVisible()) return;
    const PlacementArea area = AreaFor(window);
    const QMargins margins = FrameMarginsOf(window);
    const QRect frame = FrameOf(window, margins);
    if (area.available.isEmpty() || (area.available.contains(frame) &&
                                     !(area.titleBar.isValid() && frame.intersects(area.titleBar))))
        return;
    SetFrame(window, PlaceFrame(frame, FrameMinimum(window, margins), area), margins);
}

// A docked window stands where its owner put it; it gets back the size the
// user gave it (or only the width), as far as the screen beside it allows.
void WindowPlacement::RestoreDockedSize(QWidget* window) {
    const PlacementArea area = AreaFor(window);
    if (area.available.isEmpty() || !window->isVisible()) return;
    const QMargins margins = FrameMarginsOf(window);
    const QRect current = FrameOf(window, margins);
    QSize size = current.size();
    const QRect remembered = Remembers(window) ? Remembered(window) : QRect();
    if (remembered.isValid()) {
        size.setWidth(remembered.width());
        if (window->property(kDockedProperty).toString() == kDockedSize)
            size.setHeight(remembered.height());
    }
    const QSize room(area.available.right() - current.left() + 1,
                     area.available.bottom() - current.top() + 1);
    size = size.boundedTo(room)
               .expandedTo(FrameMinimum(window, margins))
               .boundedTo(window->maximumSize().grownBy(margins));
    // Its title bar stays on the screen.
    const QRect frame(current.left(), std::max(current.top(), area.available.top()), size.width(),
                      size.height());
    if (frame != current) SetFrame(window, frame, margins);
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::Show && type != QEvent::Hide) || event->spontaneous() ||
        !watched->isWidgetType())
        return false;
    auto* window = static_cast<QWidget*>(watched);
    if (!Handled(window)) return false;
    const QString docked = window->property(kDockedProperty).toString();
    // The window may outlive this filter (tests): the later steps check it is still there.
    const QPointer<WindowPlacement> self(this);
    if (type == QEvent::Hide) {
        if (Remembers(window)) Remember(window);
    } else if (docked.isEmpty()) {
        Place(window);
        // Some windows size themselves as they show (message boxes): once more after that.
        QTimer::singleShot(0, window, [self, window] {
            if (self) self->KeepInside(window);
        });
    } else {
        // Its owner places it after showing it (a panel slides open).
        QTimer::singleShot(0, window, [self, window] {
            if (self) self->RestoreDockedSize(window);
        });
    }
    return false;
}
