#include "app/AppPictures.h"

#include <QPainter>
#include <QPainterPath>

namespace {
const QColor kBlue(30, 70, 150);
}

QPixmap AppPicture(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(kBlue);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(QPointF(0, 0), size), 8, 8);
    p.setPen(Qt::white);
    QFont font("Arial");
    font.setBold(true);
    font.setPixelSize(size.height() / 3);
    p.setFont(font);
    p.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, "Orvik\nAsigurati");
    return pixmap;
}

QIcon AppIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(kBlue);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0, 0, 32, 32), 6, 6);
    p.setPen(Qt::white);
    QFont font("Arial");
    font.setBold(true);
    font.setPixelSize(16);
    p.setFont(font);
    p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, "OA");
    return QIcon(pixmap);
}

QPixmap MarkPicture(bool lit) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (lit) {
        QPainterPath arrow;
        arrow.moveTo(4, 2);
        arrow.lineTo(13, 8);
        arrow.lineTo(4, 14);
        arrow.closeSubpath();
        p.fillPath(arrow, QColor(0, 150, 0));
    } else {
        p.setBrush(QColor(190, 190, 190));
        p.setPen(QColor(150, 150, 150));
        p.drawEllipse(QRectF(4.5, 4.5, 7, 7));
    }
    return pixmap;
}
