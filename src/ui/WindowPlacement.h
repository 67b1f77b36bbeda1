#pragma once
#include <QHash>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>

class QSettings;
class QWidget;

// Where windows may go on the screen. Rectangles are window frames, title
// bar included.
struct PlacementArea {
    QRect available;  // the screen less its panels and task bars
    QRect titleBar;   // the main window's title bar: never covered (empty when unknown)
    QRect mainFrame;  // the whole main window (empty for the main window itself)
};

// Where a window whose frame asks for `wanted` is shown: inside the area,
// no larger than it (but never below `minimum`), off the main window's title
// bar. A window that stood clear of the main window is narrowed where it
// stands rather than pushed over it.
QRect PlaceFrame(const QRect& wanted, const QSize& minimum, const PlacementArea& area);

// Whether a frame remembered from an earlier start can be used as it is: on
// the screen, off the title bar, and a size the window still accepts.
bool FrameFits(const QRect& remembered, const QSize& minimum, const QSize& maximum,
               const PlacementArea& area);

// Every top-level window and dialog of the program is placed inside the
// screen when it is shown, and shown again where the user left it at the
// last start, when that still fits. Installed once on the application;
// windows are known by their objectName. Message boxes and Qt's own file and
// print dialogs are placed but not remembered.
class WindowPlacement : public QObject {
    Q_OBJECT
public:
    // Positions and sizes are kept in `settings` between starts; without
    // them (tests) only while the program runs.
    explicit WindowPlacement(QSettings* settings, QObject* parent = nullptr);

    // The window whose title bar stays uncovered.
    void SetMainWindow(QWidget* mainWindow) { m_mainWindow = mainWindow; }

    // Windows docked beside the main window (the module panels) keep the
    // place their owner gives them and get back only their size: they carry
    // this property, kDockedSize or kDockedWidth (a height set by the owner).
    static constexpr const char* kDockedProperty = "placementDocked";
    static constexpr const char* kDockedSize = "size";
    static constexpr const char* kDockedWidth = "width";

    // The area a window is placed in on the screen it is shown on.
    PlacementArea AreaFor(const QWidget* window) const;
    // A window's frame less its title bar and borders; before its first
    // showing they are unknown and the main window's stand in for them.
    QMargins FrameMarginsOf(const QWidget* window) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place(QWidget* window);
    void KeepInside(QWidget* window);
    void RestoreDockedSize(QWidget* window);
    void Remember(const QWidget* window);
    QRect Remembered(const QWidget* window) const;
    static QRect FrameOf(const QWidget* window, const QMargins& margins);
    static void SetFrame(QWidget* window, const QRect& frame, const QMargins& margins);
    static QSize FrameMinimum(const QWidget* window, const QMargins& margins);
    static bool Handled(const QWidget* window);
    static bool Remembers(const QWidget* window);

    QSettings* m_settings;
    QPointer<QWidget> m_mainWindow;
    // Without settings: what was remembered in this run.
    QHash<QString, QRect> m_kept;
};
