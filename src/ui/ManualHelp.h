#pragma once
#include <QObject>
#include <QString>

#include <span>

class QWidget;

// Which chapter of the manual belongs to which window: a window's
// objectName (or, for windows without one, its class name) and the page and
// anchor F1 opens there. The one table of the program.
struct ManualChapter {
    const char* window;
    const char* place;  // "page.html#anchor"
};
std::span<const ManualChapter> ManualChapters();

// The place F1 opens for a widget: the first of it and its parents the table
// names; the contents page when none is named.
QString ManualPlaceFor(const QWidget* widget);

// F1 in any window of the program opens the manual at that window's
// chapter. Installed once on the application.
class ManualHelp : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
