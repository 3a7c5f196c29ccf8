#include "VerseClipboard.h"

#include <QTest>

// The clipboard text of "Copy verse", from the verse's paragraphs as the page
// holds them.
class TestVerseClipboard : public QObject {
    Q_OBJECT

private slots:
    void text_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("expected");

        const QString arabic = QStringLiteral("\u0627\u0644\u0644\u0651\u064e\u0647\u064f");
        QTest::newRow("order 1/2") << QStringList{arabic, QStringLiteral("Allah!")} << "2 : 255"
                                   << arabic + "\nAllah!\n(2 : 255)";
        QTest::newRow("order 2/1") << QStringList{QStringLiteral("Allah!"), arabic} << "2 : 255"
                                   << "Allah!\n" + arabic + "\n(2 : 255)";
        QTest::newRow("order 1/2/3")
            << QStringList{arabic, QStringLiteral("Allah!"), QStringLiteral("Allahu")} << "2 : 255"
            << arabic + "\nAllah!\nAllahu\n(2 : 255)";
        // The paragraph between two texts holds only the separator's picture.
        QTest::newRow("separators give no line")
            << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")} << "1 : 1"
            << "a\nb\n(1 : 1)";
        QTest::newRow("a library without the verse gives no line")
            << QStringList{QStringLiteral("a"), QStringLiteral(" \r\n ")} << "1 : 1"
            << "a\n(1 : 1)";
        // Each verse after the first starts on the line break after " // ".
        QTest::newRow("white space as the page lays it out")
            << QStringList{QStringLiteral(" \r\nIn  the\tname\r\nof Allah ")} << "1 : 1"
            << "In the name of Allah\n(1 : 1)";
        QTest::newRow("a no-break space stays")
            << QStringList{QStringLiteral("a\u00a0 b")} << "1 : 1"
            << "a\u00a0 b\n(1 : 1)";
        QTest::newRow("label with white space around it")
            << QStringList{QStringLiteral("a")} << "\n 114 : 6 "
            << "a\n(114 : 6)";
        QTest::newRow("no text at all") << QStringList{} << "1 : 7"
                                        << "(1 : 7)";
    }
    void text() {
        QFETCH(QStringList, texts);
        QFETCH(QString, label);
        QFETCH(QString, expected);
        const auto copied = VerseClipboard::text(texts, label);
        QVERIFY(copied);
        QCOMPARE(*copied, expected);
    }

    void noVerseLabel_data() {
        QTest::addColumn<QString>("label");
        QTest::newRow("empty") << "";
        QTest::newRow("bookmark mark") << "2:255";
        QTest::newRow("other text") << "Total Found 3";
        QTest::newRow("verse 0") << "2 : 0";
        QTest::newRow("two labels") << "2 : 2552 : 256";
    }
    void noVerseLabel() {
        QFETCH(QString, label);
        QVERIFY(!VerseClipboard::text({QStringLiteral("a")}, label));
    }
};

QTEST_APPLESS_MAIN(TestVerseClipboard)

#include "tst_verseclipboard.moc"
