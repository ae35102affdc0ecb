#include "TexelorIcon.h"

#include <QPainter>
#include <QPixmap>

namespace texelor {

namespace {

QPixmap DrawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, size > 16);
    const qreal s = size / 16.0;
    // A sheet of four tiles in the colours of a livery.
    const QColor tiles[] = {QColor(0xC0, 0x15, 0x1C), QColor(0xF1, 0xDB, 0x1C), QColor(0x29, 0x3C, 0x85),
                            QColor(0xEC, 0xEC, 0xEC)};
    for (int i = 0; i < 4; ++i) {
        painter.fillRect(QRectF((1 + (i % 2) * 6) * s, (1 + (i / 2) * 6) * s, 6 * s, 6 * s), tiles[i]);
    }
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), std::max(1.0, s * 0.75)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(1 * s, 1 * s, 12 * s, 12 * s));
    // The magnifier over the lower right corner.
    painter.setBrush(QColor(255, 255, 255, 170));
    painter.drawEllipse(QRectF(7 * s, 7 * s, 6 * s, 6 * s));
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), std::max(1.5, s * 1.5), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(12.5 * s, 12.5 * s), QPointF(15 * s, 15 * s));
    return pixmap;
}

} // namespace

QIcon TexelorIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(DrawIcon(size));
    }
    return icon;
}

} // namespace texelor
