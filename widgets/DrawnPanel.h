#pragma once

#include <QString>
#include <QWidget>

class QKeyEvent;

// What the two self-painted panels (ucGradContainer, xpFrame) share: they
// report keys and mouse buttons in the numbers their owners expect (buttons:
// 1 left, 2 right, 4 middle; shift state: 1 Shift, 2 Ctrl, 4 Alt), pass
// every key on to the window, take their fonts from their parent, and
// announce each property set, then repaint.
class DrawnPanel : public QWidget {
    Q_OBJECT
public:
    explicit DrawnPanel(QWidget* parent = nullptr);

    static qint16 shiftState(Qt::KeyboardModifiers modifiers);
    static qint16 buttonNumber(Qt::MouseButtons buttons);

signals:
    void Click();
    void DblClick();
    void KeyDown(qint16& KeyCode, qint16& Shift);
    void KeyPress(qint16& KeyAscii);
    void KeyUp(qint16& KeyCode, qint16& Shift);
    void MouseDown(qint16& Button, qint16& Shift, float& X, float& Y);
    void MouseUp(qint16& Button, qint16& Shift, float& X, float& Y);
    // The host is told of every persisted property that changed.
    void PropertyChanged(const QString& key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

    // The font of the parent, or the application's without one.
    QFont ambientFont() const;
    // Sets a property's field, announces it under `key` and repaints.
    template <typename T> void assign(T& field, const T& value, const char* key) {
        field = value;
        emit PropertyChanged(QString::fromLatin1(key));
        repaintProperties();
    }
    virtual void repaintProperties() = 0;
};
