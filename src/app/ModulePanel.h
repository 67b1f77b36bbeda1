#pragma once
#include <QDialog>

// Base of the three module panels: a modeless window docked at the right edge
// of the main window, sliding open and shut, following it when it moves.
// Escape or its cancel button asks the main window to leave.
class ModulePanel : public QDialog {
    Q_OBJECT
public:
    ModulePanel(QWidget* mainWindow, const QString& caption, QSize designedSize);

    // The module's own window, shown inside the panel.
    void SetContent(QWidget* content);
    void SetStepDelay(int ms) { m_stepDelayMs = ms; }
    void SetFullHeight(bool fullHeight);
    bool IsOpen() const { return m_open; }

    void SlideOpen();
    void SlideShut();
    void Follow();
    // The keyboard goes to the panel once it is open: its first list, with a
    // row selected when it has rows, so the module's keys work at once.
    void TakeFocus();

signals:
    // The panel's cancel: the main window runs its leave procedure.
    void LeaveRequested();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    QRect DockedRect(int extent) const;
    void Place(const QRect& rect);
    void Pause() const;

    QWidget* m_mainWindow;
    QSize m_designedSize;
    bool m_open = false;
    bool m_fullHeight = true;
    int m_stepDelayMs = 12;
};
