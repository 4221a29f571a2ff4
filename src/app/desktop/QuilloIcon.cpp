#include "app/desktop/QuilloIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace qw::desktop {

QIcon quilloIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 64.0, size / 64.0);
        painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 2));
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(QRectF(6, 4, 42, 54), 3, 3);
        painter.setPen(QPen(QColor(0, 0, 0x80), 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(13, 16, 36, 16);
        painter.drawLine(13, 25, 30, 25);
        painter.drawLine(13, 34, 33, 34);
        QPainterPath pencil;
        pencil.moveTo(58, 8);
        pencil.lineTo(30, 44);
        pencil.lineTo(26, 52);
        pencil.lineTo(34, 47);
        pencil.lineTo(62, 12);
        pencil.closeSubpath();
        painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(QColor(0xFF, 0xD8, 0x00));
        painter.drawPath(pencil);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace qw::desktop
