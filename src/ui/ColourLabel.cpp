#include "ui/ColourLabel.h"

#include <QContextMenuEvent>
#include <QPainter>

ColourLabel::ColourLabel(QWidget* parent) : ElidedLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setMargin(2);
}

void ColourLabel::SetTextColour(const QColor& colour) {
    m_textColour = colour;
    update();
}

void ColourLabel::SetBackColour(const QColor& colour) {
    m_backColour = colour;
    update();
}

void ColourLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_backColour);
    painter.setPen(m_textColour);
    painter.drawText(TextRect(), static_cast<int>(alignment()) | Qt::TextSingleLine, ElidedText());
}

void ColourLabel::contextMenuEvent(QContextMenuEvent* event) {
    if (!m_popupMenu) {
        event->ignore();
        return;
    }
    m_popupMenu->exec(event->globalPos());
}
