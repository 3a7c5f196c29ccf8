#include "iconart.h"

#include "ornament.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace miravel::artwork {

namespace {

QImage emptyIcon() {
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QLinearGradient fillGradient(qreal top, qreal bottom, const QColor& light, const QColor& dark) {
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0.0, light);
    g.setColorAt(1.0, dark);
    return g;
}

void beginIcon(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(tone::ink, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

QImage print() {
    QImage image = emptyIcon();
    QPainter p(&image);
    beginIcon(p);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(fillGradient(6, 12, tone::soft, tone::slate));
    p.drawRoundedRect(QRectF(1.5, 5.5, 13, 6), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
    p.setPen(tone::soft);
    p.drawLine(QPointF(6, 11.5), QPointF(10, 11.5));
    p.drawLine(QPointF(6, 13), QPointF(9, 13));
    p.fillRect(QRectF(12, 7, 1.5, 1.5), tone::gold);
    return image;
}

QImage settings() {
    QImage image = emptyIcon();
    QPainter p(&image);
    beginIcon(p);
    QPainterPath gear;
    gear.addPolygon(Ornament::star(QPointF(8, 8), 7.3, 5.2, 8, -90 + 11.25));
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(QPointF(8, 8), 2.3, 2.3);
    p.setBrush(fillGradient(1, 15, tone::soft, tone::slate));
    p.drawPath(gear.subtracted(hole));
    return image;
}

QImage cut() {
    QImage image = emptyIcon();
    QPainter p(&image);
    beginIcon(p);
    p.setPen(QPen(tone::steel, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5.5, 10), QPointF(11, 1.5));
    p.drawLine(QPointF(10.5, 10), QPointF(5, 1.5));
    p.setPen(QPen(tone::ink, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.5, 12.5), 2.4, 2.4);
    p.drawEllipse(QPointF(11.5, 12.5), 2.4, 2.4);
    p.setPen(Qt::NoPen);
    p.setBrush(tone::gold);
    p.drawEllipse(QPointF(8, 6.4), 0.9, 0.9);
    return image;
}

QImage paste() {
    QImage image = emptyIcon();
    QPainter p(&image);
    beginIcon(p);
    p.setBrush(fillGradient(2, 15, tone::soft, tone::steel));
    p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1.2, 1.2);
    p.setBrush(tone::gold);
    p.drawRect(QRectF(4.5, 1.5, 4, 2.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 6.5, 8, 8.5));
    p.setPen(tone::soft);
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(8, 9 + i * 2), QPointF(13, 9 + i * 2));
    return image;
}

QImage home() {
    QImage image = emptyIcon();
    QPainter p(&image);
    beginIcon(p);
    p.setBrush(fillGradient(7, 15, tone::paper, tone::pale));
    p.drawRect(QRectF(3.5, 7.5, 9, 7));
    p.setBrush(fillGradient(1, 8, tone::steel, tone::slate));
    p.drawPolygon(QPolygonF{{QPointF(8, 1.5), QPointF(15, 8), QPointF(1, 8)}});
    p.setBrush(tone::slate);
    p.drawRect(QRectF(6.5, 10.5, 3, 4));
    return image;
}

QPolygonF arrowLeft() {
    return QPolygonF{{QPointF(1.5, 8), QPointF(7.5, 2), QPointF(7.5, 5.5), QPointF(14.5, 5.5),
                      QPointF(14.5, 10.5), QPointF(7.5, 10.5), QPointF(7.5, 14)}};
}

QImage back() {
    QImage image = emptyIcon();
    QPainter p(&image);
    beginIcon(p);
    p.setBrush(fillGradient(2, 14, tone::soft, tone::slate));
    p.drawPolygon(arrowLeft());
    return image;
}

QImage forward() {
    return back().mirrored(true, false);
}

QImage information() {
    QImage image = emptyIcon();
    QPainter p(&image);
    beginIcon(p);
    p.setBrush(fillGradient(1, 15, tone::steel, tone::slate));
    p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 4.6), 1.2, 1.2);
    p.drawRect(QRectF(7, 6.8, 2, 5.4));
    p.drawRect(QRectF(6, 11.2, 4, 1.2));
    return image;
}

