#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

#include "GradThemes.h"
#include "PropertyBag.h"
#include "Regions.h"
#include "ucGradContainer.h"

namespace {

void sendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// A container that paints a fixed pattern, to check what a transparent panel copies.
class PatternWidget : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        for (int y = 0; y < height(); y += 10)
            for (int x = 0; x < width(); x += 10)
                p.fillRect(x, y, 10, 10, QColor((x * 3) % 256, (y * 5) % 256, 77));
    }
};

} // namespace

class TestGradContainer : public QObject {
    Q_OBJECT
private slots:
    void angleClamping_data();
    void angleClamping();
    void themeAssignment();
    void borderRingAndShape();
    void doubleClickFolding_data();
    void doubleClickFolding();
    void minimumHeight();
    void draggingByHeader_data();
    void draggingByHeader();
    void folderSavedFoldedLoadsFolded();
    void persistenceRoundTrip();
    void transparentShowsContainer();
    void bodyPictureReplacesGradient();
};

void TestGradContainer::angleClamping_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<float>("expected");
    QTest::newRow("above 360") << 400.0f << 360.0f;
    QTest::newRow("negative") << -5.0f << 0.0f;
    QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << 0.0f;
    QTest::newRow("in range") << 45.5f << 45.5f;
}

void TestGradContainer::angleClamping() {
    QFETCH(float, value);
    QFETCH(float, expected);
    ucGradContainer w;
    w.setBackAngle(value);
    w.setHeaderAngle(value);
    QCOMPARE(w.BackAngle(), expected);
    QCOMPARE(w.HeaderAngle(), expected);
}

void TestGradContainer::themeAssignment() {
    ucGradContainer w;
    QSignalSpy changed(&w, &ucGradContainer::PropertyChanged);
    w.setTheme(9);
    QCOMPARE(w.Theme(), 9);
    QCOMPARE(w.HeaderColor1(), OleColor(15582631)); // defaults kept
    QCOMPARE(w.CaptionColor(), OleColor(8072450));
    w.setTheme(3);
    QCOMPARE(w.Theme(), 3);
    const GradThemeColours t = *gradTheme(3);
    QCOMPARE(w.HeaderColor1(), t.headerColor1);
    QCOMPARE(w.HeaderColor2(), t.headerColor2);
    QCOMPARE(w.BackColor1(), t.backColor1);
    QCOMPARE(w.BackColor2(), t.backColor2);
    QCOMPARE(w.BorderColor(), t.borderColor);
    QCOMPARE(w.CaptionColor(), t.captionColor);
    QStringList keys;
    for (const auto& args : changed)
        keys << args.at(0).toString();
    QCOMPARE(keys, QStringList({"Theme", "Theme", "HeaderColor2", "HeaderColor1", "BackColor2",
                                "BackColor1", "BorderColor", "CaptionColor"}));
}

void TestGradContainer::borderRingAndShape() {
    ucGradContainer w;
    w.resize(120, 90);
    w.setBorderColor(rgbColour(255, 0, 255));
    w.setCurveBottomLeft(10);
    w.setCurveTopRight(10);
    const QRgb magenta = qRgb(255, 0, 255);
    QCOMPARE(w.hdc().pixel(60, 89), magenta);
    QCOMPARE(w.hdc().pixel(0, 60), magenta);
    QCOMPARE(w.mask(), CreateRoundedRegion(0, 0, 120, 90, 0, 10, 10, 0));

    w.setBorderWidth(0);
    QVERIFY(w.hdc().pixel(60, 89) != magenta);
    QVERIFY(w.hdc().pixel(0, 60) != magenta);
    QCOMPARE(w.mask(), CreateRoundedRegion(0, 0, 120, 90, 0, 10, 10, 0));
    QVERIFY(!w.mask().contains(QPoint(0, 89)));
}

