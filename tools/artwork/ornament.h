#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

namespace miravel::artwork {

// The program's calm colours: slate and mist blues with one muted gold.
namespace tone {
inline const QColor ink{0x2e, 0x4a, 0x62};
inline const QColor slate{0x4f, 0x6f, 0x8c};
inline const QColor steel{0x6f, 0x8c, 0xa6};
inline const QColor soft{0x95, 0xae, 0xc2};
inline const QColor pale{0xc9, 0xd6, 0xe2};
inline const QColor mist{0xe8, 0xee, 0xf4};
inline const QColor paper{0xf7, 0xf9, 0xfb};
inline const QColor gold{0xc4, 0xac, 0x72};
inline const QColor white{0xff, 0xff, 0xff};
} // namespace tone

// Geometric ornament shared by all pictures.
class Ornament {
public:
    // A regular star with the given number of points.
    static QPolygonF star(QPointF centre, qreal outer, qreal inner, int points,
                          qreal rotationDegrees = -90);
    // The eight-pointed star of two overlapping squares, points on the axes.
    static QPolygonF eightfoldStar(QPointF centre, qreal radius);
    // A medallion: filled eightfold star, ring and a small inner star.
    static void rosette(QPainter& p, QPointF centre, qreal radius, const QColor& fill,
                        const QColor& line, const QColor& heart);
    // Star-and-cross lattice of outlined eightfold stars covering the area.
    static void starLattice(QPainter& p, const QRectF& area, qreal cell, const QColor& line,
                            qreal width);
    // A small diamond, the dot of the rules.
    static QPolygonF diamond(QPointF centre, qreal halfWidth, qreal halfHeight);
    // A pointed arch standing on the base of the rectangle.
    static QPainterPath pointedArch(const QRectF& rect, qreal springY);
    // A horizontal line that fades out towards its ends (or only to the right).
    static void fadingLine(QPainter& p, qreal x1, qreal x2, qreal y, const QColor& colour,
                           qreal width, bool fadeLeft = true);
};

} // namespace miravel::artwork
