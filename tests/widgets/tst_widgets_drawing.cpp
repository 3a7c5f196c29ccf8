#include <QGuiApplication>
#include <QLoggingCategory>
#include <QPainter>
#include <QPalette>
#include <QRegularExpression>
#include <QtTest>

#include "Gradient.h"
#include "GradThemes.h"
#include "OleColor.h"
#include "PropertyBag.h"
#include "Regions.h"
#include "Twips.h"
#include "XpStyle.h"

namespace {
const qint32 kRed = qint32(rgbColour(255, 0, 0));
const qint32 kBlue = qint32(rgbColour(0, 0, 255));

bool rowIsUniform(const QImage& img, int y) {
    for (int x = 1; x < img.width(); ++x)
        if (img.pixel(x, y) != img.pixel(0, y))
            return false;
    return true;
}
} // namespace

class TestWidgetsDrawing : public QObject {
    Q_OBJECT
private slots:
    void emptyRectangleDrawsNothing_data();
    void emptyRectangleDrawsNothing();
    void singleStepIsHalvedAverage();
    void middleOutFold_data();
    void middleOutFold();
    void verticalAngles_data();
    void verticalAngles();
    void horizontalAngles_data();
    void horizontalAngles();
    void middleOutEndsAreFirstColourAtEveryAngle();
    void unresolvedColourPaintsWhite();
    void paintGradientReplacesTarget();
    void roundedRegionCorners_data();
    void roundedRegionCorners();
    void roundedRegionWithoutRadiiIsBox();
    void translateColor_data();
    void translateColor();
    void blendColour_data();
    void blendColour();
    void gradThemes();
    void xpThemes();
    void barHeightsAndPlacement();
    void propertyBag();
    void propertyBagDamagedValuesFallBack();
    void twipsToPixels_data();
    void twipsToPixels();
};

void TestWidgetsDrawing::emptyRectangleDrawsNothing_data() {
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::newRow("zero width") << 0 << 10;
    QTest::newRow("zero height") << 10 << 0;
    QTest::newRow("negative height") << 10 << -4;
}

void TestWidgetsDrawing::emptyRectangleDrawsNothing() {
    QFETCH(int, w);
    QFETCH(int, h);
    QVERIFY(gradientImage(w, h, kRed, kBlue, 45, true).isNull());
    QImage target(20, 20, QImage::Format_RGB32);
    target.fill(Qt::green);
    QPainter p(&target);
    PaintGradient(p, 2, 2, w, h, kRed, kBlue, 45, false);
    p.end();
    QCOMPARE(target.pixel(5, 5), qRgb(0, 255, 0));
}

void TestWidgetsDrawing::singleStepIsHalvedAverage() {
    // 10 x 1 at angle 90 has one step: each channel halved first, 255 and 255 give 254.
    QCOMPARE(gradientGeometry(10, 1, 90).n, 1);
    const QImage img = gradientImage(10, 1, 0xFFFFFF, 0xFFFFFF, 90, false);
    QCOMPARE(img.pixel(0, 0), qRgb(254, 254, 254));
    QCOMPARE(gradientTable(rgbColour(3, 100, 0), rgbColour(5, 201, 255), 1).at(0),
             qRgb(1 + 2, 50 + 100, 0 + 127));
}

void TestWidgetsDrawing::middleOutFold_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<QList<int>>("order");
    QTest::newRow("n = 5") << 5 << QList<int>{0, 2, 4, 3, 1};
    QTest::newRow("n = 4") << 4 << QList<int>{0, 2, 3, 1};
    QTest::newRow("n = 1") << 1 << QList<int>{0};
    QTest::newRow("n = 2") << 2 << QList<int>{0, 1};
}

void TestWidgetsDrawing::middleOutFold() {
    QFETCH(int, n);
    QFETCH(QList<int>, order);
    QList<QRgb> table;
    for (int i = 0; i < n; ++i)
        table << QRgb(i);
    const QList<QRgb> folded = foldMiddleOut(table);
    QCOMPARE(folded.size(), order.size());
    for (int i = 0; i < n; ++i)
        QCOMPARE(int(folded[i]), order[i]);
}

void TestWidgetsDrawing::verticalAngles_data() {
    QTest::addColumn<float>("angle");
    QTest::addColumn<bool>("bottomIsFirst");
    QTest::newRow("90 bottom to top") << 90.0f << true;
    QTest::newRow("270 top to bottom") << 270.0f << false;
}

