#include "FakeAudioPlayer.h"
#include "Recitation.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(VersePlace)

namespace {

int verseCount(int sura) {
    switch (sura) {
    case 1:
        return 7;
    case 2:
        return 5; // the folder's part of it
    case 3:
        return 200;
    case 112:
        return 4;
    case 113:
        return 5;
    case 114:
        return 6;
    default:
        return 3;
    }
}

// What the files hold: the start of an MP3 (the player plays nothing, the
// recitation only looks at the first bytes).
const QByteArray kMp3Head("ID3\x04\0\0\0\0\0\0", 10);

} // namespace

// The recitation over a folder of files that only begin like audio and a
// player that plays nothing: the files it plays, the notes for skipped
// verses, the pause between repetitions, pause (also as a verse ends),
// stop, Next and Previous, and a folder that is not there or goes away.
class TestRecitation : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<Recitation> recitation_;
    FakeAudioPlayer* player_ = nullptr;
    int playersMade_ = 0;

    // Ends the file playing and lets the recitation go on to the next.
    void finishFile() {
        QVERIFY(player_);
        player_->finish();
        QCoreApplication::processEvents();
    }

    static bool writeFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    QStringList notes(const QSignalSpy& spy) const {
        QStringList texts;
        for (const auto& call : spy)
            texts << call.at(0).toString();
        return texts;
    }

