#include "shell/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace icons {
namespace {

const QColor kInk(0x30, 0x30, 0x30);
const QColor kRed(0xB0, 0x10, 0x10);
const QColor kGreen(0x20, 0x90, 0x30);
const QColor kBlue(0x28, 0x5A, 0xB4);

void Sheet(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 9, 13));
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
    p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot((to - from).x(), (to - from).y());
    const QPointF n(-d.y(), d.x());
    p.drawLine(to, to - 3 * d + 2.5 * n);
    p.drawLine(to, to - 3 * d - 2.5 * n);
}

// A racing car seen from above: the program's own mark.
void Car(QPainter& p, const QColor& body) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (QRectF wheel : {QRectF(2, 2, 3, 4), QRectF(11, 2, 3, 4), QRectF(2, 10, 3, 4), QRectF(11, 10, 3, 4)}) {
        p.drawRect(wheel);
    }
    p.setBrush(body);
    p.drawRoundedRect(QRectF(5, 1, 6, 14), 2, 2);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(6.5, 6, 3, 3));
}

} // namespace

QIcon Drawn(const std::function<void(QPainter&)>& draw, bool sameWhenDisabled) {
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing, size > 16);
        painter.scale(size / 16.0, size / 16.0);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap, QIcon::Normal);
        if (sameWhenDisabled) {
            icon.addPixmap(pixmap, QIcon::Disabled);
        }
    }
    return icon;
}

QIcon Program(bool titled) {
    return Drawn([titled](QPainter& p) { Car(p, titled ? kRed : kBlue); });
}

void PaintMark(QPainter& painter, const QRectF& area, const QColor& body) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(area.topLeft());
    painter.scale(area.width() / 16.0, area.height() / 16.0);
    Car(painter, body);
    painter.restore();
}

QIcon New() {
    return Drawn([](QPainter& p) {
        Sheet(p);
        p.setPen(QPen(kGreen, 2));
        p.drawLine(QPointF(11, 10), QPointF(11, 15));
        p.drawLine(QPointF(8.5, 12.5), QPointF(13.5, 12.5));
    });
}

QIcon Open() {
    return Drawn([](QPainter& p) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0xF0, 0xC8, 0x50));
        p.drawRect(QRectF(1.5, 4.5, 13, 9));
        p.setBrush(QColor(0xF8, 0xDC, 0x78));
        QPainterPath lid;
        lid.moveTo(1.5, 13.5);
        lid.lineTo(4, 7.5);
        lid.lineTo(15.5, 7.5);
        lid.lineTo(14.5, 13.5);
        lid.closeSubpath();
        p.drawPath(lid);
    });
}

QIcon Save() {
    return Drawn([](QPainter& p) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(kBlue);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(0xD0, 0xD0, 0xD0));
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
    });
}

QIcon Import() {
    return Drawn([](QPainter& p) {
        Car(p, QColor(0xA0, 0xA0, 0xA0));
        Arrow(p, QPointF(15, 3), QPointF(7, 11), kGreen);
    });
}

QIcon Export() {
    return Drawn([](QPainter& p) {
        Car(p, QColor(0xA0, 0xA0, 0xA0));
        Arrow(p, QPointF(7, 11), QPointF(15, 3), kRed);
    });
}

QIcon Launch() {
    return Drawn([](QPainter& p) {
        p.setPen(Qt::NoPen);
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 4; ++column) {
                p.setBrush((row + column) % 2 == 0 ? kInk : Qt::white);
                p.drawRect(QRectF(4 + 2.5 * column, 2 + 2.5 * row, 2.5, 2.5));
            }
        }
        p.setPen(QPen(kInk, 1.5));
        p.drawLine(QPointF(3.5, 1.5), QPointF(3.5, 15));
    });
}

QIcon Help() {
    return Drawn([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(1, 1, 14, 14));
        p.setPen(Qt::white);
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(11);
        p.setFont(font);
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, u"?"_s);
    });
}

QIcon Exit() {
    return Drawn([](QPainter& p) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0xE0, 0xE0, 0xE0));
        p.drawRect(QRectF(2.5, 1.5, 8, 13));
        Arrow(p, QPointF(7, 8), QPointF(15, 8), kRed);
    });
}

// A curved arrow turning back (undo) or forward (redo).
static void TurnArrow(QPainter& p, bool forward) {
    if (forward) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    p.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path(QPointF(4, 6));
    path.cubicTo(QPointF(9, 1.5), QPointF(15, 5), QPointF(13, 10));
    path.cubicTo(QPointF(12, 13), QPointF(9, 14), QPointF(7, 14));
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({QPointF(1, 7.5), QPointF(6.5, 2.5), QPointF(7, 9)}));
}

QIcon Undo() {
    return Drawn([](QPainter& p) { TurnArrow(p, false); });
}

QIcon Redo() {
    return Drawn([](QPainter& p) { TurnArrow(p, true); });
}

} // namespace icons

} // namespace tavolex::editor
