#include "AudioFileCheck.h"
#include "FreshSettings.h"
#include "RecitationFolder.h"
#include "RecitationFolders.h"
#include "RecitationSequence.h"
#include "Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(RecitationOptions)
Q_DECLARE_METATYPE(VersePlace)

namespace {

// The suras the cases walk through, with their real lengths.
int verseCount(int sura) {
    switch (sura) {
    case 1:
        return 7;
    case 2:
        return 286;
    case 8:
        return 75;
    case 9:
        return 129;
    case 112:
        return 4;
    case 113:
        return 5;
    case 114:
        return 6;
    default:
        return 5;
    }
}

// The order as text: "B2" the basmala opening sura 2, "2:1" a verse, a
// leading "~" a step after the pause.  At most `limit` steps.
QString playOrder(RecitationSequence& sequence, int limit = 40) {
    QStringList steps;
    while (steps.size() < limit) {
        const auto step = sequence.next();
        if (!step)
            break;
        QString text = step->basmala
                           ? QStringLiteral("B%1").arg(step->verse.sura)
                           : QStringLiteral("%1:%2").arg(step->verse.sura).arg(step->verse.verse);
        steps << (step->afterPause ? QStringLiteral("~") + text : text);
    }
    return steps.join(QLatin1Char(' '));
}

RecitationOptions repeatRange(VersePlace from, VersePlace to, int times, int repeats = 1) {
    RecitationOptions options;
    options.rangeOn = true;
    options.rangeFrom = from;
    options.rangeTo = to;
    options.rangeTimes = times;
    options.repeats = repeats;
    return options;
}

} // namespace

// The order of a recitation (basmala, repeats, ranges, continuation), the
// stored options and folders, the count of a folder's verses and which
// files look like audio.
class TestRecitationSequence : public QObject {
    Q_OBJECT

private slots:
    void order_data() {
        QTest::addColumn<RecitationOptions>("options");
        QTest::addColumn<bool>("hasBasmala");
        QTest::addColumn<VersePlace>("start");
        QTest::addColumn<QString>("expected");

        RecitationOptions plain;
        RecitationOptions onward;
        onward.nextSura = true;
        RecitationOptions twice;
        twice.repeats = 2;

        QTest::newRow("sura 1: its verse 1 is the basmala, none before it")
            << plain << true << VersePlace{1, 1} << "1:1 1:2 1:3 1:4 1:5 1:6 1:7";
        QTest::newRow("sura 112 opens with the basmala")
            << plain << true << VersePlace{112, 1} << "B112 112:1 112:2 112:3 112:4";
        QTest::newRow("no basmala file: none played")
            << plain << false << VersePlace{112, 1} << "112:1 112:2 112:3 112:4";
        QTest::newRow("sura 9 has no basmala")
            << plain << true << VersePlace{9, 1} << "9:1 9:2 9:3 9:4 9:5 ...";
        QTest::newRow("mid-sura start: no basmala")
            << plain << true << VersePlace{113, 4} << "113:4 113:5";
        QTest::newRow("next sura: basmala between")
            << onward << true << VersePlace{1, 6} << "1:6 1:7 B2 2:1 2:2 2:3 2:4 2:5 ...";
        QTest::newRow("next sura into 9: no basmala")
            << onward << true << VersePlace{8, 75} << "8:75 9:1 9:2 ...";
        QTest::newRow("next sura ends with 114")
            << onward << true << VersePlace{114, 5} << "114:5 114:6";
        QTest::newRow("each verse twice, the pause before the repeat")
            << twice << true << VersePlace{112, 3} << "112:3 ~112:3 112:4 ~112:4";
        QTest::newRow("repeats do not repeat the basmala")
            << twice << true << VersePlace{112, 1}
            << "B112 112:1 ~112:1 112:2 ~112:2 112:3 "
               "~112:3 112:4 ~112:4";
        QTest::newRow("range twice") << repeatRange({113, 2}, {113, 3}, 2) << true
                                     << VersePlace{113, 2} << "113:2 113:3 ~113:2 113:3";
        QTest::newRow("range starts at its first verse from outside it")
            << repeatRange({113, 2}, {113, 3}, 1) << true << VersePlace{1, 1} << "113:2 113:3";
        QTest::newRow("range from inside it: the first pass starts there")
            << repeatRange({113, 1}, {113, 3}, 2) << true << VersePlace{113, 3}
            << "113:3 ~B113 113:1 113:2 113:3";
        QTest::newRow("range across suras, with the basmala of the next")
            << repeatRange({113, 5}, {114, 1}, 1) << true << VersePlace{113, 5}
            << "113:5 B114 114:1";
        QTest::newRow("range with repeats")
            << repeatRange({112, 2}, {112, 3}, 2, 2) << false << VersePlace{112, 2}
            << "112:2 ~112:2 112:3 ~112:3 ~112:2 ~112:2 112:3 ~112:3";
        QTest::newRow("range without end keeps going")
            << repeatRange({114, 5}, {114, 6}, 0) << true << VersePlace{114, 5}
            << "114:5 114:6 ~114:5 114:6 ~114:5 114:6 ~114:5 114:6 ...";
        QTest::newRow("range ending past the sura's last verse ends at it")
            << repeatRange({112, 3}, {112, 9}, 2) << true << VersePlace{112, 3}
            << "112:3 112:4 ~112:3 112:4";
        RecitationOptions backwards = repeatRange({114, 6}, {114, 5}, 1);
        QTest::newRow("a range ending before it starts is no range")
            << backwards << true << VersePlace{114, 4} << "114:4 114:5 114:6";
    }
    void order() {
        QFETCH(RecitationOptions, options);
        QFETCH(bool, hasBasmala);
        QFETCH(VersePlace, start);
        QFETCH(QString, expected);
        // "..." at the end: the order goes on after the steps listed.
        const bool goesOn = expected.endsWith(QStringLiteral(" ..."));
        if (goesOn)
            expected.chop(4);
        RecitationSequence sequence(options, verseCount, hasBasmala);
        sequence.start(start);
        QCOMPARE(playOrder(sequence, int(expected.count(QLatin1Char(' '))) + 1), expected);
        QCOMPARE(sequence.next().has_value(), goesOn);
    }

