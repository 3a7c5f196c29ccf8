#include "artworkset.h"
#include "gifwriter.h"

#include <QFile>
#include <QImageReader>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace miravel::artwork;

namespace {

QImage stripes(int width, int height, int colours) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int k = (x + 3 * y) % colours;
            image.setPixel(x, y, qRgb(k, (k * 7) % 256, 255 - k));
        }
    return image;
}

QImage gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    return image;
}

int largestChannelError(const QImage& a, const QImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)),
                              qAbs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

} // namespace

class TestArtwork : public QObject {
    Q_OBJECT
private slots:
    void gifRoundTrip_data();
    void gifRoundTrip();
    void gifRejectsEmptyImage();
    void everyPictureHasItsFormatAndSize();
    void aboutBoxIsTwentyFourBit();
    void committedPagePicturesAreTheToolsDrawing();
};

void TestArtwork::gifRoundTrip_data() {
    QTest::addColumn<QImage>("image");
    QTest::addColumn<int>("tolerance");
    // Few colours keep their exact values; long rows cross many clear codes.
    QTest::newRow("one pixel") << stripes(1, 1, 1) << 0;
    QTest::newRow("five colours, many clears") << stripes(700, 9, 5) << 0;
    QTest::newRow("exactly 256 colours") << stripes(256, 3, 256) << 0;
    QTest::newRow("single column") << stripes(1, 600, 3) << 0;
    QTest::newRow("many colours are reduced") << gradient(256, 256) << 48;
}

void TestArtwork::gifRoundTrip() {
    QFETCH(QImage, image);
    QFETCH(int, tolerance);
    const QByteArray bytes = GifWriter::encode(image);
    QVERIFY(bytes.startsWith("GIF89a"));
    QVERIFY(bytes.endsWith(char(0x3b)));
    const QImage back = QImage::fromData(bytes, "gif");
    QCOMPARE(back.size(), image.size());
    QVERIFY(largestChannelError(image, back.convertToFormat(QImage::Format_RGB32)) <= tolerance);
}

void TestArtwork::gifRejectsEmptyImage() {
    QVERIFY(GifWriter::encode(QImage()).isEmpty());
}

void TestArtwork::everyPictureHasItsFormatAndSize() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QSet<QString> names;
    for (const ArtworkItem& item : ArtworkSet::all()) {
        // The page server matches names without regard to case.
        QVERIFY2(!names.contains(item.fileName.toLower()), qPrintable(item.fileName));
        names.insert(item.fileName.toLower());
        QVERIFY2(ArtworkSet::write(item, dir.path()), qPrintable(item.fileName));
        // Read by content, not by name: "q" and "miravelimage_gif" have no extension.
        QImageReader reader(dir.filePath(item.fileName));
        reader.setDecideFormatFromContent(true);
        QCOMPARE(reader.format(), ArtworkSet::formatName(item.format));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(item.fileName));
        QCOMPARE(image.size(), item.size);
    }
    QCOMPARE(names.size(), 15 + 14);
}

void TestArtwork::aboutBoxIsTwentyFourBit() {
    QTemporaryDir dir;
    for (const ArtworkItem& item : ArtworkSet::all()) {
        if (item.fileName != QLatin1String("about.png"))
            continue;
        QVERIFY(ArtworkSet::write(item, dir.path()));
        QFile file(dir.filePath(item.fileName));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray head = file.read(26);
        QCOMPARE(int(uchar(head.at(24))), 8); // bits per sample
        QCOMPARE(int(uchar(head.at(25))), 2); // colour type: RGB without alpha
        return;
    }
    QFAIL("about.png missing");
}

// The page pictures under resources/html are the tool's output: a change to a
// drawing must come with the pictures written again (see main.cpp).
void TestArtwork::committedPagePicturesAreTheToolsDrawing() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QDir committed(QStringLiteral(MIRAVEL_PAGE_PICTURES));
    for (const ArtworkItem& item : ArtworkSet::all()) {
        if (item.folder != ArtworkFolder::Html)
            continue;
        QVERIFY(ArtworkSet::write(item, dir.path()));
        const auto decode = [](const QString& path) {
            QImageReader reader(path);
            reader.setDecideFormatFromContent(true);
            return reader.read().convertToFormat(QImage::Format_RGB32);
        };
        const QImage drawn = decode(dir.filePath(item.fileName));
        const QImage stored = decode(committed.filePath(item.fileName));
        QCOMPARE(stored.size(), drawn.size());
        // Another JPEG library may round a little differently.
        QVERIFY2(largestChannelError(stored, drawn) <= 8, qPrintable(item.fileName));
    }
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