void TestGradContainer::doubleClickFolding_data() {
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("autoResizeOn");
    QTest::addColumn<bool>("headerVisible");
    QTest::addColumn<bool>("autoResize");
    QTest::addColumn<bool>("folds");
    QTest::newRow("right in header") << 10 << int(Qt::RightButton) << 1 << true << true << true;
    QTest::newRow("left with AutoResizeOn 0")
        << 10 << int(Qt::LeftButton) << 0 << true << true << true;
    QTest::newRow("left with AutoResizeOn 1")
        << 10 << int(Qt::LeftButton) << 1 << true << true << false;
    QTest::newRow("right with AutoResizeOn 0")
        << 10 << int(Qt::RightButton) << 0 << true << true << false;
    QTest::newRow("below header") << 40 << int(Qt::RightButton) << 1 << true << true << false;
    QTest::newRow("header hidden") << 10 << int(Qt::RightButton) << 1 << false << true << false;
    QTest::newRow("AutoResize off") << 10 << int(Qt::RightButton) << 1 << true << false << false;
}

void TestGradContainer::doubleClickFolding() {
    QFETCH(int, y);
    QFETCH(int, button);
    QFETCH(int, autoResizeOn);
    QFETCH(bool, headerVisible);
    QFETCH(bool, autoResize);
    QFETCH(bool, folds);
    QWidget host;
    host.resize(400, 300);
    auto* w = new ucGradContainer(&host);
    w->setGeometry(10, 10, 200, 150);
    w->setAutoResizeOn(autoResizeOn);
    w->setHeaderVisible(headerVisible);
    w->setAutoResize(autoResize);
    QSignalSpy dbl(w, &ucGradContainer::DblClick);
    const auto b = Qt::MouseButton(button);

    sendMouse(w, QEvent::MouseMove, QPoint(20, y), Qt::NoButton, Qt::NoButton);
    sendMouse(w, QEvent::MouseButtonDblClick, QPoint(20, y), b, b);
    sendMouse(w, QEvent::MouseButtonRelease, QPoint(20, y), b, Qt::NoButton);
    QCOMPARE(dbl.count(), 1);
    QCOMPARE(w->Expanded(), !folds);
    QCOMPARE(w->height(), folds ? 25 : 150);
    if (!folds)
        return;
    QCOMPARE(w->rememberedHeight(), 150 * 15);
    sendMouse(w, QEvent::MouseButtonDblClick, QPoint(20, y), b, b);
    QVERIFY(w->Expanded());
    QCOMPARE(w->height(), 150);
    QCOMPARE(dbl.count(), 2);
}

void TestGradContainer::minimumHeight() {
    ucGradContainer w;
    w.resize(100, 5);
    QCOMPARE(w.height(), 25);
    w.setHeaderHeight(40);
    w.resize(100, 30);
    QCOMPARE(w.height(), 40);
}

void TestGradContainer::draggingByHeader_data() {
    QTest::addColumn<bool>("movable");
    QTest::addColumn<int>("pressY");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("moves");
    QTest::newRow("left in header") << true << 10 << int(Qt::LeftButton) << true;
    QTest::newRow("not movable") << false << 10 << int(Qt::LeftButton) << false;
    QTest::newRow("press in body") << true << 60 << int(Qt::LeftButton) << false;
    QTest::newRow("right button") << true << 10 << int(Qt::RightButton) << false;
}

