#include "windowart.h"

#include "MiravelVersion.h"
#include "ornament.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace miravel::artwork {

namespace {

QFont titleFont(int pixelSize) {
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(pixelSize);
    font.setLetterSpacing(QFont::AbsoluteSpacing, pixelSize / 8.0);
    return font;
}

QFont captionFont(int pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    return font;
}

// A closed book seen from the front, its cover framed and set with a medallion.
void paintBookCover(QPainter& p, const QRectF& cover) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // Page edges peeking out at the right and bottom.
    p.setPen(Qt::NoPen);
    p.setBrush(tone::paper);
    p.drawRoundedRect(cover.translated(4, 4), 3, 3);
    QLinearGradient leather(cover.topLeft(), cover.bottomRight());
    leather.setColorAt(0.0, tone::slate);
    leather.setColorAt(1.0, tone::ink.darker(115));
    p.setBrush(leather);
    p.setPen(QPen(tone::ink.darker(140), 1));
    p.drawRoundedRect(cover, 3, 3);
    // Spine shadow.
    p.fillRect(QRectF(cover.left() + 1, cover.top() + 1, 5, cover.height() - 2),
               QColor(0, 0, 0, 40));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(tone::gold, 1));
    p.drawRect(cover.adjusted(9, 7, -6, -7));
    p.setPen(QPen(tone::gold.darker(130), 0.8));
    p.drawRect(cover.adjusted(12, 10, -9, -10));
    const QPointF centre(cover.center().x() + 1.5, cover.center().y());
    Ornament::rosette(p, centre, cover.width() * 0.26, tone::gold, tone::gold.darker(150),
                      tone::ink);
    // Corner stars.
    p.setPen(Qt::NoPen);
    p.setBrush(tone::gold);
    const QRectF corners = cover.adjusted(16, 14, -13, -14);
    for (const QPointF& corner :
         {corners.topLeft(), corners.topRight(), corners.bottomLeft(), corners.bottomRight()})
        p.drawPolygon(Ornament::eightfoldStar(corner, 3.5));
    p.restore();
}

} // namespace

QImage WindowArt::splash() {
    QImage image(450, 300, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 450, 300);
    sky.setColorAt(0.0, tone::ink);
    sky.setColorAt(1.0, tone::slate);
    p.fillRect(image.rect(), sky);
    QColor lattice = tone::soft;
    lattice.setAlpha(38);
    Ornament::starLattice(p, QRectF(0, 0, 450, 300), 50, lattice, 1.0);

    // A soft light behind the medallion.
    QRadialGradient light(QPointF(118, 150), 120);
    QColor glow = tone::steel;
    glow.setAlpha(120);
    light.setColorAt(0.0, glow);
    glow.setAlpha(0);
    light.setColorAt(1.0, glow);
    p.fillRect(image.rect(), light);
    Ornament::rosette(p, QPointF(118, 150), 82, tone::pale, tone::mist, tone::slate);
    Ornament::rosette(p, QPointF(118, 150), 30, tone::gold, tone::paper, tone::ink);

    p.setFont(titleFont(46));
    p.setPen(tone::paper);
    p.drawText(QRectF(215, 88, 225, 70), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Miravel"));
    Ornament::fadingLine(p, 215, 430, 162, tone::gold, 1.2, false);
    p.setBrush(tone::gold);
    p.setPen(Qt::NoPen);
    p.drawPolygon(Ornament::diamond(QPointF(218, 162.6), 4, 4));
    p.setFont(captionFont(14));
    p.setPen(tone::pale);
    p.drawText(QRectF(218, 172, 225, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("A reader of the Qur'an"));
    p.setFont(captionFont(11));
    p.setPen(tone::soft);
    p.drawText(QRectF(218, 262, 220, 20), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Version ") + QLatin1String(kMiravelVersion));
    // A thin frame keeps the borderless window's edge visible.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(tone::soft, 1));
    p.drawRect(QRectF(0.5, 0.5, 449, 299));
    return image;
}

QImage WindowArt::background() {
    QImage image(799, 559, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient wash(0, 0, 0, 559);
    wash.setColorAt(0.0, tone::mist);
    wash.setColorAt(1.0, tone::pale);
    p.fillRect(image.rect(), wash);
    QColor lattice = tone::soft;
    lattice.setAlpha(45);
    Ornament::starLattice(p, QRectF(0, 0, 799, 559), 56, lattice, 1.0);
    return image;
}

QImage WindowArt::aboutBox() {
    QImage image(362, 262, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // The dark strip on the left with the book.
    const QRectF strip(0, 0, 106, 262);
    QLinearGradient dusk(0, 0, 0, 262);
    dusk.setColorAt(0.0, tone::ink);
    dusk.setColorAt(1.0, tone::ink.darker(130));
    p.fillRect(strip, dusk);
    QColor lattice = tone::steel;
    lattice.setAlpha(40);
    Ornament::starLattice(p, strip, 26, lattice, 0.8);
    p.fillRect(QRectF(104, 0, 2, 262), tone::gold.darker(115));
    paintBookCover(p, QRectF(20, 62, 66, 96));

    // Title artwork at the top right, over a pale band that fades into the white.
    QLinearGradient band(0, 0, 0, 118);
    band.setColorAt(0.0, tone::mist);
    band.setColorAt(1.0, Qt::white);
    p.fillRect(QRectF(106, 0, 256, 118), band);
    QColor faint = tone::pale;
    faint.setAlpha(120);
    Ornament::starLattice(p, QRectF(106, 0, 256, 60), 30, faint, 0.8);
    p.fillRect(QRectF(106, 0, 256, 60), [] {
        QLinearGradient fade(0, 0, 0, 60);
        fade.setColorAt(0.0, QColor(255, 255, 255, 0));
        fade.setColorAt(1.0, QColor(255, 255, 255, 255));
        return fade;
    }());
    Ornament::rosette(p, QPointF(150, 72), 20, tone::slate, tone::ink, tone::mist);
    p.setFont(titleFont(32));
    p.setPen(tone::ink);
    p.drawText(QRectF(178, 50, 180, 44), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Miravel"));
    Ornament::fadingLine(p, 178, 356, 98, tone::soft, 1, false);
    p.setFont(captionFont(11));
    p.setPen(tone::steel);
    p.drawText(QRectF(180, 100, 178, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("A reader of the Qur'an"));
    p.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

} // namespace miravel::artwork
