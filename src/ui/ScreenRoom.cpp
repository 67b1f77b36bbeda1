#include "ui/ScreenRoom.h"

#include <QScreen>
#include <QWidget>

namespace {

// A title bar and borders as the common desktops draw them.
constexpr QSize kUsualFrame(16, 40);

}  // namespace

QSize ScreenRoom(const QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen) return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QSize frame =
        window->isVisible() ? window->frameGeometry().size() - window->geometry().size() : QSize();
    const QSize allowance = frame.isValid() && !frame.isNull() ? frame : kUsualFrame;
    return screen->availableGeometry().size() - allowance;
}

void ResizeWithinScreen(QWidget* window, QSize wanted) {
    window->resize(wanted.boundedTo(ScreenRoom(window)).expandedTo(window->minimumSizeHint()));
}
