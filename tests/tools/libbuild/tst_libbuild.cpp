#include "LibraryBuilder.h"
#include "LibraryFormat.h"
#include "LibraryManifest.h"

#include <QFile>
#include <QResource>
#include <QTemporaryDir>
#include <QTest>

using namespace LibraryFormat;

class TestLibBuild : public QObject {
    Q_OBJECT

    static QString writeTemp(QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return path;
    }

private slots:
    void asciiMarkup_data() {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QByteArray>("markup");
        QTest::newRow("ASCII stays")
            << QStringLiteral("Lo! Allah is Hearer.") << QByteArray("Lo! Allah is Hearer.");
        QTest::newRow("Arabic letters") << QStringLiteral("\u0628\u0650\u0633\u0652\u0645\u0650")
                                        << QByteArray("&#1576;&#1616;&#1587;&#1618;&#1605;&#1616;");
        QTest::newRow("markup characters")
            << QStringLiteral("a < b & c > d") << QByteArray("a &lt; b &amp; c &gt; d");
        QTest::newRow("double slash cannot split")
            << QStringLiteral("and/or // x") << QByteArray("and/or /&#47; x");
        QTest::newRow("triple slash") << QStringLiteral("///") << QByteArray("/&#47;/");
        QTest::newRow("outside the BMP")
            << QString::fromUcs4(U"\U0001F319", 1) << QByteArray("&#127769;");
        QTest::newRow("Latin with accents")
            << QStringLiteral("F\u00e2ti\u1e25ah") << QByteArray("F&#226;ti&#7717;ah");
    }
    void asciiMarkup() {
        QFETCH(QString, plain);
        QFETCH(QByteArray, markup);
        QCOMPARE(toAsciiMarkup(plain), markup);
        QCOMPARE(fromAsciiMarkup(QString::fromLatin1(markup)), plain);
    }

    void verseResourceLayout() {
        const QByteArray bytes = verseResource({QStringLiteral("one"), QStringLiteral("two")});
        QCOMPARE(bytes, QByteArray("one // \r\ntwo // \r\n\0\0\0", 21));
    }

