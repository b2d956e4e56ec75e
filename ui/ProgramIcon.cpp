#include "ui/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace tb::ui {

// A logger face: a rounded body, a display and a trim line crossing it.
QPixmap ProgramIconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 32.0;
    painter.setPen(QPen(QColor(20, 60, 110), unit));
    painter.setBrush(QColor(46, 110, 180));
    painter.drawRoundedRect(QRectF(2 * unit, 2 * unit, 28 * unit, 28 * unit), 5 * unit, 5 * unit);
    painter.setBrush(QColor(225, 240, 225));
    painter.drawRect(QRectF(6 * unit, 6 * unit, 20 * unit, 12 * unit));
    QPainterPath line;
    line.moveTo(7 * unit, 16 * unit);
    line.lineTo(25 * unit, 8 * unit);
    painter.setPen(QPen(QColor(200, 40, 40), 2 * unit));
    painter.drawPath(line);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(240, 200, 60));
    painter.drawEllipse(QRectF(11 * unit, 21 * unit, 4 * unit, 4 * unit));
    painter.drawEllipse(QRectF(17 * unit, 21 * unit, 4 * unit, 4 * unit));
    return pixmap;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) icon.addPixmap(ProgramIconPixmap(size));
    return icon;
}

}  // namespace tb::ui
