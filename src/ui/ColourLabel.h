#pragma once
#include <QColor>
#include <QMenu>
#include <QPointer>

#include "ui/ElidedLabel.h"

// A text field whose text and background colours the form sets: the current
// company and the state of a record are shown in it. A long text is cut with
// "…" and shown whole as the tooltip.
class ColourLabel : public ElidedLabel {
    Q_OBJECT
public:
    explicit ColourLabel(QWidget* parent = nullptr);

    void SetTextColour(const QColor& colour);
    void SetBackColour(const QColor& colour);
    void SetPopupMenu(QMenu* menu) { m_popupMenu = menu; }
    QColor TextColour() const { return m_textColour; }
    QColor BackColour() const { return m_backColour; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QColor m_textColour{0, 249, 126};
    QColor m_backColour{0, 0, 0};
    QPointer<QMenu> m_popupMenu;
};