QImage bookmark() {
    QImage image = emptyIcon();
    QPainter p(&image);
    beginIcon(p);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 2.5, 11, 12));
    p.setPen(tone::pale);
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(3, 5.5 + i * 2.5), QPointF(8, 5.5 + i * 2.5));
    p.setPen(QPen(tone::gold.darker(140), 1));
    p.setBrush(tone::gold);
    p.drawPolygon(QPolygonF{{QPointF(9.5, 0.5), QPointF(14.5, 0.5), QPointF(14.5, 14),
                             QPointF(12, 11.5), QPointF(9.5, 14)}});
    return image;
}

QImage emblem() {
    QImage image = emptyIcon();
    QPainter p(&image);
    Ornament::rosette(p, QPointF(8, 8), 7.4, tone::slate, tone::ink, tone::mist);
    return image;
}

QImage search() {
    QImage image = emptyIcon();
    QPainter p(&image);
    beginIcon(p);
    p.setPen(QPen(tone::slate, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 10.5), QPointF(14, 14));
    p.setPen(QPen(tone::ink, 1.5));
    p.setBrush(fillGradient(1, 11, tone::paper, tone::pale));
    p.drawEllipse(QPointF(6.5, 6.5), 4.8, 4.8);
    return image;
}

QImage chevrons(bool up) {
    QImage image = emptyIcon();
    QPainter p(&image);
    beginIcon(p);
    p.setPen(QPen(tone::slate, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (qreal y : {4.0, 9.5})
        p.drawPolyline(QPolygonF{{QPointF(3, y + 3), QPointF(8, y - 1.5), QPointF(13, y + 3)}});
    p.end();
    return up ? image : image.mirrored(false, true);
}

QImage help() {
    QImage image = emptyIcon();
    QPainter p(&image);
    beginIcon(p);
    p.setBrush(fillGradient(1, 15, tone::soft, tone::steel));
    p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 16, 16.5), Qt::AlignCenter, QStringLiteral("?"));
    return image;
}

} // namespace

QList<int> IconArt::toolbarIds() {
    return {202, 212, 57635, 57637, 221, 222, 223, 224, 225, 1111, 205, 160, 161, 219};
}

QImage IconArt::toolbarIcon(int id) {
    switch (id) {
    case 202:
        return print();
    case 212:
        return settings();
    case 57635:
        return cut();
    case 57637:
        return paste();
    case 221:
        return home();
    case 222:
        return back();
    case 223:
        return forward();
    case 224:
        return information();
    case 225:
        return bookmark();
    case 1111:
        return emblem();
    case 205:
        return search();
    case 160:
        return chevrons(true);
    case 161:
        return chevrons(false);
    case 219:
        return help();
    default:
        return {};
    }
}

QImage IconArt::treeBook() {
    QImage image = emptyIcon();
    QPainter p(&image);
    beginIcon(p);
    p.setPen(Qt::NoPen);
    p.setBrush(tone::paper);
    p.drawRect(QRectF(4, 3, 11, 12));
    p.setPen(QPen(tone::ink, 1));
    p.setBrush(fillGradient(1, 15, tone::steel, tone::ink));
    p.drawRoundedRect(QRectF(2.5, 1.5, 11, 13), 1, 1);
    p.setPen(Qt::NoPen);
    p.setBrush(tone::gold);
    p.drawPolygon(Ornament::eightfoldStar(QPointF(8.5, 8), 3.6));
    p.fillRect(QRectF(3.5, 2, 1, 12), QColor(0, 0, 0, 50));
    return image;
}

QImage IconArt::treeSura() {
    QImage image = emptyIcon();
    QPainter p(&image);
    beginIcon(p);
    p.setPen(QPen(tone::slate, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fillGradient(1, 15, tone::mist, tone::soft));
    p.drawPolygon(Ornament::eightfoldStar(QPointF(8, 8), 6.8));
    p.setPen(Qt::NoPen);
    p.setBrush(tone::slate);
    p.drawEllipse(QPointF(8, 8), 1.6, 1.6);
    return image;
}

} // namespace miravel::artwork
