#include "Regions.h"

#include <algorithm>
#include <cmath>
#include <QList>
#include <QRect>

QRegion boxRegion(int x1, int y1, int x2, int y2) {
    const int left = std::min(x1, x2);
    const int top = std::min(y1, y2);
    const int w = std::abs(x2 - x1);
    const int h = std::abs(y2 - y1);
    if (w == 0 || h == 0)
        return {};
    return QRegion(left, top, w, h);
}

QRegion ellipseRegion(int x1, int y1, int x2, int y2) {
    const int left = std::min(x1, x2);
    const int right = std::max(x1, x2);
    const int top = std::min(y1, y2);
    const int bottom = std::max(y1, y2);
    if (right - left < 1 || bottom - top < 1)
        return {};
    const double cx = (left + right) / 2.0;
    const double cy = (top + bottom) / 2.0;
    const double a = (right - left) / 2.0;
    const double b = (bottom - top) / 2.0;
    QList<QRect> rows;
    for (int y = top; y < bottom; ++y) {
        const double dy = (y + 0.5 - cy) / b;
        if (dy * dy > 1.0)
            continue;
        const double half = a * std::sqrt(1.0 - dy * dy);
        const int xl = int(std::ceil(cx - half - 0.5));
        const int xr = int(std::floor(cx + half - 0.5));
        if (xr >= xl)
            rows.append(QRect(xl, y, xr - xl + 1, 1));
    }
    QRegion region;
    region.setRects(rows.constData(), int(rows.size()));
    return region;
}

namespace {
// What a rounded corner removes: the corner square without its ellipse.
QRegion cornerCut(const QRegion& square, const QRegion& ellipse) {
    return square - ellipse;
}
} // namespace

QRegion CreateRoundedRegion(int x1, int y1, int x2, int y2, int rTopLeft, int rTopRight,
                            int rBottomLeft, int rBottomRight) {
    QRegion shape = boxRegion(x1, y1, x2, y2);
    if (rTopLeft != 0)
        shape -= cornerCut(boxRegion(x1, y1, x1 + rTopLeft, y1 + rTopLeft),
                           ellipseRegion(x1, y1, x1 + 2 * rTopLeft, y1 + 2 * rTopLeft));
    if (rTopRight != 0)
        shape -= cornerCut(boxRegion(x2, y1, x2 - rTopRight, y1 + rTopRight),
                           ellipseRegion(x2 + 1, y1, x2 - 2 * rTopRight + 1, y1 + 2 * rTopRight));
    if (rBottomLeft != 0)
        shape -=
            cornerCut(boxRegion(x1, y2, x1 + rBottomLeft, y2 - rBottomLeft),
                      ellipseRegion(x1, y2 + 1, x1 + 2 * rBottomLeft, y2 - 2 * rBottomLeft + 1));
    if (rBottomRight != 0)
        shape -= cornerCut(
            boxRegion(x2, y2, x2 - rBottomRight, y2 - rBottomRight),
            ellipseRegion(x2 + 1, y2 + 1, x2 - 2 * rBottomRight + 1, y2 - 2 * rBottomRight + 1));
    return shape;
}

QRegion roundRectRegion(int left, int top, int right, int bottom, int ellipseWidth,
                        int ellipseHeight) {
    QRegion box = boxRegion(left, top, right, bottom);
    if (ellipseWidth <= 0 || ellipseHeight <= 0 || box.isEmpty())
        return box;
    const int l = std::min(left, right), r = std::max(left, right);
    const int t = std::min(top, bottom), b = std::max(top, bottom);
    const int ew = std::min(ellipseWidth, r - l);
    const int eh = std::min(ellipseHeight, b - t);
    QRegion shape =
        boxRegion(l + ew / 2, t, r - ew / 2, b) + boxRegion(l, t + eh / 2, r, b - eh / 2);
    shape += ellipseRegion(l, t, l + ew, t + eh);
    shape += ellipseRegion(r - ew, t, r, t + eh);
    shape += ellipseRegion(l, b - eh, l + ew, b);
    shape += ellipseRegion(r - ew, b - eh, r, b);
    return shape;
}
