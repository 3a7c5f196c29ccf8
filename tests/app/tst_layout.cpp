#include "DisplayOrder.h"
#include "MainLayout.h"

#include <QTest>

// The main window's placement rules and the library toggles' order edits.
class TestLayout : public QObject {
    Q_OBJECT

    static MainLayoutState designState() {
        MainLayoutState s;
        s.treePane.width = 2865;
        s.tree.left = 30;
        s.tree.top = 360;
        return s;
    }

private slots:
    void windowOf12000By9000() {
        MainLayoutState s = designState();
        layoutMainWindow(s, 12000, 9000, kTopOffsetWithToolbar);
        QCOMPARE(s.treePane, (TwipsRect{280, 990, 2865, 6910}));
        QCOMPARE(s.frame, (TwipsRect{3145, 990, 8455, 6910}));
        QCOMPARE(s.browser, (TwipsRect{-30, -30, 8515, 6970}));
        QCOMPARE(s.tree, (TwipsRect{30, 360, 2795, 6810}));
        QCOMPARE(s.background, (TwipsRect{0, 740, 11900, 7500}));
    }

    void hidingTheToolbarGivesOneRow() {
        MainLayoutState s = designState();
        layoutMainWindow(s, 12000, 9000, kTopOffsetWithoutToolbar);
        QCOMPARE(s.treePane.top, 600.f);
        QCOMPARE(s.treePane.height, 6910.f + 390);
        QCOMPARE(s.frame.height, 6910.f + 390);
    }

    void negativeSizesKeepTheFormerSize() {
        MainLayoutState s = designState();
        layoutMainWindow(s, 12000, 9000, kTopOffsetWithToolbar);
        layoutMainWindow(s, 2000, 1500, kTopOffsetWithToolbar); // nearly minimised
        QCOMPARE(s.treePane.height, 6910.f);
        QCOMPARE(s.frame.width, 8455.f);
        QCOMPARE(s.background.width, 1900.f); // steps after a failed one still run
        QCOMPARE(s.treePane.top, 990.f);
    }

    void hiddenTreePaneKeepsFrameWidth() {
        MainLayoutState s = designState();
        layoutMainWindow(s, 12000, 9000, kTopOffsetWithToolbar);
        s.treePaneVisible = false;
        layoutMainWindow(s, 15000, 9000, kTopOffsetWithToolbar);
        QCOMPARE(s.frame.width, 8455.f);
    }

    // The rules let the tree hang 260 twips below its pane; it is cut to end
    // where the pane's footer begins, and only there.
    void treeEndsInsideItsPane_data() {
        QTest::addColumn<float>("innerBottom");
        QTest::addColumn<float>("height");
        QTest::newRow("above a 20-pixel footer") << 6910.f - 300 << 6250.f;
        QTest::newRow("room below the rules' tree") << 8000.f << 6810.f;
        QTest::newRow("pane shorter than the tree's top") << 300.f << 0.f;
    }
    void treeEndsInsideItsPane() {
        QFETCH(float, innerBottom);
        QFETCH(float, height);
        MainLayoutState s = designState();
        layoutMainWindow(s, 12000, 9000, kTopOffsetWithToolbar);
        const TwipsRect tree = treeWithinPane(s, innerBottom);
        QCOMPARE(tree, (TwipsRect{30, 360, 2795, height}));
        QCOMPARE(s.tree.height, 6810.f); // the rules' own figure stays
    }

    void toggles_data() {
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("result"); // "refused" when nothing changes
        QTest::newRow("uncheck T in 1/2/3") << "1/2/3" << 2 << false << "1/3";
        QTest::newRow("uncheck A in 1/2/3") << "1/2/3" << 1 << false << "2/3";
        QTest::newRow("uncheck last in 1/2/3") << "1/2/3" << 3 << false << "1/2";
        QTest::newRow("check translit in 1/2") << "1/2" << 3 << true << "1/2/3";
        QTest::newRow("check A in 3/2") << "3/2" << 1 << true << "3/2/1";
        QTest::newRow("uncheck the only one") << "2" << 2 << false << "refused";
        QTest::newRow("uncheck first of two") << "2/1" << 2 << false << "1";
        QTest::newRow("uncheck second of two") << "2/1" << 1 << false << "2";
        QTest::newRow("uncheck absent") << "1/2" << 3 << false << "1/2";
        // Only whole "/"-separated parts name libraries.
        QTest::newRow("uncheck 3 beside a non-code") << "12/3" << 3 << false << "refused";
        QTest::newRow("check 1 beside a non-code") << "12/3" << 1 << true << "3/1";
        QTest::newRow("uncheck 2 beside a non-code") << "12/2/3" << 2 << false << "3";
        QTest::newRow("check a shown library") << "1/2" << 2 << true << "1/2";
    }
    void toggles() {
        QFETCH(QString, order);
        QFETCH(int, code);
        QFETCH(bool, checked);
        QFETCH(QString, result);
        const auto next = DisplayOrder::toggled(order, code, checked);
        QCOMPARE(next.value_or(QStringLiteral("refused")), result);
    }

    void togglesStartFromTheOrder() {
        QVERIFY(DisplayOrder::isShown(QStringLiteral("1/2"), 1));
        QVERIFY(DisplayOrder::isShown(QStringLiteral("1/2"), 2));
        QVERIFY(!DisplayOrder::isShown(QStringLiteral("1/2"), 3));
        QVERIFY(DisplayOrder::isShown(QStringLiteral("3/1"), 3));
        QVERIFY(!DisplayOrder::isShown(QStringLiteral("3/1"), 2));
        // A code that only contains a digit does not show that library.
        QVERIFY(!DisplayOrder::isShown(QStringLiteral("12/3"), 1));
        QVERIFY(!DisplayOrder::isShown(QStringLiteral("12/3"), 2));
        QVERIFY(DisplayOrder::isShown(QStringLiteral("12/3"), 3));
    }
};

QTEST_GUILESS_MAIN(TestLayout)
#include "tst_layout.moc"