private slots:
    void initTestCase() {
        // Sura 1, 2:1-5 without 2:4, and the last three suras.
        QStringList names;
        for (int v = 1; v <= 7; ++v)
            names << QStringLiteral("001%1").arg(v, 3, 10, QLatin1Char('0'));
        names << "002001"
              << "002002"
              << "002003"
              << "002005";
        for (int v = 1; v <= 4; ++v)
            names << QStringLiteral("112%1").arg(v, 3, 10, QLatin1Char('0'));
        for (int v = 1; v <= 5; ++v)
            names << QStringLiteral("113%1").arg(v, 3, 10, QLatin1Char('0'));
        for (int v = 1; v <= 6; ++v)
            names << QStringLiteral("114%1").arg(v, 3, 10, QLatin1Char('0'));
        for (const QString& name : names)
            QVERIFY(writeFile(dir_.filePath(name + QStringLiteral(".mp3")), kMp3Head));
        // Sura 5: one file that plays, one empty, one that is no audio.
        QVERIFY(writeFile(dir_.filePath(QStringLiteral("005001.mp3")), kMp3Head));
        QVERIFY(writeFile(dir_.filePath(QStringLiteral("005002.mp3")), {}));
        QVERIFY(writeFile(dir_.filePath(QStringLiteral("005003.mp3")), "<html>not found</html>"));
    }

    void init() {
        playersMade_ = 0;
        player_ = nullptr;
        recitation_ = std::make_unique<Recitation>(
            [this](QObject* parent) -> AudioPlayer* {
                ++playersMade_;
                player_ = new FakeAudioPlayer(parent);
                return player_;
            },
            verseCount);
        recitation_->setFolder(dir_.path());
        recitation_->setMillisecondsPerSecond(40);
    }

    // The basmala first, a missing verse skipped with a note, the verse
    // started announced for each file, the end noted.
    void playsInOrderAndSkipsMissing() {
        QSignalSpy started(recitation_.get(), &Recitation::verseStarted);
        QSignalSpy noted(recitation_.get(), &Recitation::note);
        QVERIFY(recitation_->play({2, 1}));
        for (int i = 0; i < 4; ++i)
            finishFile();
        QCOMPARE(player_->played, (QStringList{"001001", "002001", "002002", "002003", "002005"}));
        QCOMPARE(notes(noted), QStringList{"No recitation file for 2 : 4; skipped."});
        QCOMPARE(started.size(), 5);
        QCOMPARE(started.at(0).at(0).value<VersePlace>(), (VersePlace{2, 1}));
        QCOMPARE(started.at(0).at(1).toBool(), true);
        QCOMPARE(started.at(4).at(0).value<VersePlace>(), (VersePlace{2, 5}));
        QCOMPARE(recitation_->verse(), (VersePlace{2, 5}));
        finishFile();
        QCOMPARE(recitation_->state(), Recitation::State::Stopped);
        QCOMPARE(notes(noted).last(), QStringLiteral("The recitation has ended."));
    }

    void continuesIntoNextSura() {
        RecitationOptions options;
        options.nextSura = true;
        recitation_->setOptions(options);
        QVERIFY(recitation_->play({113, 5}));
        finishFile();
        finishFile();
        QCOMPARE(player_->played, (QStringList{"113005", "001001", "114001"}));
    }

    // A file the player cannot decode is skipped with a note and a line in
    // the recitation's log; playback goes on with the next verse.
    void skipsUndecodable() {
        QLoggingCategory::setFilterRules(QStringLiteral("miravel.recitation.info=true"));
        QSignalSpy noted(recitation_.get(), &Recitation::note);
        QVERIFY(recitation_->play({112, 2}));
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression("cannot play .*112002.mp3.*bad data"));
        player_->fail(QStringLiteral("bad data"));
        QCoreApplication::processEvents();
        QLoggingCategory::setFilterRules(QString());
        QCOMPARE(player_->played, (QStringList{"112002", "112003"}));
        QCOMPARE(notes(noted),
                 QStringList{"The recitation file 112002.mp3 could not be played; skipped."});
        QCOMPARE(recitation_->state(), Recitation::State::Playing);

        // A failure that arrives while paused: resuming goes on with the
        // next verse (the player has nothing left to resume).
        recitation_->pause();
        player_->fail(QStringLiteral("bad data"));
        QCoreApplication::processEvents();
        QCOMPARE(player_->played.last(), QStringLiteral("112003"));
        recitation_->resume();
        QCOMPARE(player_->played.last(), QStringLiteral("112004"));
    }

    // The repetition waits for the pause; pausing in it holds it, resuming
    // plays at once; stop ends it for good.
    void pauseBetweenRepetitions() {
        RecitationOptions options;
        options.repeats = 2;
        options.pauseSeconds = 2; // 80 ms here
        recitation_->setOptions(options);
        QVERIFY(recitation_->play({112, 4}));
        finishFile();
        QCOMPARE(player_->played.size(), 1);
        QTRY_COMPARE(player_->played.size(), 2);
        QCOMPARE(player_->played.last(), QStringLiteral("112004"));

        QVERIFY(recitation_->play({113, 1}));
        finishFile(); // the basmala
        finishFile(); // 113:1, then the pause
        recitation_->pause();
        QCOMPARE(recitation_->state(), Recitation::State::Paused);
        QTest::qWait(200);
        QCOMPARE(player_->played.last(), QStringLiteral("113001"));
        QCOMPARE(player_->played.size(), 4);
        recitation_->resume();
        QCOMPARE(player_->played.size(), 5);

        finishFile(); // the pause before 113:2's repetition comes later
        finishFile();
        recitation_->stop();
        QTest::qWait(200);
        QCOMPARE(player_->played.last(), QStringLiteral("113002"));
        QCOMPARE(recitation_->state(), Recitation::State::Stopped);
    }

    // Pause and resume reach the player; after stop a late end from the
    // player plays nothing more.
    void pauseResumeStop() {
        QSignalSpy states(recitation_.get(), &Recitation::stateChanged);
        QVERIFY(recitation_->play({114, 1}));
        finishFile();
        recitation_->pause();
        QVERIFY(player_->paused);
        recitation_->resume();
        QVERIFY(!player_->paused);
        recitation_->stop();
        QVERIFY(!player_->playing);
        finishFile();
        QCOMPARE(player_->played, (QStringList{"001001", "114001"}));
        QCOMPARE(recitation_->verse(), std::nullopt);
        QCOMPARE(states.size(), 4); // playing, paused, playing, stopped
    }

    void nextAndPrevious() {
        QVERIFY(recitation_->play({112, 2}));
        recitation_->step(+1);
        recitation_->step(+1);
        recitation_->step(+1); // held at the sura's last verse
        recitation_->step(-1);
        QCOMPARE(player_->played, (QStringList{"112002", "112003", "112004", "112004", "112003"}));
        finishFile();
        QCOMPARE(player_->played.last(), QStringLiteral("112004"));
        recitation_->stop();
        recitation_->step(+1); // nothing while stopped
        QCOMPARE(player_->played.size(), 6);
    }

    // Nothing to play: a clear message, no player made, no hang.
    void folderProblems_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("message");
        QTest::newRow("none chosen") << QString() << "No recitation folder is chosen";
        QTest::newRow("gone") << QStringLiteral("/nonexistent/reciter")
                              << "The recitation folder \"/nonexistent/reciter\" is not there";
    }
    void folderProblems() {
        QFETCH(QString, folder);
        QFETCH(QString, message);
        QSignalSpy problem(recitation_.get(), &Recitation::problem);
        recitation_->setFolder(folder);
        QVERIFY(!recitation_->play({1, 1}));
        QCOMPARE(problem.size(), 1);
        QVERIFY2(problem.at(0).at(0).toString().startsWith(message),
                 qPrintable(problem.at(0).at(0).toString()));
        QCOMPARE(recitation_->state(), Recitation::State::Stopped);
        QCOMPARE(playersMade_, 0);
    }

    // A range without end over verses the folder lacks stops with a
    // message instead of looking for files for ever.
    void endlessRangeOfMissingFilesStops() {
        RecitationOptions options;
        options.rangeOn = true;
        options.rangeFrom = {3, 2};
        options.rangeTo = {3, 4};
        options.rangeTimes = 0;
        recitation_->setOptions(options);
        QSignalSpy problem(recitation_.get(), &Recitation::problem);
        recitation_->play({3, 2});
        QCOMPARE(problem.size(), 1);
        QCOMPARE(recitation_->state(), Recitation::State::Stopped);
        QCOMPARE(playersMade_, 0);
    }

    void playerMadeOnce() {
        QCOMPARE(playersMade_, 0);
        QVERIFY(recitation_->play({1, 1}));
        QVERIFY(recitation_->play({1, 5}));
        QCOMPARE(playersMade_, 1);
    }

    // Pause pressed at any point around the end of a verse of 600 ms whose
    // end the player reports 50 ms late, held, then resumed: the next verse
    // follows (the one paused is not heard again) and the range plays to
    // its end.  Before 600 the verse itself is paused; from 600 to 650 its
    // end is on its way; at 650 the end is reported but not yet handled;
    // after that the next verse is paused.
    void pauseAroundVerseEnd_data() {
        QTest::addColumn<int>("pauseAtMs");
        for (const int ms : {350, 400, 450, 500, 550, 580, 590, 599, 600, 601,
                             610, 625, 640, 649, 650, 651, 660, 700, 800, 900})
            QTest::addRow("%d ms", ms) << ms;
    }
    void pauseAroundVerseEnd() {
        QFETCH(int, pauseAtMs);
        RecitationOptions options;
        options.rangeOn = true;
        options.rangeFrom = {112, 2};
        options.rangeTo = {112, 4};
        recitation_->setOptions(options);
        QSignalSpy noted(recitation_.get(), &Recitation::note);
        QVERIFY(recitation_->play({112, 2}));
        player_->durationMs = 600;
        player_->reportMs = 50;
        // One millisecond of the player's clock, then the events it caused.
        const auto tick = [this] {
            player_->advance(1);
            QCoreApplication::processEvents();
        };
        for (int ms = 0; ms < 2000 && player_->played.size() < 2; ++ms)
            tick();
        QCOMPARE(player_->played.last(), QStringLiteral("112003")); // at 0 ms
        for (int ms = 1; ms < pauseAtMs; ++ms)
            tick();
        player_->advance(1);
        recitation_->pause(); // before the events of that millisecond
        QCoreApplication::processEvents();
        QCOMPARE(recitation_->state(), Recitation::State::Paused);
        for (int ms = 0; ms < 300; ++ms)
            tick();
        QCOMPARE(recitation_->state(), Recitation::State::Paused);

        recitation_->resume();
        for (int ms = 0; ms < 5000 && recitation_->state() != Recitation::State::Stopped; ++ms)
            tick();
        QCOMPARE(player_->played, (QStringList{"112002", "112003", "112004"}));
        QCOMPARE(recitation_->state(), Recitation::State::Stopped);
        QCOMPARE(notes(noted), QStringList{"The recitation has ended."});
        QCOMPARE(player_->touchedAfterEnd, 0);
    }

    // An end the player reported just before the reader moved on belongs to
    // the verse left: the verse moved to is played, not skipped.
    void endBeforeMovingOnIsForgotten_data() {
        QTest::addColumn<int>("move"); // 0: Play again; otherwise Next / Previous
        QTest::addColumn<QString>("playing");
        QTest::newRow("next") << +1 << "112003";
        QTest::newRow("previous") << -1 << "112001";
        QTest::newRow("play from another verse") << 0 << "114002";
    }
    void endBeforeMovingOnIsForgotten() {
        QFETCH(int, move);
        QFETCH(QString, playing);
        QVERIFY(recitation_->play({112, 2}));
        player_->finish(); // not yet handled
        if (move != 0)
            recitation_->step(move);
        else
            QVERIFY(recitation_->play({114, 2}));
        QCoreApplication::processEvents();
        QCOMPARE(player_->played.last(), playing);
        QCOMPARE(recitation_->state(), Recitation::State::Playing);
    }

    // A verse whose file is missing or cannot be played is passed over once,
    // with one note, however often each verse is repeated; a file that is
    // empty or no audio is never handed to the player.
    void unplayableVersePassedOnce_data() {
        QTest::addColumn<VersePlace>("from");
        QTest::addColumn<QStringList>("played");
        QTest::addColumn<QStringList>("skipNotes");
        QTest::addColumn<bool>("firstFails");
        QTest::newRow("missing") << VersePlace{2, 3} << QStringList{"002003", "002003", "002003",
                                                                    "002005", "002005", "002005"}
                                 << QStringList{"No recitation file for 2 : 4; skipped."} << false;
        QTest::newRow("empty and not audio")
            << VersePlace{5, 1} << QStringList{"001001", "005001", "005001", "005001"}
            << QStringList{"The recitation file 005002.mp3 could not be played; skipped.",
                           "The recitation file 005003.mp3 could not be played; skipped."}
            << false;
        QTest::newRow("not decoded by the player")
            << VersePlace{112, 3} << QStringList{"112003", "112004", "112004", "112004"}
            << QStringList{"The recitation file 112003.mp3 could not be played; skipped."} << true;
    }
    void unplayableVersePassedOnce() {
        QFETCH(VersePlace, from);
        QFETCH(QStringList, played);
        QFETCH(QStringList, skipNotes);
        RecitationOptions options;
        options.repeats = 3;
        options.pauseSeconds = 1;
        recitation_->setOptions(options);
        QSignalSpy noted(recitation_.get(), &Recitation::note);
        QFETCH(bool, firstFails);
        QVERIFY(recitation_->play(from));
        if (firstFails) {
            player_->fail(QStringLiteral("bad data"));
            QCoreApplication::processEvents();
        }
        for (int files = 0; files < 20 && recitation_->state() != Recitation::State::Stopped;
             ++files) {
            // The pause before each repetition ends first.
            QTRY_VERIFY(player_->playing || recitation_->state() == Recitation::State::Stopped);
            player_->playing = false;
            finishFile();
        }
        QCOMPARE(player_->played, played);
        QCOMPARE(notes(noted), skipNotes + QStringList{"The recitation has ended."});
        QCOMPARE(playersMade_, 1);
    }

    // A folder of files none of which can play makes no media player at all.
    void emptyFilesMakeNoPlayer() {
        QTemporaryDir empty;
        for (int verse = 1; verse <= 3; ++verse)
            QVERIFY(writeFile(empty.filePath(QStringLiteral("00800%1.mp3").arg(verse)), {}));
        recitation_->setFolder(empty.path());
        QSignalSpy noted(recitation_.get(), &Recitation::note);
        QVERIFY(recitation_->play({8, 1}));
        QCOMPARE(recitation_->state(), Recitation::State::Stopped);
        QCOMPARE(noted.size(), 4);
        QCOMPARE(playersMade_, 0);
    }

    // The folder taken away while playing: one message that it is gone, and
    // the recitation stops, instead of a note for every verse after it.
    void folderRemovedWhilePlaying_data() {
        QTest::addColumn<bool>("fileFails");
        QTest::newRow("the next verse looked for") << false;
        QTest::newRow("the file playing fails") << true;
    }
    void folderRemovedWhilePlaying() {
        QFETCH(bool, fileFails);
        QTemporaryDir parent;
        const QString path = parent.filePath(QStringLiteral("reciter"));
        QVERIFY(QDir().mkpath(path));
        for (int verse = 1; verse <= 6; ++verse)
            QVERIFY(writeFile(QDir(path).filePath(
                                  QStringLiteral("114%1.mp3").arg(verse, 3, 10, QLatin1Char('0'))),
                              kMp3Head));
        recitation_->setFolder(path);
        QSignalSpy noted(recitation_.get(), &Recitation::note);
        QSignalSpy problem(recitation_.get(), &Recitation::problem);
        QVERIFY(recitation_->play({114, 2}));
        QVERIFY(QDir(path).removeRecursively());
        if (fileFails)
            player_->fail(QStringLiteral("Resource not found"));
        else
            player_->finish();
        QCoreApplication::processEvents();
        QCOMPARE(recitation_->state(), Recitation::State::Stopped);
        QCOMPARE(notes(noted), QStringList());
        QCOMPARE(problem.size(), 1);
        QVERIFY2(problem.at(0).at(0).toString().startsWith(
                     QStringLiteral("The recitation folder \"%1\" is not there").arg(path)),
                 qPrintable(problem.at(0).at(0).toString()));
        QCOMPARE(player_->played, QStringList{"114002"});
    }
};

QTEST_GUILESS_MAIN(TestRecitation)
#include "tst_recitation.moc"
