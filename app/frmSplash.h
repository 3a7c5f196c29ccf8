#pragma once

#include <QTimer>
#include <QWidget>

// The first window: the program's picture for a tenth of a second.  The
// timer, a click or a key closes it, and closing it opens the main window.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    QTimer Timer1;

signals:
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool closedOnce_ = false;
};
