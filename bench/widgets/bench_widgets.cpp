// Times painting an 800 x 600 gradient panel with a 45-degree middle-out body,
// and the bare gradient image on its own.
#include <cstdio>
#include <QApplication>
#include <QElapsedTimer>

#include "Gradient.h"
#include "ucGradContainer.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    ucGradContainer panel;
    panel.resize(800, 600);
    panel.setBackAngle(45);
    panel.setBackMiddleOut(true);
    panel.DrawContainer(); // warm-up

    constexpr int kRounds = 50;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kRounds; ++i)
        panel.DrawContainer();
    const double perPaint = double(timer.nsecsElapsed()) / kRounds / 1e6;

    timer.restart();
    qint64 checksum = 0;
    for (int i = 0; i < kRounds; ++i)
        checksum += gradientImage(800, 600 - 25 - 1, 0xFAE8DC, 0xFCF4EF, 45, true).pixel(0, 0);
    const double perGradient = double(timer.nsecsElapsed()) / kRounds / 1e6;

    std::printf("ucGradContainer 800x600, 45 deg middle-out: %.2f ms per paint (%d paints)\n",
                perPaint, kRounds);
    std::printf("PaintGradient image 800x574 alone: %.2f ms (checksum %lld)\n", perGradient,
                static_cast<long long>(checksum));
    return 0;
}
