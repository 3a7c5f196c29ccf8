#include "applicationicon.h"

#include "ornament.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainterPath>
#include <QSvgGenerator>

namespace miravel::artwork {

namespace {

// The drawing is laid out on a 256-unit grid and scaled to the side asked for.
constexpr qreal kGrid = 256;

QPainterPath page(bool left) {
    // One page of the open book: the spine at x = 128, the outer edge lifted.
    const qreal outer = left ? 40 : 216;
    QPainterPath path;
    path.moveTo(128, 110);
    path.cubicTo(QPointF(left ? 104 : 152, 96), QPointF(left ? 68 : 188, 94), QPointF(outer, 102));
    path.lineTo(outer, 202);
    path.cubicTo(QPointF(left ? 68 : 188, 194), QPointF(left ? 104 : 152, 196), QPointF(128, 210));
    path.closeSubpath();
    return path;
}

void tile(QPainter& p) {
    QLinearGradient fill(0, 8, 0, 248);
    fill.setColorAt(0.0, tone::steel);
    fill.setColorAt(1.0, tone::ink);
    p.setPen(QPen(tone::ink, 4));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(10, 10, 236, 236), 44, 44);
}

void book(QPainter& p) {
    // The page block's edge, then the two pages over it.
    p.setPen(Qt::NoPen);
    p.setBrush(tone::pale);
    p.drawRoundedRect(QRectF(34, 110, 188, 104), 6, 6);
    p.setPen(QPen(tone::slate, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (bool left : {true, false}) {
        QLinearGradient paper(left ? 40 : 216, 0, 128, 0);
        paper.setColorAt(0.0, tone::white);
        paper.setColorAt(1.0, tone::mist);
        p.setBrush(paper);
        p.drawPath(page(left));
    }
    // Lines of text on both pages.
    p.setPen(QPen(tone::soft, 5, Qt::SolidLine, Qt::RoundCap));
    for (int line = 0; line < 4; ++line) {
        const qreal y = 128 + line * 18;
        p.drawLine(QPointF(56, y), QPointF(112, y + 4));
        p.drawLine(QPointF(144, y + 4), QPointF(200, y));
    }
}

void star(QPainter& p) {
    p.setPen(QPen(tone::ink, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(tone::gold);
    p.drawPolygon(Ornament::eightfoldStar(QPointF(128, 62), 38));
    p.setBrush(tone::paper);
    p.drawEllipse(QPointF(128, 62), 13, 13);
}

} // namespace

QList<int> ApplicationIcon::sizes() {
    return {16, 22, 24, 32, 48, 64, 128, 256};
}

void ApplicationIcon::paint(QPainter& p, qreal side) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / kGrid, side / kGrid);
    tile(p);
    book(p);
    star(p);
    p.restore();
}

QImage ApplicationIcon::image(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paint(p, side);
    return image;
}

QByteArray ApplicationIcon::svg() {
    QBuffer buffer;
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(int(kGrid), int(kGrid)));
    generator.setViewBox(QRectF(0, 0, kGrid, kGrid));
    generator.setTitle(QStringLiteral("Miravel"));
    generator.setDescription(QStringLiteral("The icon of Miravel, a reader for the Qur'an"));
    QPainter p;
    if (!p.begin(&generator))
        return {};
    paint(p, kGrid);
    p.end();
    return buffer.data();
}

} // namespace miravel::artwork
