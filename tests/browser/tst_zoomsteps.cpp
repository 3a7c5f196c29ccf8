#include "ZoomSteps.h"

#include <QTest>

// The zoom levels and the steps between them, without a window.
class tst_ZoomSteps : public QObject {
    Q_OBJECT

private slots:
    void levelsAreTheBrowsersOwn() {
        const QList<int> expected{25,  33,  50,  67,  75,  80,  90,  100, 110,
                                  125, 150, 175, 200, 250, 300, 400, 500};
        QCOMPARE(ZoomSteps::levels(), expected);
    }

    void steps_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("larger");
        QTest::addColumn<int>("smaller");
        QTest::newRow("normal") << 100 << 110 << 90;
        QTest::newRow("smallest stays") << 25 << 33 << 25;
        QTest::newRow("largest stays") << 500 << 500 << 400;
        QTest::newRow("between 67 and 75") << 67 << 75 << 50;
        QTest::newRow("between 300 and 400") << 300 << 400 << 250;
        // A zoom between levels goes to the neighbouring levels, not past them.
        QTest::newRow("off the levels") << 105 << 110 << 100;
        QTest::newRow("below all") << 10 << 25 << 25;
        QTest::newRow("above all") << 900 << 500 << 500;
    }

    void steps() {
        QFETCH(int, from);
        QTEST(ZoomSteps::larger(from), "larger");
        QTEST(ZoomSteps::smaller(from), "smaller");
    }

    void walkingUpThenDownPassesEveryLevel() {
        QList<int> up{25};
        while (up.back() != 500)
            up.append(ZoomSteps::larger(up.back()));
        QCOMPARE(up, ZoomSteps::levels());
        QList<int> down{500};
        while (down.front() != 25)
            down.prepend(ZoomSteps::smaller(down.front()));
        QCOMPARE(down, ZoomSteps::levels());
    }

    void storedText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("percent"); // 0: not a zoom
        QTest::newRow("normal") << "100" << 100;
        QTest::newRow("a level") << "175" << 175;
        QTest::newRow("blanks around") << " 250 " << 250;
        QTest::newRow("not a level") << "120" << 0;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("negative") << "-100" << 0;
        QTest::newRow("too large") << "1000" << 0;
        QTest::newRow("fraction") << "100.5" << 0;
        QTest::newRow("trailing text") << "100%" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("junk") << "big" << 0;
        QTest::newRow("beyond 32 bits") << "4294967396" << 0;
    }

    void storedText() {
        QFETCH(QString, text);
        QFETCH(int, percent);
        QCOMPARE(ZoomSteps::fromText(text).value_or(0), percent);
    }
};

QTEST_APPLESS_MAIN(tst_ZoomSteps)
#include "tst_zoomsteps.moc"
