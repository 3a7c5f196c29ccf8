#include "pageart.h"

#include "ornament.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace miravel::artwork {

namespace {

QImage whiteCanvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

// The title band: two slate borders around a pale field, 40 pixels high.
constexpr qreal bandTop = 4;
constexpr qreal bandBottom = 36;

void paintBand(QPainter& p, qreal x1, qreal x2) {
    QLinearGradient field(0, bandTop, 0, bandBottom);
    field.setColorAt(0.0, tone::paper);
    field.setColorAt(1.0, tone::mist.darker(104));
    p.fillRect(QRectF(x1, bandTop, x2 - x1, bandBottom - bandTop), field);
    p.fillRect(QRectF(x1, bandTop, x2 - x1, 2), tone::slate);
    p.fillRect(QRectF(x1, bandBottom - 2, x2 - x1, 2), tone::slate);
    p.fillRect(QRectF(x1, bandTop + 3, x2 - x1, 1), tone::pale);
    p.fillRect(QRectF(x1, bandBottom - 4, x2 - x1, 1), tone::pale);
}

} // namespace

QImage PageArt::titleLeft() {
    QImage image = whiteCanvas(111, 40);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintBand(p, 52, 111);
    // A thin stem with a diamond leads the eye into the medallion.
    p.fillRect(QRectF(6, 19.5, 20, 1), tone::soft);
    p.setPen(Qt::NoPen);
    p.setBrush(tone::slate);
    p.drawPolygon(Ornament::diamond(QPointF(6, 20), 4, 4));
    Ornament::rosette(p, QPointF(38, 20), 18, tone::slate, tone::ink, tone::mist);
    p.setBrush(tone::gold);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(38, 20), 1.6, 1.6);
    return image;
}

QImage PageArt::titleRight() {
    return titleLeft().mirrored(true, false);
}

QImage PageArt::titleBand() {
    QImage image = whiteCanvas(430, 40);
    QPainter p(&image);
    paintBand(p, 0, 430);
    return image;
}

// The label and the rule make the foot of a verse: the rule closes the
// verse's texts and the label hangs from its left end like a tag, square
// where it meets the rule and rounded below, so that it reads as belonging
// to the verse above it.  The page shows the label 12 pixels high, rows 1 to
// 12 of the picture.
QImage PageArt::verseLabel() {
    QImage image = whiteCanvas(53, 14);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tag;
    tag.moveTo(0, 0);
    tag.lineTo(53, 0);
    tag.lineTo(49, 8.5);
    tag.quadTo(47.5, 12.5, 44, 12.5);
    tag.lineTo(4, 12.5);
    tag.quadTo(0, 12.5, 0, 8.5);
    tag.closeSubpath();
    QLinearGradient fill(0, 0, 0, 12.5);
    fill.setColorAt(0.0, tone::ink);
    fill.setColorAt(1.0, tone::steel);
    p.fillPath(tag, fill);
    // The seam with the rule above, in the rule's own colour.
    p.fillRect(QRectF(0, 0, 53, 2), tone::ink);
    return image;
}

// Full strength at the left, where the label hangs from it; fading out to the
// right.
QImage PageArt::verseRule() {
    QImage image = whiteCanvas(751, 1);
    QPainter p(&image);
    QLinearGradient line(0, 0, 751, 0);
    line.setColorAt(0.0, tone::ink);
    line.setColorAt(0.1, tone::soft);
    line.setColorAt(0.75, tone::pale);
    line.setColorAt(1.0, Qt::white);
    p.fillRect(QRectF(0, 0, 751, 1), line);
    return image;
}

