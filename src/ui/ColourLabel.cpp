#include "ui/ColourLabel.h"

#include <QContextMenuEvent>
#include <QPainter>

#include "ui/TextCodec.h"

ColourLabel::ColourLabel(QWidget* parent) : QLabel(parent) {
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

void ColourLabel::SetLabelText(const std::string& text) {
    setText(ToQt(text));
}

void ColourLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_backColour);
    painter.setPen(m_textColour);
    painter.drawText(contentsRect().adjusted(margin(), 0, -margin(), 0),
                     static_cast<int>(alignment()) | Qt::TextSingleLine, text());
}

void ColourLabel::contextMenuEvent(QContextMenuEvent* event) {
    if (!m_popupMenu) {
        event->ignore();
        return;
    }
    m_popupMenu->exec(event->globalPos());
}