    // Next and Previous: within the sura, across suras only when playback
    // goes on across them, held at the ends.
    void stepping() {
        RecitationOptions options;
        RecitationSequence within(options, verseCount, true);
        QCOMPARE(within.stepped({2, 5}, 1), (VersePlace{2, 6}));
        QCOMPARE(within.stepped({1, 7}, 1), (VersePlace{1, 7}));
        QCOMPARE(within.stepped({2, 1}, -1), (VersePlace{2, 1}));
        options.nextSura = true;
        RecitationSequence across(options, verseCount, true);
        QCOMPARE(across.stepped({1, 7}, 1), (VersePlace{2, 1}));
        QCOMPARE(across.stepped({2, 1}, -1), (VersePlace{1, 7}));
        QCOMPARE(across.stepped({114, 6}, 1), (VersePlace{114, 6}));
        QCOMPARE(across.stepped({1, 1}, -1), (VersePlace{1, 1}));
        // A step lands without the basmala: the verse asked for plays first.
        across.start({2, 1}, false);
        QCOMPARE(playOrder(across, 2), QStringLiteral("2:1 2:2"));
    }

    void options_stored() {
        FreshSettings fresh;
        Settings settings;
        QCOMPARE(RecitationOptions::read(settings), RecitationOptions());
        RecitationOptions options = repeatRange({2, 255}, {2, 257}, 0, 3);
        options.pauseSeconds = 4;
        options.nextSura = true;
        options.store(settings);
        QCOMPARE(RecitationOptions::read(settings), options);
    }

