#include <QLabel>
#include <QtTest>

#include "PropertyBag.h"
#include "xpFrame.h"

namespace {

void sendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void click(QWidget* w, QPoint pos) {
    sendMouse(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    sendMouse(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);

// Solid custom colours so each part of the frame can be told apart; no outline.
void useSolidColours(xpFrame& f) {
    f.setUseCustomColors(true);
    f.setHeaderBackColor(rgbColour(255, 0, 0));
    f.setHeaderFadeColor(rgbColour(255, 0, 0));
    f.setFooterBackColor(rgbColour(0, 255, 0));
    f.setFooterFadeColor(rgbColour(0, 255, 0));
    f.setContainerBackColor(rgbColour(0, 0, 255));
    f.setContainerFadeColor(rgbColour(0, 0, 255));
    f.setCollapseButtonColor(rgbColour(255, 0, 255));
    f.setContainerBorderStyle(5);
}

// A frame in a host window with the pointer actions switched on.
struct Fixture {
    QWidget host;
    xpFrame* frame;
    Fixture() {
        host.resize(600, 400);
        frame = new xpFrame(&host);
        frame->setGeometry(50, 50, 200, 150);
        frame->setContainerMoveable(true);
        frame->setContainerResizable(true);
        frame->Refresh();
    }
};

} // namespace

class TestXpFrame : public QObject {
    Q_OBJECT
private slots:
    void barHeights_data();
    void barHeights();
    void headerPicturePlacement_data();
    void headerPicturePlacement();
    void bitmapTopLeftColourIsTransparent();
    void customHeaderEndsOneLeft();
    void foldGlyphAfterExpandableWhileFolded();
    void collapseTwiceThenExpand();
    void chevronClickReportsUnfoldedHeight();
    void gripMinimumSizes_data();
    void gripMinimumSizes();
    void pressOnGripResizesElsewhereMoves();
    void classicStyleNeitherMovesNorResizes();
    void closeAndShow();
    void hostMouseMoveStartsResize();
    void classicStyleShowsLabel();
    void persistenceOfTreePane();
};

void TestXpFrame::barHeights_data() {
    QTest::addColumn<int>("headerSize");
    QTest::addColumn<int>("footerSize");
    QTest::addColumn<int>("hh");
    QTest::addColumn<int>("fh");
    QTest::newRow("small header, footer 0") << 0 << 0 << 18 << 20;
    QTest::newRow("default header, big footer") << 1 << 1 << 25 << 34;
    QTest::newRow("big header") << 2 << 0 << 40 << 20;
    QTest::newRow("header size 3") << 3 << 0 << 0 << 20;
    QTest::newRow("footer size 2") << 1 << 2 << 25 << 0;
}

void TestXpFrame::barHeights() {
    QFETCH(int, headerSize);
    QFETCH(int, footerSize);
    QFETCH(int, hh);
    QFETCH(int, fh);
    xpFrame f;
    f.resize(200, 150);
    useSolidColours(f);
    f.setHeaderText(QString());
    f.setHeaderSize(headerSize);
    f.setFooterSize(footerSize);
    const QImage& img = f.surface();
    const int x = 100;
    if (hh > 0) {
        QCOMPARE(img.pixel(x, 0), kRed);
        QCOMPARE(img.pixel(x, hh - 1), kRed);
    }
    QCOMPARE(img.pixel(x, hh), kBlue);
    QCOMPARE(img.pixel(x, 0), hh > 0 ? kRed : kBlue); // a 0-high header leaves the body on top
    QCOMPARE(img.pixel(x, 149 - fh), kBlue);
    if (fh > 0) {
        QCOMPARE(img.pixel(x, 150 - fh), kGreen);
        QCOMPARE(img.pixel(x, 149), kGreen);
    }
}

void TestXpFrame::headerPicturePlacement_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("top");
    QTest::newRow("16 in 25: 4.5 rounds to 4") << 16 << 4;
    QTest::newRow("32 in 25: -3.5 rounds to -4") << 32 << -4;
    QTest::newRow("20 in 25: 2.5 rounds to 2") << 20 << 2;
}

void TestXpFrame::headerPicturePlacement() {
    QFETCH(int, size);
    QFETCH(int, top);
    xpFrame f;
    f.resize(200, 150);
    useSolidColours(f);
    f.setHeaderText(QString());
    QImage icon(8, 8, QImage::Format_ARGB32);
    icon.fill(qRgb(255, 255, 0));
    f.setHeaderPictureSize(size);
    f.setHeaderPicture(Picture::icon(icon));
    const QImage& img = f.surface();
    const QRgb yellow = qRgb(255, 255, 0);
    const int bottom = top + size - 1;
    QCOMPARE(img.pixel(4, std::max(0, top)), yellow);
    QCOMPARE(img.pixel(4 + size - 1, bottom), yellow);
    QVERIFY(img.pixel(4 + size, bottom) != yellow);
    QVERIFY(img.pixel(3, bottom) != yellow);
    QVERIFY(img.pixel(4, bottom + 1) != yellow);
    if (top > 0)
        QVERIFY(img.pixel(4, top - 1) != yellow);
}

void TestXpFrame::bitmapTopLeftColourIsTransparent() {
    xpFrame f;
    f.resize(200, 150);
    useSolidColours(f);
    QImage bmp(16, 16, QImage::Format_RGB32);
    bmp.fill(qRgb(0, 255, 255));
    bmp.setPixel(0, 0, qRgb(1, 1, 1));
    bmp.setPixel(8, 8, qRgb(1, 1, 1)); // same colour inside: a hole
    f.setContainerPicture(Picture::bitmap(bmp));
    f.setContainerPictureSize(16);
    const QImage& img = f.surface();
    // Drawn at (4, 25 + 2).
    QCOMPARE(img.pixel(4 + 1, 27 + 1), qRgb(0, 255, 255));
    QCOMPARE(img.pixel(4, 27), kBlue);
    QCOMPARE(img.pixel(4 + 8, 27 + 8), kBlue);
}

void TestXpFrame::customHeaderEndsOneLeft() {
    xpFrame f;
    f.resize(200, 150);
    f.setContainerBorderStyle(5);
    f.setAppearence(0);
    const QRgb themeHeader = f.surface().pixel(100, 10);
    QCOMPARE(f.surface().pixel(198, 10), themeHeader); // theme: header runs to W - 1
    useSolidColours(f);
    QCOMPARE(f.surface().pixel(197, 10), kRed);
    QVERIFY(f.surface().pixel(198, 10) != kRed); // custom colours: it stops at W - 2
}

void TestXpFrame::foldGlyphAfterExpandableWhileFolded() {
    xpFrame f;
    f.resize(200, 150);
    useSolidColours(f);
    f.setExpandable(true);
    const int L = 200 - 23;
    const QRgb button = qRgb(255, 0, 255);
    auto downGlyph = [&] { return f.surface().pixel(L + 5, 2 + 4) == button; };
    auto upGlyph = [&] { return f.surface().pixel(L + 5, 2 + 7) == button; };
    QVERIFY(downGlyph() && !upGlyph());
    f.Collapse();
    QVERIFY(f.Folded());
    QVERIFY(upGlyph() && !downGlyph());
    f.setExpandable(true);
    QVERIFY(!f.Folded());
    QCOMPARE(f.height(), 25); // the height stays at the header
    QVERIFY(downGlyph() && !upGlyph());
}

void TestXpFrame::collapseTwiceThenExpand() {
    xpFrame f;
    f.resize(200, 150);
    f.Expand(); // never folded nor loaded: height 0
    QCOMPARE(f.height(), 0);
    f.resize(200, 150);
    f.Collapse();
    QCOMPARE(f.height(), 25);
    QCOMPARE(f.ExpandedHeight(), 150 * 15);
    f.Collapse();
    QCOMPARE(f.ExpandedHeight(), 25 * 15);
    f.Expand();
    QCOMPARE(f.height(), 25);
}

void TestXpFrame::chevronClickReportsUnfoldedHeight() {
    Fixture fx;
    fx.frame->setExpandable(true);
    QList<std::pair<bool, int>> clicks;
    QObject::connect(
        fx.frame, &xpFrame::ChevronClick,
        [&](qint16&, qint16&, float&, float&, bool& collapse, int& fh, int& hh, int& height) {
            QCOMPARE(fh, 20);
            QCOMPARE(hh, 25);
            clicks.append({collapse, height});
        });
    const QPoint chevron(200 - 23 + 6, 8);
    click(fx.frame, chevron);
    QVERIFY(fx.frame->Folded());
    QCOMPARE(fx.frame->height(), 25);
    QCOMPARE(fx.frame->pos(), QPoint(50, 50)); // the press started a move, the release ended it
    click(fx.frame, chevron);
    QVERIFY(!fx.frame->Folded());
    QCOMPARE(fx.frame->height(), 150);
    QCOMPARE(clicks, (QList<std::pair<bool, int>>{{true, 2250}, {false, 2250}}));
}

void TestXpFrame::gripMinimumSizes_data() {
    QTest::addColumn<bool>("buttons");
    QTest::addColumn<QSize>("minimum");
    QTest::newRow("no buttons") << false << QSize(64, 45);
    QTest::newRow("both buttons") << true << QSize(108, 45);
}

void TestXpFrame::gripMinimumSizes() {
    QFETCH(bool, buttons);
    QFETCH(QSize, minimum);
    Fixture fx;
    fx.frame->setExpandable(buttons);
    fx.frame->setCloseable(buttons);
    sendMouse(fx.frame, QEvent::MouseButtonPress, QPoint(190, 140), Qt::LeftButton, Qt::LeftButton);
    sendMouse(fx.frame, QEvent::MouseMove, QPoint(191, 141), Qt::NoButton, Qt::LeftButton);
    sendMouse(fx.frame, QEvent::MouseMove, QPoint(3, 3), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(fx.frame->size(), minimum);
    sendMouse(fx.frame, QEvent::MouseButtonRelease, QPoint(3, 3), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(fx.frame->size(), minimum);
    QVERIFY(!fx.frame->cResize());
}

void TestXpFrame::pressOnGripResizesElsewhereMoves() {
    {
        Fixture fx;
        auto* child = new QLabel("tree", fx.frame);
        child->move(2, 24);
        fx.host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fx.host));
        QList<QSize> reported;
        QObject::connect(fx.frame, &xpFrame::Resize,
                         [&](int& w, int& h) { reported.append(QSize(w, h)); });
        sendMouse(fx.frame, QEvent::MouseButtonPress, QPoint(190, 140), Qt::LeftButton,
                  Qt::LeftButton);
        QVERIFY(!fx.frame->cMove());
        sendMouse(fx.frame, QEvent::MouseMove, QPoint(191, 141), Qt::NoButton, Qt::LeftButton);
        QVERIFY(fx.frame->cResize());
        sendMouse(fx.frame, QEvent::MouseMove, QPoint(300, 250), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(fx.frame->size(), QSize(300, 250));
        QCOMPARE(fx.frame->pos(), QPoint(50, 50));
        QTRY_VERIFY(child->isHidden()); // the preview hides contained widgets
        sendMouse(fx.frame, QEvent::MouseButtonRelease, QPoint(300, 250), Qt::LeftButton,
                  Qt::NoButton);
        QCOMPARE(reported, (QList<QSize>{QSize(191, 141), QSize(300, 250)}));
        QVERIFY(!child->isHidden()); // and the release shows them again
    }
    {
        Fixture fx;
        QList<QPoint> moves;
        QObject::connect(fx.frame, &xpFrame::Move,
                         [&](int& x, int& y) { moves.append(QPoint(x, y)); });
        sendMouse(fx.frame, QEvent::MouseButtonPress, QPoint(100, 80), Qt::LeftButton,
                  Qt::LeftButton);
        QVERIFY(fx.frame->cMove());
        // Across the grip: the move goes on and nothing is resized.
        sendMouse(fx.frame, QEvent::MouseMove, QPoint(190, 140), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(fx.frame->pos(), QPoint(140, 110));
        QCOMPARE(fx.frame->size(), QSize(200, 150));
        QVERIFY(!fx.frame->cResize());
        sendMouse(fx.frame, QEvent::MouseButtonRelease, QPoint(190, 140), Qt::LeftButton,
                  Qt::NoButton);
        QCOMPARE(moves, QList<QPoint>{QPoint(140, 110)});
        QVERIFY(!fx.frame->cMove());
    }
}

void TestXpFrame::classicStyleNeitherMovesNorResizes() {
    Fixture fx;
    fx.frame->setClassicXPStyle(true);
    sendMouse(fx.frame, QEvent::MouseButtonPress, QPoint(190, 140), Qt::LeftButton, Qt::LeftButton);
    sendMouse(fx.frame, QEvent::MouseMove, QPoint(191, 141), Qt::NoButton, Qt::LeftButton);
    sendMouse(fx.frame, QEvent::MouseMove, QPoint(300, 250), Qt::NoButton, Qt::LeftButton);
    sendMouse(fx.frame, QEvent::MouseButtonRelease, QPoint(300, 250), Qt::LeftButton, Qt::NoButton);
    sendMouse(fx.frame, QEvent::MouseButtonPress, QPoint(100, 80), Qt::LeftButton, Qt::LeftButton);
    sendMouse(fx.frame, QEvent::MouseMove, QPoint(120, 90), Qt::NoButton, Qt::LeftButton);
    sendMouse(fx.frame, QEvent::MouseButtonRelease, QPoint(120, 90), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(fx.frame->geometry(), QRect(50, 50, 200, 150));
}

void TestXpFrame::closeAndShow() {
    Fixture fx;
    fx.host.show();
    fx.frame->setCloseable(true);
    QVERIFY(fx.frame->isVisible());
    click(fx.frame, QPoint(200 - 23 + 6, 8));
    QVERIFY(fx.frame->Closed());
    QVERIFY(!fx.frame->isVisible());
    fx.frame->showMe();
    QVERIFY(!fx.frame->Closed());
    QVERIFY(fx.frame->isVisible());
    // Not closeable: the same click does nothing.
    fx.frame->setCloseable(false);
    click(fx.frame, QPoint(200 - 23 + 6, 8));
    QVERIFY(fx.frame->isVisible());
}

void TestXpFrame::hostMouseMoveStartsResize() {
    Fixture fx;
    QObject::connect(
        fx.frame, &xpFrame::MouseMove,
        [](qint16&, qint16&, float&, float&, bool& cResize, bool&) { cResize = true; });
    sendMouse(fx.frame, QEvent::MouseButtonPress, QPoint(100, 80), Qt::LeftButton, Qt::LeftButton);
    sendMouse(fx.frame, QEvent::MouseMove, QPoint(120, 100), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(fx.frame->geometry(), QRect(50, 50, 120, 100));
    QVERIFY(!fx.frame->cMove());
}

void TestXpFrame::classicStyleShowsLabel() {
    Fixture fx;
    fx.frame->setExpandable(true);
    fx.frame->setCloseable(true);
    fx.frame->setHeaderText("Suras");
    fx.frame->setClassicXPStyle(true);
    QVERIFY(!fx.frame->Label1()->isHidden());
    QCOMPARE(fx.frame->Label1()->text(), QString("Suras"));
    QCOMPARE(fx.frame->BackColor(), kButtonFace);
    fx.frame->setExpandable(true); // refused in the classic style
    QVERIFY(!fx.frame->Expandable());
    fx.frame->setClassicXPStyle(false);
    QVERIFY(fx.frame->Label1()->isHidden());
}

void TestXpFrame::persistenceOfTreePane() {
    xpFrame pane(nullptr, "xplst");
    QFont arial("Arial");
    arial.setPointSizeF(8.25);
    pane.setHeaderTextFont(arial);
    pane.setFooterTextFont(arial);
    pane.setContainerTextFont(arial);
    pane.setHeaderText("xpFrame1");
    pane.setFooterText(QString());
    pane.setFooterBackColor(0x80FF);
    pane.setHeaderFadeColor(0xFFC0FF);
    pane.setAppearence(4);
    MemoryPropertyBag bag;
    pane.WriteProperties(bag);
    const QStringList keys = bag.keys();
    QVERIFY(keys.contains("FooterText"));     // empty, but always written
    QVERIFY(keys.contains("ClassicXPStyle")); // False differs from the load default
    QVERIFY(keys.indexOf("HeaderTextFont") < keys.indexOf("footerTextFont"));
    QVERIFY(!keys.contains("Closed"));

    xpFrame loaded;
    loaded.resize(191, 400);
    loaded.ReadProperties(bag);
    QCOMPARE(loaded.Appearence(), 4);
    QCOMPARE(loaded.HeaderText(), QString("xpFrame1"));
    QCOMPARE(loaded.FooterText(), QString());
    QVERIFY(!loaded.ClassicXPStyle());
    QVERIFY(!loaded.ZOrderOnFocus());
    QCOMPARE(loaded.HeaderTextFont().family(), QString("Arial"));
    QCOMPARE(loaded.ExpandedHeight(), 400 * 15);
    QCOMPARE(loaded.ThemeColours().headerBack, rgbColour(239, 238, 192));

    MemoryPropertyBag empty; // every key missing: the second defaults
    xpFrame bare;
    bare.ReadProperties(empty);
    QCOMPARE(bare.HeaderText(), QString("Header"));
    QCOMPARE(bare.FooterText(), QString("Footer"));
    QVERIFY(bare.ClassicXPStyle());
    QVERIFY(bare.ZOrderOnFocus());
}

QTEST_MAIN(TestXpFrame)
#include "tst_xp_frame.moc"
