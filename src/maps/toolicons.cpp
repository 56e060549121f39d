#include "maps/toolicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSize = 20;
const QColor kInk(45, 45, 45);

void pencil(QPainter& p) {
    // A pencil lying from the bottom left to the top right.
    p.translate(10, 10);
    p.rotate(-45);
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(240, 190, 60));
    p.drawRect(QRectF(-5, -2.5, 11, 5));
    p.setBrush(QColor(230, 140, 140));
    p.drawRect(QRectF(6, -2.5, 2.5, 5));
    QPainterPath tip;
    tip.moveTo(-5, -2.5);
    tip.lineTo(-9.5, 0);
    tip.lineTo(-5, 2.5);
    tip.closeSubpath();
    p.setBrush(QColor(245, 225, 190));
    p.drawPath(tip);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(-8.6, 0), 0.9, 0.9);
}

void rectangle(QPainter& p) {
    p.setPen(QPen(kInk, 1.6));
    p.setBrush(QColor(120, 180, 240));
    p.drawRect(QRectF(3.5, 5.5, 13, 9));
}

void fill(QPainter& p) {
    // A tipped bucket pouring a drop.
    p.setPen(QPen(kInk, 1.3));
    p.setBrush(QColor(200, 200, 210));
    QPainterPath bucket;
    bucket.moveTo(3, 8);
    bucket.lineTo(10, 3);
    bucket.lineTo(16, 10);
    bucket.lineTo(9, 15);
    bucket.closeSubpath();
    p.drawPath(bucket);
    p.setBrush(QColor(60, 130, 230));
    p.setPen(Qt::NoPen);
    QPainterPath drop;
    drop.moveTo(16.5, 11);
    drop.cubicTo(19, 15, 19, 17.5, 16.5, 17.5);
    drop.cubicTo(14, 17.5, 14, 15, 16.5, 11);
    p.drawPath(drop);
}

void grid(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    for (int i = 0; i < 4; ++i) {
        const qreal at = 3.5 + i * 4.5;
        p.drawLine(QPointF(at, 3.5), QPointF(at, 17));
        p.drawLine(QPointF(3.5, at), QPointF(17, at));
    }
}

void magnifier(QPainter& p, bool plus) {
    p.setPen(QPen(kInk, 1.6));
    p.setBrush(QColor(235, 245, 255));
    p.drawEllipse(QPointF(8.5, 8.5), 5.5, 5.5);
    p.setPen(QPen(kInk, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12.8, 12.8), QPointF(17, 17));
    p.setPen(QPen(kInk, 1.5));
    p.drawLine(QPointF(6, 8.5), QPointF(11, 8.5));
    if (plus)
        p.drawLine(QPointF(8.5, 6), QPointF(8.5, 11));
}

} // namespace

QIcon toolIcon(ToolIcon kind) {
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case ToolIcon::Pencil: pencil(p); break;
    case ToolIcon::Rectangle: rectangle(p); break;
    case ToolIcon::Fill: fill(p); break;
    case ToolIcon::Grid: grid(p); break;
    case ToolIcon::ZoomIn: magnifier(p, true); break;
    case ToolIcon::ZoomOut: magnifier(p, false); break;
    }
    p.end();
    return QIcon(picture);
}