    // Hand-edited values read as the nearest allowed ones; a damaged range
    // is switched off instead of playing something else.
    void options_outOfRange_data() {
        QTest::addColumn<QString>("repeats");
        QTest::addColumn<QString>("pause");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("readRepeats");
        QTest::addColumn<int>("readPause");
        QTest::addColumn<bool>("rangeOn");
        QTest::newRow("too many") << "50"
                                  << "99"
                                  << "2:1"
                                  << "2:5" << 10 << 10 << true;
        QTest::newRow("too few") << "0"
                                 << "-3"
                                 << "2:1"
                                 << "2:5" << 1 << 0 << true;
        QTest::newRow("not numbers") << "x"
                                     << ""
                                     << "2:1"
                                     << "2:5" << 1 << 0 << true;
        QTest::newRow("range reversed") << "2"
                                        << "1"
                                        << "2:5"
                                        << "2:1" << 2 << 1 << false;
        QTest::newRow("range damaged") << "2"
                                       << "1"
                                       << "2"
                                       << "115:1" << 2 << 1 << false;
    }
    void options_outOfRange() {
        QFETCH(QString, repeats);
        QFETCH(QString, pause);
        QFETCH(QString, from);
        QFETCH(QString, to);
        FreshSettings fresh;
        Settings settings;
        settings.save(Setting::RecitationRepeats, repeats);
        settings.save(Setting::RecitationPause, pause);
        settings.save(Setting::RecitationRangeOn, QStringLiteral("1"));
        settings.save(Setting::RecitationRangeFrom, from);
        settings.save(Setting::RecitationRangeTo, to);
        const RecitationOptions read = RecitationOptions::read(settings);
        QTEST(read.repeats, "readRepeats");
        QTEST(read.pauseSeconds, "readPause");
        QTEST(read.rangeOn, "rangeOn");
    }

    // Several folders, one chosen; removing one leaves no stale entry
    // behind and keeps the choice on the same folder.
    void folders_stored() {
        FreshSettings fresh;
        Settings settings;
        QCOMPARE(RecitationFolders::chosenPath(settings), QString());
        const QList<NamedFolder> three{{QStringLiteral("A"), QStringLiteral("/a")},
                                       {QStringLiteral("B"), QStringLiteral("/b")},
                                       {QStringLiteral("C"), QStringLiteral("/c")}};
        RecitationFolders::store(settings, three, 3);
        QCOMPARE(RecitationFolders::read(settings), three);
        QCOMPARE(RecitationFolders::chosenPath(settings), QStringLiteral("/c"));

        RecitationFolders::store(settings, {three.at(0), three.at(2)}, 2);
        QCOMPARE(RecitationFolders::read(settings), (QList<NamedFolder>{three.at(0), three.at(2)}));
        QCOMPARE(RecitationFolders::chosenPath(settings), QStringLiteral("/c"));

        settings.save(Setting::RecitationChosen, QStringLiteral("7"));
        QCOMPARE(RecitationFolders::chosen(settings), 0);
    }

    // The count shown for a folder: each verse of the Qur'an once, whatever
    // its kind of file; other names and verses that do not exist are not
    // counted.
    void folder_counted() {
        QTemporaryDir dir;
        const QStringList names{"001001.mp3", "001002.mp3", "001002.ogg", "001007.opus",
                                "001008.mp3", "115001.mp3", "000001.mp3", "002286.mp3",
                                "2001.mp3",   "002001.wav", "notes.txt",  "00200a.mp3"};
        for (const QString& name : names)
            QVERIFY(writeFile(dir.filePath(name), "ID3\x04"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("001003.mp3"))); // a folder, not a file
        const RecitationFolder folder(dir.path());
        QVERIFY(folder.exists());
        QCOMPARE(folder.count(verseCount).playable, 4);
        QCOMPARE(folder.count(verseCount).unplayable, 0);
        QCOMPARE(QFileInfo(folder.fileFor({1, 2})).fileName(), QStringLiteral("001002.mp3"));
        QCOMPARE(QFileInfo(folder.fileFor({1, 7})).fileName(), QStringLiteral("001007.opus"));
        QCOMPARE(folder.fileFor({1, 3}), QString());
        QCOMPARE(folder.fileFor({2, 1}), QString());

        const RecitationFolder gone(dir.filePath(QStringLiteral("gone")));
        QVERIFY(!gone.exists());
        QCOMPARE(gone.count(verseCount).playable, 0);
        QVERIFY(!RecitationFolder().exists());
    }