void TestGradContainer::draggingByHeader() {
    QFETCH(bool, movable);
    QFETCH(int, pressY);
    QFETCH(int, button);
    QFETCH(bool, moves);
    QWidget host;
    host.resize(400, 300);
    auto* w = new ucGradContainer(&host);
    w->setGeometry(10, 10, 200, 150);
    w->setMovable(movable);
    int moveEvents = 0;
    QObject::connect(w, &ucGradContainer::MouseMove,
                     [&](qint16&, qint16&, float&, float&) { ++moveEvents; });
    const auto b = Qt::MouseButton(button);
    sendMouse(w, QEvent::MouseButtonPress, QPoint(30, pressY), b, b);
    sendMouse(w, QEvent::MouseMove, QPoint(50, pressY + 5), Qt::NoButton, b);
    sendMouse(w, QEvent::MouseButtonRelease, QPoint(50, pressY + 5), b, Qt::NoButton);
    QCOMPARE(w->pos(), moves ? QPoint(30, 15) : QPoint(10, 10));
    QCOMPARE(moveEvents, 1); // raised in every case, after the widget's own handling
    // After the release nothing follows the pointer any more.
    sendMouse(w, QEvent::MouseMove, QPoint(80, 80), Qt::NoButton, Qt::NoButton);
    QCOMPARE(w->pos(), moves ? QPoint(30, 15) : QPoint(10, 10));
}

void TestGradContainer::folderSavedFoldedLoadsFolded() {
    MemoryPropertyBag bag;
    bag.set("expanded", false);
    ucGradContainer w;
    w.resize(100, 100);
    w.ReadProperties(bag);
    QVERIFY(!w.Expanded());
    QCOMPARE(w.IconSize(), 1); // a missing key reads as fitted
    w.ExpandContainer();       // no remembered height: the minimum height keeps it folded-looking
    QVERIFY(w.Expanded());
    QCOMPARE(w.height(), 25);
}

void TestGradContainer::persistenceRoundTrip() {
    ucGradContainer a;
    MemoryPropertyBag plain;
    a.WriteProperties(plain);
    // A new widget differs from the load defaults only in IconSize (0 against 1).
    QCOMPARE(plain.keys(), QStringList({"IconSize"}));

    a.setTheme(3);
    a.setHeaderVisible(false);
    a.setCaption("Search");
    a.setBackAngle(30);
    a.setCaptionFont(QFont("Serif", 11));
    MemoryPropertyBag bag;
    a.WriteProperties(bag);
    QCOMPARE(bag.keys().first(), QString("BackAngle"));
    QVERIFY(bag.keys().indexOf("Theme") > bag.keys().indexOf("CaptionColor"));

    ucGradContainer b;
    b.ReadProperties(bag);
    QCOMPARE(b.Theme(), 3);
    QCOMPARE(b.HeaderVisible(), false);
    QCOMPARE(b.Caption(), QString("Search"));
    QCOMPARE(b.BackAngle(), 30.0f);
    QCOMPARE(b.CaptionColor(), gradTheme(3)->captionColor);
    QCOMPARE(b.CaptionFont()->family(), QString("Serif"));
    QCOMPARE(b.IconSize(), 0);
}

void TestGradContainer::transparentShowsContainer() {
    PatternWidget host;
    host.resize(300, 200);
    auto* w = new ucGradContainer(&host);
    w->setGeometry(40, 30, 150, 120);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    w->setTransparent(true);
    const QImage& surface = w->hdc();
    QImage expected(host.size(), QImage::Format_ARGB32_Premultiplied);
    host.render(&expected, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    for (const QPoint& p : {QPoint(20, 60), QPoint(100, 100), QPoint(5, 40)})
        QCOMPARE(surface.pixel(p), expected.pixel(p + QPoint(40, 30)));
}

void TestGradContainer::bodyPictureReplacesGradient() {
    ucGradContainer w;
    w.resize(100, 80);
    QImage pic(30, 30, QImage::Format_RGB32);
    pic.fill(qRgb(1, 2, 3));
    w.setPicture(Picture::bitmap(pic));
    QCOMPARE(w.hdc().pixel(10, 28), qRgb(1, 2, 3)); // under the header's bottom edge
    QVERIFY(w.hdc().pixel(50, 60) != qRgb(1, 2, 3));
    w.setPicture(Picture::bitmap(QImage(0, 0, QImage::Format_RGB32)));
    QVERIFY(w.hdc().pixel(10, 28) != qRgb(1, 2, 3));
}

QTEST_MAIN(TestGradContainer)
#include "tst_grad_container.moc"
