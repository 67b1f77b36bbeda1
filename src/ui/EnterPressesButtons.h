#pragma once
#include <QObject>

// Enter on a focused push button presses it, in every window, as Space does.
// Without this a dialog would press its default button instead, and a window
// that is not a dialog would do nothing. Installed once on the application.
class EnterPressesButtons : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
