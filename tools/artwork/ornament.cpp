#include "ornament.h"

#include <QLinearGradient>
#include <QtMath>

#include <algorithm>

namespace miravel::artwork {

QPolygonF Ornament::star(QPointF centre, qreal outer, qreal inner, int points,
                         qreal rotationDegrees) {
    QPolygonF polygon;
    for (int i = 0; i < 2 * points; ++i) {
        const qreal radius = (i % 2 == 0) ? outer : inner;
        const qreal angle = qDegreesToRadians(rotationDegrees + i * 180.0 / points);
        polygon << centre + QPointF(radius * qCos(angle), radius * qSin(angle));
    }
    return polygon;
}

QPolygonF Ornament::eightfoldStar(QPointF centre, qreal radius) {
    // Two squares of circumradius r meet at cos 45 / cos 22.5 of r.
    const qreal inner = radius * qCos(qDegreesToRadians(45.0)) / qCos(qDegreesToRadians(22.5));
    return star(centre, radius, inner, 8, -90);
}

void Ornament::rosette(QPainter& p, QPointF centre, qreal radius, const QColor& fill,
                       const QColor& line, const QColor& heart) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(line, std::max<qreal>(1.0, radius / 14.0), Qt::SolidLine, Qt::SquareCap,
                  Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPolygon(eightfoldStar(centre, radius));
    p.setBrush(heart);
    p.drawEllipse(centre, radius * 0.52, radius * 0.52);
    p.setBrush(fill);
    p.setPen(QPen(line, std::max<qreal>(0.8, radius / 20.0)));
    p.drawPolygon(star(centre, radius * 0.42, radius * 0.2, 8, -90 + 22.5));
    p.restore();
}

void Ornament::starLattice(QPainter& p, const QRectF& area, qreal cell, const QColor& line,
                           qreal width) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(area, Qt::IntersectClip);
    p.setPen(QPen(line, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    const int columns = int(area.width() / cell) + 2;
    const int rows = int(area.height() / cell) + 2;
    for (int row = -1; row <= rows; ++row) {
        for (int column = -1; column <= columns; ++column) {
            const QPointF centre(area.left() + column * cell, area.top() + row * cell);
            p.drawPolygon(eightfoldStar(centre, cell / 2.0));
            p.drawEllipse(centre, cell * 0.12, cell * 0.12);
        }
    }
    p.restore();
}

QPolygonF Ornament::diamond(QPointF centre, qreal halfWidth, qreal halfHeight) {
    return QPolygonF{{centre + QPointF(0, -halfHeight), centre + QPointF(halfWidth, 0),
                      centre + QPointF(0, halfHeight), centre + QPointF(-halfWidth, 0)}};
}

QPainterPath Ornament::pointedArch(const QRectF& rect, qreal springY) {
    const qreal midX = rect.center().x();
    const qreal rise = springY - rect.top();
    QPainterPath path;
    path.moveTo(rect.left(), rect.bottom());
    path.lineTo(rect.left(), springY);
    path.cubicTo(QPointF(rect.left(), springY - rise * 0.55),
                 QPointF(midX - rect.width() * 0.16, rect.top() + rise * 0.22),
                 QPointF(midX, rect.top()));
    path.cubicTo(QPointF(midX + rect.width() * 0.16, rect.top() + rise * 0.22),
                 QPointF(rect.right(), springY - rise * 0.55), QPointF(rect.right(), springY));
    path.lineTo(rect.right(), rect.bottom());
    path.closeSubpath();
    return path;
}

void Ornament::fadingLine(QPainter& p, qreal x1, qreal x2, qreal y, const QColor& colour,
                          qreal width, bool fadeLeft) {
    QLinearGradient gradient(x1, 0, x2, 0);
    QColor clear = colour;
    clear.setAlpha(0);
    gradient.setColorAt(0.0, fadeLeft ? clear : colour);
    gradient.setColorAt(fadeLeft ? 0.25 : 0.0, colour);
    gradient.setColorAt(0.75, colour);
    gradient.setColorAt(1.0, clear);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawRect(QRectF(x1, y, x2 - x1, width));
    p.restore();
}

} // namespace miravel::artwork
