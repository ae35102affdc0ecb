#include "shell/AidIcons.h"
#include "shell/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>
#include <cmath>
#include <functional>

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace icons {
namespace {

// The colours of one state: bright, or all grey and faded for a dimmed icon.
struct Inks {
    QColor ink, red, green, blue, yellow, metal, light;
};
const Inks kBright = {QColor(0x30, 0x30, 0x30), QColor(0xC8, 0x18, 0x18), QColor(0x20, 0x98, 0x30),
                      QColor(0x28, 0x5A, 0xB4), QColor(0xF0, 0xC0, 0x20), QColor(0x98, 0x98, 0xA0),
                      QColor(0xFF, 0xFF, 0xFF)};
const Inks kDimmed = {QColor(0xA8, 0xA8, 0xA8), QColor(0xC0, 0xC0, 0xC0), QColor(0xC0, 0xC0, 0xC0),
                      QColor(0xB8, 0xB8, 0xB8), QColor(0xD4, 0xD4, 0xD4), QColor(0xCC, 0xCC, 0xCC),
                      QColor(0xF0, 0xF0, 0xF0)};

using Draw = std::function<void(QPainter&, const Inks&)>;

QPen Line(const QColor& colour, qreal width) { return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

// A brake disc with its calliper.
void Brakes(QPainter& p, const Inks& c) {
    p.setPen(Line(c.ink, 1));
    p.setBrush(c.metal);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(c.light);
    p.drawEllipse(QRectF(5.5, 5.5, 5, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(c.ink);
    for (int hole = 0; hole < 6; ++hole) {
        const double a = hole * M_PI / 3;
        p.drawEllipse(QPointF(8 + 4.6 * std::cos(a), 8 + 4.6 * std::sin(a)), 0.7, 0.7);
    }
    p.setPen(Line(c.ink, 1));
    p.setBrush(c.red);
    p.drawRoundedRect(QRectF(10.5, 2.5, 4, 7), 1.5, 1.5);
}

// A gear lever in its gate.
void Gears(QPainter& p, const Inks& c) {
    p.setPen(Line(c.ink, 1.4));
    p.drawLine(QPointF(3, 4), QPointF(3, 12));
    p.drawLine(QPointF(8, 4), QPointF(8, 12));
    p.drawLine(QPointF(13, 4), QPointF(13, 12));
    p.drawLine(QPointF(3, 8), QPointF(13, 8));
    p.setPen(Line(c.ink, 1));
    p.setBrush(c.blue);
    p.drawEllipse(QRectF(5.5, 1.5, 5, 5));
    p.setPen(Line(c.light, 1));
    p.drawLine(QPointF(8, 3), QPointF(8, 5));
}

// A car turned back onto the track by a curved arrow.
void RightTheCar(QPainter& p, const Inks& c) {
    p.save();
    p.translate(8, 9);
    p.rotate(-35);
    p.setPen(Qt::NoPen);
    p.setBrush(c.ink);
    p.drawRect(QRectF(-4.5, -4, 2, 2.5));
    p.drawRect(QRectF(2.5, -4, 2, 2.5));
    p.drawRect(QRectF(-4.5, 2, 2, 2.5));
    p.drawRect(QRectF(2.5, 2, 2, 2.5));
    p.setBrush(c.red);
    p.drawRoundedRect(QRectF(-2.5, -5.5, 5, 11), 1.5, 1.5);
    p.restore();
    p.setPen(Line(c.green, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(1.5, 1.5, 13, 13), 30 * 16, 120 * 16);
    p.setBrush(c.green);
    p.setPen(Qt::NoPen);
    QPainterPath head;
    head.moveTo(14.8, 2.2);
    head.lineTo(14.6, 7.2);
    head.lineTo(10.6, 4.6);
    head.closeSubpath();
    p.drawPath(head);
}

// A shield.
void Indestructible(QPainter& p, const Inks& c) {
    QPainterPath shield;
    shield.moveTo(8, 1.5);
    shield.lineTo(14, 3.5);
    shield.cubicTo(14, 9.5, 11.5, 12.5, 8, 14.5);
    shield.cubicTo(4.5, 12.5, 2, 9.5, 2, 3.5);
    shield.closeSubpath();
    p.setPen(Line(c.ink, 1));
    p.setBrush(c.blue);
    p.drawPath(shield);
    p.setPen(Line(c.light, 1.6));
    p.drawLine(QPointF(5.5, 8), QPointF(7.5, 10));
    p.drawLine(QPointF(7.5, 10), QPointF(11, 5.5));
}

// A road with the racing line through its bend.
void BestLine(QPainter& p, const Inks& c) {
    QPainterPath road;
    road.moveTo(2, 15);
    road.cubicTo(2, 6, 6, 2, 15, 2);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c.metal, 6, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(road);
    QPainterPath line;
    line.moveTo(5, 15);
    line.cubicTo(1, 7, 7, 1, 15, 4.5);
    p.setPen(QPen(c.red, 1.4, Qt::DashLine, Qt::FlatCap));
    p.drawPath(line);
}

// The dashboard's gear display with an arrow towards the next gear.
void SuggestedGear(QPainter& p, const Inks& c) {
    p.setPen(Line(c.ink, 1));
    p.setBrush(c.ink);
    p.drawRoundedRect(QRectF(1.5, 2.5, 9, 11), 1.5, 1.5);
    p.setPen(c.yellow);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(10);
    p.setFont(font);
    p.drawText(QRectF(1.5, 2.5, 9, 11), Qt::AlignCenter, u"4"_s);
    p.setPen(Qt::NoPen);
    p.setBrush(c.green);
    QPainterPath arrow;
    arrow.moveTo(13.5, 3);
    arrow.lineTo(16, 7);
    arrow.lineTo(14.3, 7);
    arrow.lineTo(14.3, 13);
    arrow.lineTo(12.7, 13);
    arrow.lineTo(12.7, 7);
    arrow.lineTo(11, 7);
    arrow.closeSubpath();
    p.drawPath(arrow);
}

// The throttle pedal.
void Throttle(QPainter& p, const Inks& c) {
    p.setPen(Line(c.ink, 1));
    p.setBrush(c.metal);
    p.drawRoundedRect(QRectF(5.5, 1.5, 6, 11), 1.5, 1.5);
    p.setPen(Line(c.ink, 0.8));
    for (double y : {4.0, 6.5, 9.0}) p.drawLine(QPointF(7, y), QPointF(10, y));
    p.setPen(Line(c.ink, 1.4));
    p.drawLine(QPointF(8.5, 12.5), QPointF(8.5, 14.5));
    p.drawLine(QPointF(4, 14.5), QPointF(13, 14.5));
    p.setPen(Line(c.green, 1.4));
    p.drawLine(QPointF(2.5, 3), QPointF(2.5, 9));
    p.drawLine(QPointF(2.5, 9), QPointF(1, 7.2));
    p.drawLine(QPointF(2.5, 9), QPointF(4, 7.2));
}

// A steering wheel.
void Steering(QPainter& p, const Inks& c) {
    p.setBrush(Qt::NoBrush);
    p.setPen(Line(c.ink, 2));
    p.drawEllipse(QRectF(2, 2, 12, 12));
    p.setPen(Line(c.ink, 1.6));
    p.drawLine(QPointF(3, 8), QPointF(13, 8));
    p.drawLine(QPointF(8, 8), QPointF(8, 13));
    p.setPen(Line(c.ink, 1));
    p.setBrush(c.yellow);
    p.drawEllipse(QRectF(6, 6, 4, 4));
    p.setPen(Line(c.red, 2));
    p.drawArc(QRectF(2, 2, 12, 12), 75 * 16, 30 * 16);
}

const std::array<void (*)(QPainter&, const Inks&), 8> kAids = {Brakes,   Gears,         RightTheCar, Indestructible,
                                                               BestLine, SuggestedGear, Throttle,    Steering};

} // namespace

QIcon DriverAid(int aid, bool available) {
    if (aid < 0 || aid >= static_cast<int>(kAids.size())) {
        return {};
    }
    // One icon for every state: the button's own disabled look must not grey it again.
    return Drawn(
        [&](QPainter& painter) { kAids[static_cast<std::size_t>(aid)](painter, available ? kBright : kDimmed); }, true);
}

} // namespace icons

} // namespace tavolex::editor
