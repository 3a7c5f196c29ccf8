#include "ColourSwatch.h"

#include "OleColor.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

ColourSwatch::ColourSwatch(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void ColourSwatch::setColour(qint32 colour) {
    colour_ = colour;
    update();
}

QSize ColourSwatch::sizeHint() const {
    return {48, 22};
}

void ColourSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect box = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(box, QColor::fromRgb(toQRgb(TranslateColor(OleColor(colour_)))));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(box);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
