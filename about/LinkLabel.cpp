#include "LinkLabel.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QUrl>

LinkLabel::LinkLabel(const QString& target, QWidget* parent) : QLabel(target, parent) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    font.setUnderline(true);
    setFont(font);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(palette);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus); // reachable from the keyboard too
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        open();
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Space) {
        open();
        return;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::open() {
    const QString address = target();
    emit opened(address);
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}
