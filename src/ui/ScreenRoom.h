#pragma once
#include <QSize>

class QWidget;

// Windows that size themselves after their contents (a list of many columns,
// a page of A4) ask here how much of the screen they may take, so they fit a
// 1024x768 screen as well as a large one.

// The client area `window` can have on its screen: the screen's available
// area (the desktop's panels left out) less the window's frame. Before the
// window was first shown its frame is not known; a title bar and borders of
// the usual size are allowed for.
QSize ScreenRoom(const QWidget* window);

// Resizes `window` to `wanted`, bounded by its room, never below its minimum size.
void ResizeWithinScreen(QWidget* window, QSize wanted);
