#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

#include "OleColor.h"

class QPainter;

// How an angled gradient falls on a width x height rectangle.
struct GradientGeometry {
    int quadrant = 0; // 0..3
    int r = 0;        // angle within the quadrant, 0..89
    int n = 0;        // number of colour steps (extent along the gradient's direction)
};

GradientGeometry gradientGeometry(int width, int height, float angle);

// The linear colour ramp of n entries from c1 to c2 (resolved RGB values or -1).
QList<QRgb> gradientTable(qint32 c1, qint32 c2, int n);

// Middle-out order: even indices ascending, then odd indices descending.
QList<QRgb> foldMiddleOut(const QList<QRgb>& table);

// The gradient as a width x height image; a null image when either is below 1.
QImage gradientImage(int width, int height, qint32 c1, qint32 c2, float angle, bool middleOut);

// Draws the gradient unscaled at (x, y), replacing what was there.
void PaintGradient(QPainter& target, int x, int y, int width, int height, qint32 c1, qint32 c2,
                   float angle, bool middleOut);

// Vertical body ramp: row i gets c_top + ((c_bottom - c_top) * i) / h (h = bottom - top).
QImage bodyGradientImage(int width, int height, qint32 top, qint32 bottom);

// Linear two-colour fill of the rectangle left..right x top..bottom (right and bottom
// excluded): horizontal 0 runs left to right, any other value top to bottom.
void UtilDrawBackground(QPainter& target, OleColor colorStart, OleColor colorEnd, int lngLeft,
                        int lngTop, int lngWidth, int lngHeight, int horizontal);
