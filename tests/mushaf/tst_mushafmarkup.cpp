#include "LibraryFormat.h"
#include "MushafMarkup.h"

#include <QRegularExpression>
#include <QTest>

namespace {

QString stored(const QString& plain) {
    return QString::fromLatin1(LibraryFormat::toAsciiMarkup(plain));
}

// The markup with its tags taken out: the text the page holds.
QString withoutTags(QString markup) {
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    return markup.remove(tag);
}

} // namespace

// A pause mark stays with the word before it; the text itself is never
// changed, only wrapped.
class TestMushafMarkup : public QObject {
    Q_OBJECT

private slots:
    void marksStayWithTheirWord_data() {
        QTest::addColumn<QString>("verse");    // plain text
        QTest::addColumn<QString>("expected"); // the wrapped part between [ and ]
        QTest::newRow("no mark") << QStringLiteral("ذَٰلِكَ الْكِتَابُ") << QStringLiteral("ذَٰلِكَ الْكِتَابُ");
        QTest::newRow("a pause mark")
            << QStringLiteral("لَا رَيْبَ ۛ فِيهِ") << QStringLiteral("لَا [رَيْبَ ۛ] فِيهِ");
        QTest::newRow("two marks in a verse")
            << QStringLiteral("رَيْبَ ۛ فِيهِ ۛ هُدًى") << QStringLiteral("[رَيْبَ ۛ] [فِيهِ ۛ] هُدًى");
        QTest::newRow("the prostration sign at the end")
            << QStringLiteral("وَاقْتَرِب ۩") << QStringLiteral("[وَاقْتَرِب ۩]");
        QTest::newRow("two marks after one word")
            << QStringLiteral("قَلِيلٌ ۗ ۚ وَ") << QStringLiteral("[قَلِيلٌ ۗ ۚ] وَ");
        QTest::newRow("a mark with no word before it")
            << QStringLiteral("ۚ وَ") << QStringLiteral("ۚ وَ");
        QTest::newRow("the end-of-verse sign is no pause mark")
            << QStringLiteral("كَلِمَةٌ ۝") << QStringLiteral("كَلِمَةٌ ۝");
    }
    void marksStayWithTheirWord() {
        QFETCH(QString, verse);
        QFETCH(QString, expected);
        QString want = stored(expected);
        want.replace(QLatin1Char('['), QStringLiteral("<span class='pw'>"))
            .replace(QLatin1Char(']'), QStringLiteral("</span>"));
        const QString markup = MushafMarkup::keepMarksWithWords(stored(verse));
        QCOMPARE(markup, want);
        QCOMPARE(withoutTags(markup), stored(verse));
        // Plain Unicode text is wrapped the same way.
        const QString plain = MushafMarkup::keepMarksWithWords(verse);
        QCOMPARE(withoutTags(plain), verse);
        QCOMPARE(plain.count(QStringLiteral("<span")), markup.count(QStringLiteral("<span")));
    }

    void numbersInArabicIndicDigits_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("digits");
        QTest::newRow("1") << 1 << QStringLiteral("١");
        QTest::newRow("10") << 10 << QStringLiteral("١٠");
        QTest::newRow("255") << 255 << QStringLiteral("٢٥٥");
        QTest::newRow("286") << 286 << QStringLiteral("٢٨٦");
    }
    void numbersInArabicIndicDigits() {
        QFETCH(int, number);
        QFETCH(QString, digits);
        QCOMPARE(LibraryFormat::fromAsciiMarkup(MushafMarkup::arabicIndicNumber(number)), digits);
    }
};

QTEST_GUILESS_MAIN(TestMushafMarkup)
#include "tst_mushafmarkup.moc"
