#include "TextScript.h"

#include <QTest>

// Which stored texts count as Arabic: the first letter decides, wherever
// the markup and the signs before it stand.
class TestTextScript : public QObject {
    Q_OBJECT

private slots:
    void firstLetterDecides_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("arabic");
        QTest::newRow("references") << QStringLiteral("&#1576;&#1616;&#1587;&#1618;") << true;
        QTest::newRow("plain Unicode") << QString::fromUtf8("بِسْمِ اللَّهِ") << true;
        QTest::newRow("English") << QStringLiteral("In the name of Allah") << false;
        QTest::newRow("transliteration") << QString::fromUtf8("Bismi All\u0101hi") << false;
        QTest::newRow("markup before Arabic")
            << QStringLiteral("<span lang='ar' dir='rtl'>&#1575;</span>") << true;
        QTest::newRow("markup before English")
            << QStringLiteral("<span lang='en'>Alif</span> &#1575;") << false;
        QTest::newRow("left-to-right mark, digits and a sign first")
            << QStringLiteral("&#8206; 12 &#1769; &#1575;") << true;
        QTest::newRow("escaped bracket is text") << QStringLiteral("&lt;b&gt; &#1575;") << false;
        QTest::newRow("Hebrew is no Arabic") << QString::fromUtf8("\u05d0\u05d1") << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("only markup and spaces") << QStringLiteral(" <br> ") << false;
        QTest::newRow("unclosed tag") << QStringLiteral("<span &#1575;") << false;
    }
    void firstLetterDecides() {
        QFETCH(QString, stored);
        QFETCH(bool, arabic);
        QCOMPARE(TextScript::isArabic(stored), arabic);
    }
};

QTEST_GUILESS_MAIN(TestTextScript)
#include "tst_textscript.moc"
