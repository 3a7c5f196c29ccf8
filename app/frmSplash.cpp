#include "frmSplash.h"

#include "Twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {}

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Twips::toPixels(6720), Twips::toPixels(4500));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    setFocusPolicy(Qt::StrongFocus);
    Timer1.setSingleShot(true);
    Timer1.setInterval(100);
    connect(&Timer1, &QTimer::timeout, this, &QWidget::close);
    Timer1.start();
}

void frmSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, QPixmap(QStringLiteral(":/ui/splash.png")));
}

void frmSplash::mousePressEvent(QMouseEvent*) {
    close();
}

void frmSplash::keyPressEvent(QKeyEvent*) {
    close();
}

void frmSplash::closeEvent(QCloseEvent* event) {
    Timer1.stop();
    if (!closedOnce_) {
        closedOnce_ = true;
        emit closed();
    }
    event->accept();
}
