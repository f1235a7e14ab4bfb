#include "pages/ProtectionImage.h"

#include <QPainter>
#include <QPainterPath>

namespace tarvoss {

QPixmap DrawProtectionImage(bool enabled) {
    QPixmap image(kProtectionImageSize, kProtectionImageSize);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // The shield: flat top, sides curving down to a point.
    QPainterPath shield;
    shield.moveTo(24, 3);
    shield.lineTo(42, 9);
    shield.cubicTo(42, 28, 35, 38, 24, 45);
    shield.cubicTo(13, 38, 6, 28, 6, 9);
    shield.closeSubpath();
    const QColor face = enabled ? QColor(46, 139, 87) : QColor(150, 150, 150);
    painter.setPen(QPen(face.darker(160), 2));
    painter.setBrush(face);
    painter.drawPath(shield);

    painter.setBrush(Qt::NoBrush);
    if (enabled) {
        painter.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygon({QPoint(15, 23), QPoint(22, 30), QPoint(33, 16)}));
    } else {
        painter.setPen(QPen(QColor(200, 30, 30), 4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(16, 15, 32, 31);
        painter.drawLine(32, 15, 16, 31);
    }
    return image;
}

}  // namespace tarvoss