    void verseFileErrors_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("valid");
        QTest::newRow("good") << QByteArray("# c\n1\t1\ta\n1\t2\tb\n2\t1\tc\n") << true;
        QTest::newRow("CR LF lines") << QByteArray("1\t1\ta\r\n1\t2\tb\r\n") << true;
        QTest::newRow("verse gap") << QByteArray("1\t1\ta\n1\t3\tb\n") << false;
        QTest::newRow("sura gap") << QByteArray("1\t1\ta\n3\t1\tb\n") << false;
        QTest::newRow("sura back") << QByteArray("1\t1\ta\n2\t1\tb\n1\t2\tc\n") << false;
        QTest::newRow("missing field") << QByteArray("1\t1\n") << false;
        QTest::newRow("sura 115") << QByteArray("115\t1\tx\n") << false;
        QTest::newRow("not a number") << QByteArray("one\t1\tx\n") << false;
    }
    void verseFileErrors() {
        QFETCH(QByteArray, content);
        QFETCH(bool, valid);
        QTemporaryDir dir;
        ParseError error;
        const auto verses = readVerseFile(writeTemp(dir, QStringLiteral("v.tsv"), content), &error);
        QCOMPARE(verses.has_value(), valid);
        QCOMPARE(error.message.isEmpty(), valid);
    }

    // The program's own check of a verse file a reader adds: both layouts,
    // and against the verse counts every verse exactly once, each fault
    // named with its line.
    void verseFileAgainstCounts_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        // Suras of 2, 1 and then one verse each, so that a whole file is short.
        QByteArray whole = "# Name: Test\n";
        for (int sura = 1; sura <= 114; ++sura) {
            for (int verse = 1; verse <= (sura == 1 ? 2 : 1); ++verse)
                whole += QByteArray::number(sura) + '|' + QByteArray::number(verse) + "|v\n";
        }
        const auto edited = [&whole](const QByteArray& from, const QByteArray& to) {
            QByteArray copy = whole;
            return copy.replace(from, to);
        };
        QTest::newRow("bar layout") << whole << QString();
        QTest::newRow("tab layout")
            << QByteArray(whole).replace('|', '\t').replace("v\n", "a|b\n") << QString();
        QTest::newRow("byte order mark, CR LF")
            << "\xEF\xBB\xBF" + QByteArray(whole).replace("\n", "\r\n") << QString();
        QTest::newRow("not UTF-8")
            << edited("1|1|v", "1|1|\xE9t\xE9") << QStringLiteral("The file is not UTF-8 text.");
        QTest::newRow("no fields") << edited("1|2|v", "1 2 v")
                                   << QStringLiteral("Line 3: not a line \"sura|verse|text\".");
        QTest::newRow("sign before number")
            << edited("1|2|v", "+1|2|v")
            << QStringLiteral("Line 3: not a line \"sura|verse|text\".");
        QTest::newRow("verse out of range")
            << edited("1|2|v", "1|2|v\n1|3|v") << QStringLiteral("Line 4: there is no verse 1:3.");
        QTest::newRow("sura out of range") << whole + "115|1|v\n"
                                           << QStringLiteral("Line 117: there is no verse 115:1.");
        QTest::newRow("verse twice")
            << edited("1|2|v", "1|1|v")
            << QStringLiteral("Line 3: verse 1:1 is given twice or out of order.");
        QTest::newRow("verse missing")
            << edited("1|2|v\n", "") << QStringLiteral("Line 3: verse 1:2 is missing before it.");
        QTest::newRow("last verse missing")
            << edited("114|1|v\n", "")
            << QStringLiteral("Verse 114:1 is missing at the end of the file.");
        QTest::newRow("empty text")
            << edited("1|2|v", "1|2| ") << QStringLiteral("Line 3: verse 1:2 has no text.");
        QTest::newRow("control character")
            << edited("1|2|v", "1|2|v\x01")
            << QStringLiteral("Line 3: verse 1:2 holds a control character.");
        // U+0085 and U+009F in UTF-8: the page would show a reference to them
        // as the Windows-1252 characters of those bytes.
        QTest::newRow("C1 control character (first)")
            << edited("1|2|v", "1|2|v\xC2\x85")
            << QStringLiteral("Line 3: verse 1:2 holds a control character.");
        QTest::newRow("C1 control character (last)")
            << edited("1|2|v", "1|2|v\xC2\x9F")
            << QStringLiteral("Line 3: verse 1:2 holds a control character.");
        QTest::newRow("no-break space is text") << edited("1|2|v", "1|2|v\xC2\xA0v") << QString();
        QTest::newRow("only comments")
            << QByteArray("# nothing\n") << QStringLiteral("The file holds no verses.");
    }
    void verseFileAgainstCounts() {
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        QList<int> counts(114, 1);
        counts[0] = 2;
        ParseError parseError;
        const auto file = parseVerseFile(content, counts, &parseError);
        QCOMPARE(parseError.message, error);
        QCOMPARE(file.has_value(), error.isEmpty());
        if (file) {
            QCOMPARE(file->comments, QStringList{QStringLiteral(" Name: Test")});
            QCOMPARE(file->verses.size(), 114);
            QCOMPARE(file->verses.value(1).size(), 2);
        }
    }

    // A file of a million comment lines keeps a page of notes and says how
    // many more there were, rather than holding (and later showing) them all.
    void commentsAreBounded() {
        QByteArray content;
        content.reserve(5'000'000);
        for (int i = 0; i < 1'000'000; ++i)
            content += "# a note\n";
        content += "1|1|v\n";
        ParseError parseError;
        const auto file = parseVerseFile(content, {}, &parseError);
        QVERIFY2(file, qPrintable(parseError.message));
        QCOMPARE(file->comments.size(), kMaxCommentLines + 1);
        QCOMPARE(file->comments.first(), QStringLiteral(" a note"));
        QCOMPARE(file->comments.last(), QStringLiteral(" (%1 more comment lines are not kept.)")
                                            .arg(1'000'000 - kMaxCommentLines));
        // One very long line is cut at the character bound.
        const auto longLine =
            parseVerseFile("#" + QByteArray(200'000, 'x') + "\n1|1|v\n", {}, &parseError);
        QVERIFY(longLine);
        QCOMPARE(longLine->comments.first().size(), kMaxCommentChars);
    }

    // The packed library must be a resource file Qt itself reads, with every
    // file where the folder layout puts it (the manifest included).
    void packedLibraryReadsInQt() {
        LibraryBuilder builder;
        builder.addVerses({{1, {QStringLiteral("v1"), QStringLiteral("v2")}}});
        for (int id = 1; id <= 40; ++id) // a folder of many entries, searched by hash
            builder.addStrings({{id, QStringLiteral("entry %1").arg(id)}});
        builder.addHtml(QStringLiteral("NOTICE.TXT"), "terms");
        const QByteArray packed = builder.pack();
        const QString root = QStringLiteral("/packed-test");
        QVERIFY(
            QResource::registerResource(reinterpret_cast<const uchar*>(packed.constData()), root));
        const auto read = [&root](const QString& path) {
            QFile file(QLatin1Char(':') + root + QLatin1Char('/') + path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
        };
        QCOMPARE(read(QStringLiteral("CUSTOM/101")), QByteArray("v1 // \r\nv2 // \r\n\0\0\0", 19));
        QCOMPARE(read(QStringLiteral("HTML/NOTICE.TXT")), QByteArray("terms"));
        for (int id = 1; id <= 40; ++id)
            QCOMPARE(read(QStringLiteral("STRINGTABLE/%1").arg(id)),
                     QStringLiteral("entry %1").arg(id).toUtf8());
        const auto manifest = LibraryManifest::read(read(QStringLiteral("MANIFEST")));
        QVERIFY(manifest);
        QCOMPARE(manifest->size(), 42);
        QVERIFY(QResource::unregisterResource(reinterpret_cast<const uchar*>(packed.constData()),
                                              root));
    }

    void builderWritesLayoutAndList() {
        QTemporaryDir dir;
        LibraryBuilder builder;
        builder.addVerses({{1, {QStringLiteral("v1"), QStringLiteral("v2")}}},
                          {{1, {QStringLiteral("lead")}}});
        builder.addStrings({{7, QStringLiteral("seven")}});
        builder.addHtml(QStringLiteral("PAGE.HTML"), "<p/>");
        QString error;
        const QString out = dir.filePath(QStringLiteral("lib"));
        QVERIFY2(builder.write(out, &error), qPrintable(error));
        QFile verses(out + QStringLiteral("/CUSTOM/101"));
        QVERIFY(verses.open(QIODevice::ReadOnly));
        QCOMPARE(verses.readAll(), QByteArray("lead // \r\nv1 // \r\nv2 // \r\n\0\0\0", 29));
        QFile qrc(out + QStringLiteral("/library.qrc"));
        QVERIFY(qrc.open(QIODevice::ReadOnly));
        const QByteArray list = qrc.readAll();
        // Stored uncompressed, so that a reader can check them before use.
        for (const char* entry : {"CUSTOM/101", "STRINGTABLE/7", "HTML/PAGE.HTML", "MANIFEST"})
            QVERIFY2(list.contains(QByteArray("<file compression-algorithm=\"none\">") + entry +
                                   "</file>"),
                     entry);
    }

    void manifestListsEveryOtherFile() {
        QTemporaryDir dir;
        LibraryBuilder builder;
        builder.addStrings({{7, QStringLiteral("seven")}});
        builder.addCustom(215, "info");
        QString error;
        const QString out = dir.filePath(QStringLiteral("lib"));
        QVERIFY2(builder.write(out, &error), qPrintable(error));
        QFile file(out + QStringLiteral("/MANIFEST"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const auto items = LibraryManifest::read(file.readAll());
        QVERIFY(items);
        QCOMPARE(items->keys(),
                 QStringList({QStringLiteral("CUSTOM/215"), QStringLiteral("STRINGTABLE/7")}));
        QCOMPARE(items->value(QStringLiteral("CUSTOM/215")),
                 (LibraryManifest::Item{4, LibraryManifest::checksum("info")}));
    }

    void manifestRoundTripAndDamage_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("readable");
        const QByteArray good = LibraryManifest::write(
            LibraryManifest::describe({{QStringLiteral("CUSTOM/1"), QByteArray("a b")}}));
        QTest::newRow("as written") << good << true;
        QTest::newRow("no final line break") << good.chopped(1) << false;
        QTest::newRow("other first line") << QByteArray("manifest 2\n") << false;
        QByteArray shortHash = good;
        shortHash.remove(good.indexOf('\n') + 1, 1);
        QTest::newRow("short checksum") << shortHash << false;
        QByteArray badSize = good;
        badSize.replace(" 3 ", " x ");
        QTest::newRow("size not a number") << badSize << false;
        QTest::newRow("path twice") << good + good.mid(good.indexOf('\n') + 1) << false;
    }
    void manifestRoundTripAndDamage() {
        QFETCH(QByteArray, text);
        QFETCH(bool, readable);
        QCOMPARE(LibraryManifest::read(text).has_value(), readable);
    }
};

QTEST_GUILESS_MAIN(TestLibBuild)
#include "tst_libbuild.moc"