    // Only files that can play count as present, and are the ones found for
    // a verse: an empty file or a page saved in place of the audio is
    // counted apart, and an Ogg beside an empty MP3 is the verse's file.
    void folder_countsPlayableFiles() {
        QTemporaryDir dir;
        const QList<std::pair<const char*, QByteArray>> files{
            {"001001.mp3", "ID3\x03"},
            {"001002.mp3", ""},
            {"001003.mp3", "<!DOCTYPE html>"},
            {"001004.mp3", ""},
            {"001004.ogg", "OggS\0\x02"},
            {"001005.mp3", "\xFF\xFB\x90\x64"},
            {"001006.opus", QByteArray(64, '\0')},
        };
        for (const auto& [name, bytes] : files)
            QVERIFY(writeFile(dir.filePath(QString::fromLatin1(name)), bytes));
        const RecitationFolder folder(dir.path());
        QCOMPARE(folder.count(verseCount).playable, 3);   // 1, 4, 5
        QCOMPARE(folder.count(verseCount).unplayable, 3); // 2, 3, 6
        QCOMPARE(QFileInfo(folder.fileFor({1, 4})).fileName(), QStringLiteral("001004.ogg"));
        const RecitationFolder::VerseFile empty = folder.find({1, 2});
        QCOMPARE(QFileInfo(empty.path).fileName(), QStringLiteral("001002.mp3"));
        QVERIFY(!empty.playable);
        QVERIFY(folder.find({1, 5}).playable);
    }

    // The first bytes of the formats a recitation comes in, and of what
    // stands in a folder by mistake.
    void audioRecognised_data() {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<bool>("audio");
        QTest::newRow("mp3 with ID3 tag") << QByteArray("ID3\x04\0\0\0\0\0\0", 10) << true;
        QTest::newRow("mp3 frame") << QByteArray("\xFF\xFB\x90\x64\0\0", 6) << true;
        QTest::newRow("mp3 frame, MPEG 2") << QByteArray("\xFF\xF3\x48\xC4", 4) << true;
        QTest::newRow("aac adts") << QByteArray("\xFF\xF1\x50\x80", 4) << true;
        QTest::newRow("wave") << QByteArray("RIFF\x24\x08\0\0WAVE", 12) << true;
        QTest::newRow("ogg") << QByteArray("OggS\0\x02\0\0", 8) << true;
        QTest::newRow("flac") << QByteArray("fLaC\0\0\0\x22", 8) << true;
        QTest::newRow("m4a") << QByteArray("\0\0\0\x20"
                                           "ftypM4A ",
                                           12)
                             << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("zeros") << QByteArray(12, '\0') << false;
        QTest::newRow("html") << QByteArray("<html><head>") << false;
        QTest::newRow("text") << QByteArray("verse 2:255\n") << false;
        QTest::newRow("avi in RIFF") << QByteArray("RIFF\x24\x08\0\0AVI ", 12) << false;
        QTest::newRow("cut short") << QByteArray("ID") << false;
        QTest::newRow("one byte of sync") << QByteArray("\xFF") << false;
        QTest::newRow("0xFF then no sync") << QByteArray("\xFF\xD8\xFF\xE0", 4) << false;
    }
    void audioRecognised() {
        QFETCH(QByteArray, head);
        QFETCH(bool, audio);
        QCOMPARE(AudioFileCheck::looksLikeAudio(QByteArrayView(head)), audio);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("001001.mp3"));
        QVERIFY(writeFile(file, head + QByteArray(100, 'x')));
        QCOMPARE(AudioFileCheck::looksLikeAudio(file), audio);
    }

private:
    static bool writeFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
};

QTEST_GUILESS_MAIN(TestRecitationSequence)
#include "tst_recitationsequence.moc"