void TestWidgetsDrawing::verticalAngles() {
    QFETCH(float, angle);
    QFETCH(bool, bottomIsFirst);
    QCOMPARE(gradientGeometry(10, 20, angle).n, 20);
    const QImage img = gradientImage(10, 20, kRed, kBlue, angle, false);
    for (int y = 0; y < 20; ++y)
        QVERIFY2(rowIsUniform(img, y), qPrintable(QString("row %1").arg(y)));
    QCOMPARE(img.pixel(0, 19), bottomIsFirst ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    QCOMPARE(img.pixel(0, 0), bottomIsFirst ? qRgb(0, 0, 255) : qRgb(255, 0, 0));
}

void TestWidgetsDrawing::horizontalAngles_data() {
    QTest::addColumn<float>("angle");
    QTest::addColumn<bool>("leftIsFirst");
    QTest::newRow("0 left to right") << 0.0f << true;
    QTest::newRow("180 right to left") << 180.0f << false;
    QTest::newRow("360 as 0") << 360.0f << true;
}

void TestWidgetsDrawing::horizontalAngles() {
    QFETCH(float, angle);
    QFETCH(bool, leftIsFirst);
    QCOMPARE(gradientGeometry(30, 7, angle).n, 30);
    const QImage img = gradientImage(30, 7, kRed, kBlue, angle, false);
    for (int y = 0; y < 7; ++y) {
        QCOMPARE(img.pixel(0, y), leftIsFirst ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
        QCOMPARE(img.pixel(29, y), leftIsFirst ? qRgb(0, 0, 255) : qRgb(255, 0, 0));
    }
}

void TestWidgetsDrawing::middleOutEndsAreFirstColourAtEveryAngle() {
    const int w = 40, h = 30;
    for (int angle = 0; angle <= 360; ++angle) {
        const GradientGeometry g = gradientGeometry(w, h, float(angle));
        const QImage img = gradientImage(w, h, 0x000000, 0xFFFFFF, float(angle), true);
        const bool fromBottom = g.quadrant % 2 == 0;
        const QPoint start(0, fromBottom ? h - 1 : 0);
        const QPoint end(w - 1, fromBottom ? 0 : h - 1);
        const QString where = QString("angle %1").arg(angle);
        QVERIFY2(img.pixel(start) == qRgb(0, 0, 0), qPrintable(where));
        // The far end is one or two steps from c1, never near c2.
        // (n can exceed the reach of the pixel index by a step on diagonals.)
        const int tolerance = 4 * 255 / std::max(1, g.n - 1) + 1;
        QVERIFY2(qRed(img.pixel(end)) <= tolerance, qPrintable(where));
        // And the middle of the ramp reaches c2.
        int brightest = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                brightest = std::max(brightest, qRed(img.pixel(x, y)));
        QVERIFY2(brightest >= 255 - tolerance, qPrintable(where));
    }
}

void TestWidgetsDrawing::unresolvedColourPaintsWhite() {
    const QImage img = gradientImage(5, 5, -1, -1, 30, false);
    QCOMPARE(img.pixel(2, 2), qRgb(255, 255, 255));
}

void TestWidgetsDrawing::paintGradientReplacesTarget() {
    QImage target(20, 20, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::transparent);
    QPainter p(&target);
    PaintGradient(p, 5, 6, 4, 3, kRed, kRed, 0, false);
    p.end();
    QCOMPARE(target.pixel(5, 6), qRgb(255, 0, 0));
    QCOMPARE(target.pixel(8, 8), qRgb(255, 0, 0));
    QCOMPARE(qAlpha(target.pixel(9, 8)), 0);
    QCOMPARE(qAlpha(target.pixel(8, 9)), 0);
}

void TestWidgetsDrawing::roundedRegionCorners_data() {
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<bool>("inside");
    QTest::addColumn<int>("radius");
    // 20 x 20 with the same radius at every corner.
    QTest::newRow("top left corner pixel") << QPoint(0, 0) << false << 5;
    QTest::newRow("top left cut edge") << QPoint(2, 0) << false << 5;
    QTest::newRow("top left arc") << QPoint(3, 0) << true << 5;
    QTest::newRow("top left diagonal") << QPoint(1, 1) << true << 5;
    QTest::newRow("top right arc is shifted right") << QPoint(17, 0) << true << 5;
    QTest::newRow("top right cut") << QPoint(18, 0) << false << 5;
    QTest::newRow("bottom left cut") << QPoint(0, 19) << false << 5;
    // The bottom-right ellipse sits one pixel further out, so a radius of 5 cuts nothing there.
    QTest::newRow("bottom right kept at 5") << QPoint(19, 19) << true << 5;
    QTest::newRow("bottom right cut at 8") << QPoint(19, 19) << false << 8;
    QTest::newRow("bottom right arc at 8") << QPoint(19, 16) << true << 8;
    QTest::newRow("edge middle") << QPoint(10, 0) << true << 5;
    QTest::newRow("left edge middle") << QPoint(0, 10) << true << 5;
    QTest::newRow("outside half-open box") << QPoint(20, 10) << false << 5;
}

void TestWidgetsDrawing::roundedRegionCorners() {
    QFETCH(QPoint, pixel);
    QFETCH(bool, inside);
    QFETCH(int, radius);
    const QRegion r = CreateRoundedRegion(0, 0, 20, 20, radius, radius, radius, radius);
    QCOMPARE(r.contains(pixel), inside);
}

void TestWidgetsDrawing::roundedRegionWithoutRadiiIsBox() {
    QCOMPARE(CreateRoundedRegion(2, 3, 12, 9, 0, 0, 0, 0), QRegion(2, 3, 10, 6));
    QCOMPARE(CreateRoundedRegion(12, 9, 2, 3, 0, 0, 0, 0), QRegion(2, 3, 10, 6));
    // Only the rounded corner loses pixels.
    const QRegion one = CreateRoundedRegion(0, 0, 20, 20, 6, 0, 0, 0);
    QVERIFY(!one.contains(QPoint(0, 0)));
    QVERIFY(one.contains(QPoint(19, 0)));
    QVERIFY(one.contains(QPoint(0, 19)));
    QVERIFY(one.contains(QPoint(19, 19)));
}

void TestWidgetsDrawing::translateColor_data() {
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<qint64>("expected"); // -2 = the palette's button face
    QTest::newRow("rgb passes") << quint32(0x123456) << qint64(0x123456);
    QTest::newRow("button face") << quint32(0x8000000F) << qint64(-2);
    QTest::newRow("unused system index") << quint32(0x80000019) << qint64(-1);
    QTest::newRow("index out of range") << quint32(0x8000FFFF) << qint64(-1);
    QTest::newRow("unknown kind") << quint32(0x05000000) << qint64(-1);
}

void TestWidgetsDrawing::translateColor() {
    QFETCH(quint32, colour);
    QFETCH(qint64, expected);
    if (expected == -2) {
        const QColor face = QGuiApplication::palette().color(QPalette::Active, QPalette::Button);
        expected = rgbColour(face.red(), face.green(), face.blue());
    }
    QCOMPARE(qint64(TranslateColor(colour)), expected);
    QCOMPARE(qint64(translateOrBlack(colour)), expected < 0 ? 0 : expected);
}

void TestWidgetsDrawing::blendColour_data() {
    QTest::addColumn<quint32>("from");
    QTest::addColumn<quint32>("to");
    QTest::addColumn<int>("alpha");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("grey to black") << rgbColour(90, 90, 90) << 0u << 230 << rgbColour(81, 81, 81);
    QTest::newRow("blue to black") << rgbColour(11, 63, 153) << 0u << 230 << rgbColour(10, 57, 138);
    QTest::newRow("alpha 255 gives from")
        << rgbColour(1, 2, 3) << rgbColour(200, 100, 50) << 255 << rgbColour(1, 2, 3);
    QTest::newRow("alpha 0 gives to")
        << rgbColour(1, 2, 3) << rgbColour(200, 100, 50) << 0 << rgbColour(200, 100, 50);
}

void TestWidgetsDrawing::blendColour() {
    QFETCH(quint32, from);
    QFETCH(quint32, to);
    QFETCH(int, alpha);
    QFETCH(quint32, expected);
    QCOMPARE(dBlendColor(from, to, alpha), expected);
}

void TestWidgetsDrawing::gradThemes() {
    const auto three = gradTheme(3);
    QVERIFY(three);
    QCOMPARE(three->headerColor1, rgbColour(209, 214, 194));
    QCOMPARE(three->captionColor, rgbColour(65, 71, 50));
    QCOMPARE(gradTheme(8)->borderColor, rgbColour(185, 169, 209));
    QVERIFY(!gradTheme(9));
    QVERIFY(!gradTheme(-1));
}

void TestWidgetsDrawing::xpThemes() {
    XpColours c;
    QVERIFY(applyXpTheme(1, c));
    QCOMPARE(c.headerFade, rgbColour(81, 81, 81));
    QVERIFY(applyXpTheme(10, c));
    QCOMPARE(c.headerFade, rgbColour(10, 57, 138));
    QCOMPARE(c.footerFade, rgbColour(10, 57, 138));
    QVERIFY(applyXpTheme(4, c));
    QCOMPARE(c.headerBack, rgbColour(239, 238, 192));
    QCOMPARE(c.button, rgbColour(185, 151, 58));
    // Theme 4's header text must stay legible on its pale header.
    QVERIFY(qGray(toQRgb(qint32(c.headerText))) < 110);
    const XpColours before = c;
    QVERIFY(!applyXpTheme(12, c));
    QCOMPARE(c.headerBack, before.headerBack);
    QCOMPARE(c.border, before.border);
}

void TestWidgetsDrawing::barHeightsAndPlacement() {
    QCOMPARE(headerBarHeight(0), 18);
    QCOMPARE(headerBarHeight(1), 25);
    QCOMPARE(headerBarHeight(2), 40);
    QCOMPARE(headerBarHeight(3), 0);
    QCOMPARE(footerBarHeight(0), 20);
    QCOMPARE(footerBarHeight(1), 34);
    QCOMPARE(footerBarHeight(2), 0);
    Qt::Alignment f = Qt::AlignLeft | Qt::AlignTop;
    QVERIFY(textFormatFor(5, f));
    QCOMPARE(f, Qt::AlignRight | Qt::AlignBottom);
    QVERIFY(textFormatFor(7, f));
    QCOMPARE(f, Qt::AlignHCenter | Qt::AlignVCenter);
    QVERIFY(!textFormatFor(9, f));
    QCOMPARE(f, Qt::AlignHCenter | Qt::AlignVCenter);
}

void TestWidgetsDrawing::propertyBag() {
    MemoryPropertyBag bag;
    bag.WriteProperty("Theme", 0, 0); // equal to its default: skipped
    bag.WriteProperty("Caption", QString("Hello"), QString("MorphContainer"));
    bag.WriteProperty("FooterText", QString(), QVariant()); // no default: always stored
    QCOMPARE(bag.keys(), QStringList({"Caption", "FooterText"}));
    QCOMPARE(bagread::text(bag, "caption", "x"), QString("Hello"));
    QCOMPARE(bagread::integer(bag, "Theme", 7), 7);
    QVERIFY(bag.contains("footertext"));
    // Colours round-trip through signed storage, system indices included.
    bag.WriteProperty("BackColor", colourValue(kButtonFace), colourValue(0));
    QCOMPARE(bagread::colour(bag, "backcolor", 1), kButtonFace);
}

void TestWidgetsDrawing::propertyBagDamagedValuesFallBack() {
    // Each damaged value is read as its default and says so in one info line.
    QLoggingCategory::setFilterRules(QStringLiteral("miravel.widgets.info=true"));
    for (const char* key :
         {"HeaderHeight", "BackAngle", "Movable", "CaptionFont", "Picture", "BorderColor"})
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression(QString("property \"%1\"").arg(key)));
    MemoryPropertyBag bag;
    bag.set("HeaderHeight", QString("lots"));
    bag.set("BackAngle", QString("nan"));
    bag.set("Movable", QString("maybe"));
    bag.set("CaptionFont", 12);
    bag.set("Picture", QString("not a picture"));
    bag.set("BorderColor", QString("99999999999"));
    QCOMPARE(bagread::integer(bag, "HeaderHeight", 25), 25);
    QCOMPARE(bagread::real(bag, "BackAngle", 90.0f), 90.0f);
    QCOMPARE(bagread::boolean(bag, "Movable", false), false);
    QCOMPARE(bagread::font(bag, "CaptionFont", QFont("Serif")).family(), QString("Serif"));
    QVERIFY(!bagread::picture(bag, "Picture").isSet());
    QCOMPARE(bagread::colour(bag, "BorderColor", 5u), 5u);
    QLoggingCategory::setFilterRules(QString());
}

void TestWidgetsDrawing::twipsToPixels_data() {
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("truncated");
    QTest::addColumn<int>("nearest");
    QTest::newRow("zero") << 0 << 0 << 0;
    QTest::newRow("just under half") << 7 << 0 << 0;
    QTest::newRow("just over half") << 8 << 0 << 1;
    QTest::newRow("one pixel") << 15 << 1 << 1;
    QTest::newRow("tree pane height") << 6014 << 400 << 401;
    QTest::newRow("negative") << -8 << 0 << -1;
}

void TestWidgetsDrawing::twipsToPixels() {
    QFETCH(int, twips);
    QFETCH(int, truncated);
    QFETCH(int, nearest);
    QCOMPARE(Twips::toPixels(twips), truncated);
    QCOMPARE(Twips::toNearestPixels(twips), nearest);
    QCOMPARE(Twips::fromPixels(truncated), truncated * 15);
}

QTEST_MAIN(TestWidgetsDrawing)
#include "tst_widgets_drawing.moc"
