#include "DrawnPanel.h"

#include "PanelAccessibility.h"

#include <QApplication>
#include <QKeyEvent>

DrawnPanel::DrawnPanel(QWidget* parent) : QWidget(parent) {
    registerPanelAccessibility();
    setMouseTracking(true);
}

qint16 DrawnPanel::shiftState(Qt::KeyboardModifiers m) {
    return qint16((m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                  (m & Qt::AltModifier ? 4 : 0));
}

qint16 DrawnPanel::buttonNumber(Qt::MouseButtons b) {
    return qint16((b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
                  (b & Qt::MiddleButton ? 4 : 0));
}

void DrawnPanel::keyPressEvent(QKeyEvent* event) {
    qint16 code = qint16(event->key() & 0xFFFF);
    qint16 shift = shiftState(event->modifiers());
    emit KeyDown(code, shift);
    if (!event->text().isEmpty()) {
        qint16 ascii = qint16(event->text().at(0).unicode());
        emit KeyPress(ascii);
    }
    // The panel has no keys of its own: the window still gets them, so that
    // Escape and Enter work in a dialog whatever control has the focus.
    event->ignore();
}

void DrawnPanel::keyReleaseEvent(QKeyEvent* event) {
    qint16 code = qint16(event->key() & 0xFFFF);
    qint16 shift = shiftState(event->modifiers());
    emit KeyUp(code, shift);
    event->ignore();
}

QFont DrawnPanel::ambientFont() const {
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}
