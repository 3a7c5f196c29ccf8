#include "Gradient.h"

#include <algorithm>
#include <cmath>
#include <QPainter>
#include <utility>

namespace {

constexpr double kDegToRad = 0.017453292;
constexpr double kRadToDeg = 57.2957763671875;

int nearestInt(double v) {
    return int(std::nearbyint(v));
}

// Reduces 90 - angle to 0..359 degrees; a non-finite angle counts as 0.
int reducedAngle(float angle) {
    if (!std::isfinite(angle))
        angle = 0.0f;
    const float v = 90.0f - angle;
    double a = std::fmod(std::nearbyint(double(v)), 360.0);
    if (a < 0)
        a += 360.0;
    return int(a) % 360;
}

} // namespace

GradientGeometry gradientGeometry(int width, int height, float angle) {
    GradientGeometry g;
    const int a = reducedAngle(angle);
    g.quadrant = a / 90;
    g.r = a % 90;
    if (width < 1 || height < 1)
        return g;
    const double ratio =
        g.quadrant % 2 == 0 ? double(width) / double(height) : double(height) / double(width);
    const float diag = float(std::atan(ratio) * kRadToDeg);
    const double comp = (90.0 - std::fabs(double(g.r) - double(diag))) * kDegToRad;
    const double diagonal = std::sqrt(double(width) * width + double(height) * height);
    g.n = std::max(1, nearestInt(diagonal * std::sin(comp)));
    return g;
}

QList<QRgb> gradientTable(qint32 c1, qint32 c2, int n) {
    QList<QRgb> table;
    if (n < 1)
        return table;
    table.reserve(n);
    if (n == 1) {
        table.append(qRgb(redOf(c1) / 2 + redOf(c2) / 2, greenOf(c1) / 2 + greenOf(c2) / 2,
                          blueOf(c1) / 2 + blueOf(c2) / 2));
        return table;
    }
    auto step = [n](int from, int to, int j) { return from + ((to - from) * j) / (n - 1); };
    for (int j = 0; j < n; ++j)
        table.append(qRgb(step(redOf(c1), redOf(c2), j), step(greenOf(c1), greenOf(c2), j),
                          step(blueOf(c1), blueOf(c2), j)));
    return table;
}

QList<QRgb> foldMiddleOut(const QList<QRgb>& table) {
    QList<QRgb> out;
    out.reserve(table.size());
    for (qsizetype i = 0; i < table.size(); i += 2)
        out.append(table[i]);
    qsizetype lastOdd = table.size() - 1;
    if (lastOdd % 2 == 0)
        --lastOdd;
    for (qsizetype i = lastOdd; i >= 1; i -= 2)
        out.append(table[i]);
    return out;
}

QImage gradientImage(int width, int height, qint32 c1, qint32 c2, float angle, bool middleOut) {
    if (width < 1 || height < 1)
        return {};
    if (middleOut && angle >= 91.0f && angle <= 270.0f)
        std::swap(c1, c2);
    const GradientGeometry g = gradientGeometry(width, height, angle);
    if (g.quadrant > 1)
        std::swap(c1, c2);
    QList<QRgb> table = gradientTable(c1, c2, g.n);
    if (middleOut)
        table = foldMiddleOut(table);

    const bool fromBottom = g.quadrant % 2 == 0;
    const double t = fromBottom ? g.r * kDegToRad : 1.5707964 - g.r * kDegToRad;
    const qint64 s = nearestInt(std::sin(t) * 1000.0);
    const qint64 k = nearestInt(std::cos(t) * 1000.0);
    const qint64 last = table.size() - 1;

    QImage image(width, height, QImage::Format_RGB32);
    for (int row = 0; row < height; ++row) {
        const qint64 j = fromBottom ? height - 1 - row : row;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        qint64 acc = j * k;
        for (int i = 0; i < width; ++i, acc += s) {
            // Rounding of s and k can reach one step past the ramp on long diagonals.
            const qint64 index = std::clamp<qint64>(acc / 1000, 0, last);
            line[i] = table[index];
        }
    }
    return image;
}

void PaintGradient(QPainter& target, int x, int y, int width, int height, qint32 c1, qint32 c2,
                   float angle, bool middleOut) {
    const QImage image = gradientImage(width, height, c1, c2, angle, middleOut);
    if (image.isNull())
        return;
    const auto mode = target.compositionMode();
    target.setCompositionMode(QPainter::CompositionMode_Source);
    target.drawImage(x, y, image);
    target.setCompositionMode(mode);
}

QImage bodyGradientImage(int width, int height, qint32 top, qint32 bottom) {
    if (width < 1 || height < 1)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    auto ramp = [height](int a, int b, int i) { return a + ((b - a) * i) / height; };
    for (int i = 0; i < height; ++i) {
        const QRgb c =
            qRgb(ramp(redOf(top), redOf(bottom), i), ramp(greenOf(top), greenOf(bottom), i),
                 ramp(blueOf(top), blueOf(bottom), i));
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(i));
        std::fill(line, line + width, c);
    }
    return image;
}

void UtilDrawBackground(QPainter& target, OleColor colorStart, OleColor colorEnd, int lngLeft,
                        int lngTop, int lngWidth, int lngHeight, int horizontal) {
    const int w = lngWidth - lngLeft;
    const int h = lngHeight - lngTop;
    if (w < 1 || h < 1)
        return;
    const OleColor a = translateOrBlack(colorStart);
    const OleColor b = translateOrBlack(colorEnd);
    const bool leftToRight = horizontal == 0;
    const int span = leftToRight ? w : h;
    QImage image(w, h, QImage::Format_RGB32);
    // Channels interpolated in 16 bits, as the platform's two-vertex gradient fill does.
    auto channel = [span](int from, int to, int pos) {
        const int from16 = from * 256;
        const int to16 = to * 256;
        return int((from16 + qint64(to16 - from16) * pos / span) >> 8);
    };
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int pos = leftToRight ? x : y;
            line[x] = qRgb(channel(redOf(a), redOf(b), pos), channel(greenOf(a), greenOf(b), pos),
                           channel(blueOf(a), blueOf(b), pos));
        }
    }
    const auto mode = target.compositionMode();
    target.setCompositionMode(QPainter::CompositionMode_Source);
    target.drawImage(lngLeft, lngTop, image);
    target.setCompositionMode(mode);
}
