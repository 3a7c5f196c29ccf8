#pragma once

#include <QAbstractButton>

// A colour swatch: a button that shows one colour number (red + 256 * green
// + 65536 * blue) and is clicked to choose another.
class ColourSwatch : public QAbstractButton {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);

    qint32 colour() const { return colour_; }
    void setColour(qint32 colour);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qint32 colour_ = 0;
};