QImage PageArt::textSeparator() {
    QImage image = whiteCanvas(680, 4);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal middle = 340;
    // Dots that thin out towards both ends, and a diamond in the middle.
    for (qreal x = 6; x < 674; x += 6) {
        if (qAbs(x - middle) < 10)
            continue;
        const qreal fade = 1.0 - qAbs(x - middle) / middle;
        QColor dot = tone::soft;
        dot.setAlphaF(float(0.25 + 0.75 * fade));
        p.fillRect(QRectF(x, 1.5, 1, 1), dot);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(tone::steel);
    p.drawPolygon(Ornament::diamond(QPointF(middle, 2), 4, 2));
    return image;
}

QImage PageArt::headingRule() {
    QImage image = whiteCanvas(360, 8);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(tone::soft);
    p.drawPolygon(Ornament::diamond(QPointF(4, 4), 3.5, 3.5));
    Ornament::fadingLine(p, 10, 360, 3.5, tone::soft, 1, false);
    return image;
}

QImage PageArt::resultSplitter() {
    QImage image = whiteCanvas(500, 6);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(tone::steel);
    p.drawPolygon(Ornament::eightfoldStar(QPointF(3, 3), 3));
    Ornament::fadingLine(p, 9, 500, 1.5, tone::soft, 1, false);
    Ornament::fadingLine(p, 9, 420, 3.5, tone::pale, 1, false);
    return image;
}

QImage PageArt::searchHeader() {
    QImage image = whiteCanvas(760, 120);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A pale wash behind the heading lines, fading to white on the right.
    QLinearGradient wash(0, 0, 760, 0);
    wash.setColorAt(0.0, tone::mist);
    wash.setColorAt(0.6, tone::paper);
    wash.setColorAt(1.0, Qt::white);
    p.fillRect(QRectF(0, 0, 760, 88), wash);
    QColor lattice = tone::pale;
    lattice.setAlpha(110);
    Ornament::starLattice(p, QRectF(0, 0, 96, 88), 24, lattice, 0.8);
    Ornament::fadingLine(p, 0, 760, 88, tone::soft, 1, false);
    Ornament::fadingLine(p, 0, 560, 91, tone::pale, 1, false);
    Ornament::rosette(p, QPointF(50, 44), 30, tone::steel, tone::slate, tone::paper);
    return image;
}

QImage PageArt::startPicture() {
    QImage image = whiteCanvas(318, 490);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF archRect(16, 10, 286, 420);
    const QPainterPath arch = Ornament::pointedArch(archRect, 150);

    // The field inside the arch: mist to pale, with a faint star lattice.
    QLinearGradient field(0, archRect.top(), 0, archRect.bottom());
    field.setColorAt(0.0, tone::paper);
    field.setColorAt(1.0, tone::pale);
    p.fillPath(arch, field);
    p.save();
    p.setClipPath(arch);
    QColor lattice = tone::soft;
    lattice.setAlpha(90);
    Ornament::starLattice(p, archRect.adjusted(-30, -30, 30, 30), 38, lattice, 1.0);
    QRadialGradient glow(QPointF(159, 175), 120);
    QColor glowColour = tone::paper;
    glowColour.setAlpha(230);
    glow.setColorAt(0.0, glowColour);
    glowColour.setAlpha(0);
    glow.setColorAt(1.0, glowColour);
    p.fillRect(archRect, glow);
    p.restore();

    // Double frame around the arch.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(tone::slate, 4));
    p.drawPath(arch);
    const QPainterPath innerArch = Ornament::pointedArch(archRect.adjusted(9, 12, -9, 0), 156);
    p.setPen(QPen(tone::steel, 1.2));
    p.drawPath(innerArch);
    p.setPen(QPen(tone::gold, 1));
    p.drawPath(Ornament::pointedArch(archRect.adjusted(5, 6, -5, 0), 153));

    // The great medallion with a ring of small stars.
    Ornament::rosette(p, QPointF(159, 175), 68, tone::slate, tone::ink, tone::mist);
    Ornament::rosette(p, QPointF(159, 175), 24, tone::steel, tone::ink, tone::paper);
    p.setPen(Qt::NoPen);
    p.setBrush(tone::gold);
    for (int i = 0; i < 8; ++i) {
        QTransform turn;
        turn.translate(159, 175);
        turn.rotate(22.5 + i * 45);
        p.drawPolygon(turn.map(Ornament::diamond(QPointF(0, -84), 3, 6)));
    }

    // An open book resting on its stand, its pages only suggested by lines.
    const qreal bookY = 330;
    QPainterPath leftPage;
    leftPage.moveTo(159, bookY + 10);
    leftPage.cubicTo(130, bookY - 4, 104, bookY - 2, 86, bookY + 4);
    leftPage.lineTo(92, bookY + 52);
    leftPage.cubicTo(110, bookY + 46, 136, bookY + 48, 159, bookY + 60);
    leftPage.closeSubpath();
    QPainterPath rightPage = QTransform().translate(318, 0).scale(-1, 1).map(leftPage);
    p.setPen(QPen(tone::slate, 2));
    p.setBrush(tone::paper);
    p.drawPath(leftPage);
    p.drawPath(rightPage);
    p.setPen(QPen(tone::soft, 1));
    for (int i = 0; i < 5; ++i) {
        const qreal y = bookY + 14 + i * 8;
        p.drawLine(QPointF(100 + i * 0.8, y), QPointF(150, y + 3));
        p.drawLine(QPointF(218 - i * 0.8, y), QPointF(168, y + 3));
    }
    // The stand: two crossing boards below the book.
    p.setPen(QPen(tone::ink, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(110, bookY + 62), QPointF(196, bookY + 92));
    p.drawLine(QPointF(208, bookY + 62), QPointF(122, bookY + 92));
    p.setPen(QPen(tone::slate, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(96, bookY + 96), QPointF(222, bookY + 96));

    // The program's name under the arch.
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(26);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    p.setFont(font);
    p.setPen(tone::slate);
    p.drawText(QRectF(0, 440, 318, 40), Qt::AlignCenter, QStringLiteral("Miravel"));
    p.setPen(Qt::NoPen);
    p.setBrush(tone::soft);
    p.drawPolygon(Ornament::diamond(QPointF(159, 484), 3, 3));
    Ornament::fadingLine(p, 90, 153, 483.5, tone::pale, 1, true);
    Ornament::fadingLine(p, 165, 228, 483.5, tone::pale, 1, false);
    return image;
}

} // namespace miravel::artwork
