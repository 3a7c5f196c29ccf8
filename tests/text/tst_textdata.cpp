#include "LibraryFormat.h"
#include "LibraryLayout.h"
#include "ResReader.h"
#include "SuraVerses.h"

#include <QFile>
#include <QTest>

// The three shipped libraries against the source data they were built from.
class TestTextData : public QObject {
    Q_OBJECT

    QMap<int, int> verseCounts_; // sura -> verses, from the sura facts

    static QString verseText(const QString& library, int sura) {
        ResReader reader;
        reader.LoadLibrary(library);
        return reader.LoadHtml(100 + sura, QString()).value_or(QString());
    }

    static SuraVerses versesOf(const QString& library, int sura) {
        ResReader reader;
        reader.LoadLibrary(library);
        return SuraVerses::read(reader, sura, library == QLatin1String("Etx2.dll"));
    }

private slots:
    void initTestCase() {
        QFile facts(QStringLiteral(MIRAVEL_DATA_DIR "/suras.tsv"));
        QVERIFY(facts.open(QIODevice::ReadOnly));
        facts.readLine(); // header
        while (!facts.atEnd()) {
            const QList<QByteArray> fields = facts.readLine().trimmed().split('\t');
            QCOMPARE(fields.size(), 7);
            verseCounts_.insert(fields[0].toInt(), fields[4].toInt());
        }
        QCOMPARE(verseCounts_.size(), 114);
    }

    void everyLibraryHoldsEverySura_data() {
        QTest::addColumn<QString>("library");
        QTest::newRow("Arabic (own)") << QStringLiteral("miravel.exe");
        QTest::newRow("translation") << QStringLiteral("Etx2.dll");
        QTest::newRow("transliteration") << QStringLiteral("Etx3.dll");
    }
    void everyLibraryHoldsEverySura() {
        QFETCH(QString, library);
        if (library != QLatin1String("miravel.exe")) {
            QVERIFY2(QFile::exists(ResReader::programDirectory() + QLatin1Char('/') + library),
                     "library missing beside the program");
        }
        int verses = 0;
        for (int sura = 1; sura <= 114; ++sura) {
            const QString text = verseText(library, sura);
            const SuraVerses stored = versesOf(library, sura);
            QCOMPARE(stored.storedVerseCount(), verseCounts_.value(sura));
            for (int v = 1; v <= stored.storedVerseCount(); ++v)
                QVERIFY(!stored.shownVerse(v).trimmed().isEmpty());
            verses += stored.storedVerseCount();
            QCOMPARE(text.toLatin1(), text.toUtf8()); // 7-bit ASCII only
        }
        QCOMPARE(verses, 6236);
    }

    void arabicDecodesToTheSourceText() {
        const auto source =
            LibraryFormat::readVerseFile(QStringLiteral(MIRAVEL_DATA_DIR "/quran-arabic.tsv"));
        QVERIFY(source);
        for (int sura = 1; sura <= 114; ++sura) {
            const QStringList elements =
                splitVerses(verseText(QStringLiteral("miravel.exe"), sura));
            const QStringList& expected = source->value(sura);
            QCOMPARE(elements.size(), expected.size() + 1);
            for (int v = 0; v < expected.size(); ++v) {
                const QString decoded = LibraryFormat::fromAsciiMarkup(elements[v].trimmed());
                if (decoded != expected[v])
                    QFAIL(qPrintable(QStringLiteral("verse %1:%2 differs").arg(sura).arg(v + 1)));
            }
        }
    }

    void suraOneSplitsIntoEightElements() {
        const QStringList elements = splitVerses(verseText(QStringLiteral("miravel.exe"), 1));
        QCOMPARE(elements.size(), 8);
        QCOMPARE(elements.last(), QString::fromLatin1(" \0\0\0", 4));
        for (int v = 0; v < 7; ++v)
            QVERIFY(!elements[v].trimmed().isEmpty());
    }

    void nameListSplitsInto115() {
        ResReader reader;
        const QStringList names = splitVerses(reader.LoadHtml(330, QString()).value_or(QString()));
        QCOMPARE(names.size(), 115);
        QCOMPARE(names.at(0), QStringLiteral("The Opening"));
        QCOMPARE(names.at(113), QStringLiteral("Mankind"));
    }

    // The basmala above each sura, as the page opens with it: the source's
    // text for suras 2 to 114 but 9, nothing for 1 and 9.
    void basmalaListDecodesToTheSource() {
        const auto source = LibraryFormat::readLeadFile(
            QStringLiteral(MIRAVEL_DATA_DIR "/quran-arabic-basmala.tsv"));
        QVERIFY(source);
        QCOMPARE(source->size(), 112);
        ResReader reader;
        const QStringList list = splitVerses(
            reader.LoadHtml(LibraryLayout::kBasmalaList, QString()).value_or(QString()));
        QCOMPARE(list.size(), 115);
        for (int sura = 1; sura <= 114; ++sura) {
            const QString shown = LibraryFormat::fromAsciiMarkup(list[sura - 1].trimmed());
            QCOMPARE(shown, source->value(sura).value(0));
            QCOMPARE(shown.isEmpty(), sura == 1 || sura == 9);
        }
    }

    void translationVersesStartPastTheLeadElements() {
        const SuraVerses sura58 = versesOf(QStringLiteral("Etx2.dll"), 58);
        QVERIFY(sura58.storedVerse(1).contains(QStringLiteral("Allah hath heard the saying")));
        QCOMPARE(sura58.shownVerse(1), sura58.storedVerse(1));
        const SuraVerses sura59 = versesOf(QStringLiteral("Etx2.dll"), 59);
        QVERIFY(sura59.storedVerse(1).contains(QStringLiteral("All that is in the heavens")));
    }
};

QTEST_GUILESS_MAIN(TestTextData)
#include "tst_textdata.moc"
