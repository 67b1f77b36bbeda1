#include "app/ModulePanel.h"

#include <QCloseEvent>
#include <QThread>
#include <QVBoxLayout>

#include "ui/DataListView.h"
#include "ui/WindowPlacement.h"

ModulePanel::ModulePanel(QWidget* mainWindow, const QString& caption, QSize designedSize)
    : QDialog(mainWindow, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      m_mainWindow(mainWindow),
      m_designedSize(designedSize) {
    setWindowTitle(caption);
    setModal(false);
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(designedSize);
    // Docked: it stands where it is put, and gets back the size the user gave it.
    SetFullHeight(m_fullHeight);
}

void ModulePanel::SetFullHeight(bool fullHeight) {
    m_fullHeight = fullHeight;
    // A full-height panel's height is the main window's, never its own.
    setProperty(WindowPlacement::kDockedProperty,
                fullHeight ? WindowPlacement::kDockedWidth : WindowPlacement::kDockedSize);
}

void ModulePanel::SetContent(QWidget* content) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}

// The docking rectangle with the width at `extent`.
QRect ModulePanel::DockedRect(int extent) const {
    const QRect parent = m_mainWindow->frameGeometry();
    const int height = m_fullHeight ? m_mainWindow->height() : m_designedSize.height();
    return QRect(parent.right() + 1, parent.top(), extent, height);
}

// Top-level windows are placed by their frame and sized by their client area.
void ModulePanel::Place(const QRect& rect) {
    move(rect.topLeft());
    resize(rect.size());
}

void ModulePanel::Pause() const {
    if (m_stepDelayMs > 0) QThread::msleep(static_cast<unsigned long>(m_stepDelayMs));
}

void ModulePanel::SlideOpen() {
    const int full = m_designedSize.width();
    // Designed sizes are multiples of 10, so the last step is the full size.
    for (int extent = 0; extent <= full; extent += 10) {
        Pause();
        Place(DockedRect(extent));
        if (extent == 0) show();
    }
    m_open = true;
}

void ModulePanel::SlideShut() {
    const QSize own = size();
    const int full = own.width();
    for (int amount = 0; amount <= full && m_stepDelayMs > 0; amount += 10) {
        Pause();
        resize(full - amount, own.height());
    }
    hide();
    m_open = false;
}

void ModulePanel::Follow() {
    // It keeps its own size: the user or the screen may have changed it.
    QRect docked = DockedRect(width());
    if (!m_fullHeight) docked.setHeight(height());
    Place(docked);
    raise();
    show();
}

void ModulePanel::TakeFocus() {
    if (!isVisible()) return;
    activateWindow();
    // The company list leads where there is one: the rest follows its row.
    auto* list = findChild<DataListView*>("companyList");
    if (!list) list = findChild<DataListView*>();
    if (!list) return;
    // A list that already shows a selection (the company used last) keeps it.
    if (list->RowCount() > 0 && list->NextSelectedRow(-1) < 0) list->SelectRow(0, true);
    list->setFocus(Qt::OtherFocusReason);
}

void ModulePanel::reject() {
    emit LeaveRequested();
}

void ModulePanel::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit LeaveRequested();
}
