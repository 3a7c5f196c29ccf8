#pragma once

#include <QImage>
#include <QList>
#include <QPainter>

namespace miravel::artwork {

// The program's icon for the desktop: an open book under an eightfold star
// on a slate tile. Drawn in vectors, so the same strokes give every raster
// size of the icon theme and the scalable picture.
class ApplicationIcon {
public:
    // The sizes of the hicolor theme's raster folders.
    static QList<int> sizes();
    // Paints the icon into the square (0, 0, side, side).
    static void paint(QPainter& p, qreal side);
    static QImage image(int side);
    // The icon as an SVG document; empty if it could not be written.
    static QByteArray svg();
};

} // namespace miravel::artwork
