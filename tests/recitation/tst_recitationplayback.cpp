#include "AppContext.h"
#include "BrowserView.h"
#include "FreshSettings.h"
#include "frmMain.h"
#include "frmRecitation.h"
#include "GuiTestMain.h"
#include "MediaAudioPlayer.h"
#include "PageZoom.h"
#include "QuranReader.h"
#include "ReadingView.h"
#include "Recitation.h"
#include "RecitationCommands.h"
#include "RecitationFixture.h"
#include "RecitationFolders.h"
#include "VerseContextMenu.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMediaPlayer>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <memory>

Q_DECLARE_METATYPE(VersePlace)

namespace {

constexpr int kWaitMs = 30000;

int realVerseCount(int sura) {
    switch (sura) {
    case 1:
        return 7;
    case 2:
        return 286;
    case 112:
        return 4;
    case 113:
        return 5;
    case 114:
        return 6;
    default:
        return 10;
    }
}

// "B2" for a basmala, "2:1" for a verse.
QString stepText(const QList<QVariant>& call) {
    const auto verse = call.at(0).value<VersePlace>();
    return call.at(1).toBool() ? QStringLiteral("B%1").arg(verse.sura)
                               : QStringLiteral("%1:%2").arg(verse.sura).arg(verse.verse);
}

} // namespace

// Real playback through Qt Multimedia of a folder made with sox: what is
// heard in which order and how long, a damaged and a missing file skipped,
// pause as a verse ends, and in the main window the page following the
// verse, pause and stop, and the way to the settings when nothing plays.
class TestRecitationPlayback : public QObject {
    Q_OBJECT

    RecitationFixture folder_;
    std::unique_ptr<FreshSettings> settings_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<frmMain> w_;

    RecitationCommands* commands() { return w_->findChild<RecitationCommands*>(); }

    // With the recitation folder `path` (the sox folder when not given;
    // none chosen when empty).
    void openWindow(const RecitationOptions& options, const QString& path = QStringLiteral("*")) {
        w_.reset();
        settings_ = std::make_unique<FreshSettings>();
        context_ = std::make_unique<AppContext>();
        const QString folder = path == QStringLiteral("*") ? folder_.path() : path;
        if (!folder.isEmpty())
            RecitationFolders::store(context_->settings(), {{QStringLiteral("Tones"), folder}}, 1);
        options.store(context_->settings());
        w_ = std::make_unique<frmMain>(*context_);
        w_->show();
        w_->Form_Load();
        QVERIFY(w_->browser()->waitForLoad());
    }

    int scrollY() {
        return w_->browser()
            ->runScript(QStringLiteral("Math.round(window.scrollY)"))
            .value_or(QVariant(-1))
            .toInt();
    }

private slots:
    void initTestCase() {
        if (!folder_.make())
            QSKIP(qPrintable(folder_.error()));
    }

    void cleanup() { w_.reset(); }

    // A range across two suras: the basmala before sura 2, the damaged
    // 2:3 and the missing 2:4 skipped with notes, each file heard about as
    // long as it lasts, and the end reached.
    void playsFilesInOrder() {
        Recitation recitation([](QObject* parent) { return new MediaAudioPlayer(parent); },
                              realVerseCount);
        RecitationOptions options;
        options.rangeOn = true;
        options.rangeFrom = {1, 6};
        options.rangeTo = {2, 5};
        recitation.setOptions(options);
        recitation.setFolder(folder_.path());
        QSignalSpy started(&recitation, &Recitation::verseStarted);
        QSignalSpy noted(&recitation, &Recitation::note);
        QList<qint64> startedAt;
        QElapsedTimer clock;
        clock.start();
        connect(&recitation, &Recitation::verseStarted, this,
                [&] { startedAt << clock.elapsed(); });
        QVERIFY(recitation.play({1, 6}));
        QTRY_COMPARE_WITH_TIMEOUT(recitation.state(), Recitation::State::Stopped, kWaitMs);

        QStringList order;
        for (const auto& call : started)
            order << stepText(call);
        QCOMPARE(order, (QStringList{"1:6", "1:7", "B2", "2:1", "2:2", "2:3", "2:5"}));
        QStringList notes;
        for (const auto& call : noted)
            notes << call.at(0).toString();
        QCOMPARE(
            notes.join(QLatin1Char('|')),
            (QStringList{"The recitation file 002003.mp3 could not be played; skipped.",
                         "No recitation file for 2 : 4; skipped.", "The recitation has ended."})
                .join(QLatin1Char('|')));
        // Played, not skipped: the next file starts no sooner than the
        // one before could have ended (the basmala is the longest).
        QVERIFY2(startedAt.at(3) - startedAt.at(2) >= RecitationFixture::kBasmalaMs * 8 / 10,
                 qPrintable(QString::number(startedAt.at(3) - startedAt.at(2))));
        QVERIFY2(startedAt.at(2) - startedAt.at(1) >= RecitationFixture::kVerseMs * 8 / 10,
                 qPrintable(QString::number(startedAt.at(2) - startedAt.at(1))));
    }

    // Ogg files play too; each verse twice.
    void repeatsOgg() {
        Recitation recitation([](QObject* parent) { return new MediaAudioPlayer(parent); },
                              realVerseCount);
        RecitationOptions options;
        options.repeats = 2;
        recitation.setOptions(options);
        recitation.setFolder(folder_.path());
        QSignalSpy started(&recitation, &Recitation::verseStarted);
        QVERIFY(recitation.play({113, 4}));
        QTRY_COMPARE_WITH_TIMEOUT(recitation.state(), Recitation::State::Stopped, kWaitMs);
        QStringList order;
        for (const auto& call : started)
            order << stepText(call);
        QCOMPARE(order, (QStringList{"113:4", "113:4", "113:5", "113:5"}));
    }

    // A file that ended is not started again by a pause and a resume that
    // come after its end (the media player would play it once more and
    // report no end for it).
    void endedFileIsNotStartedOver() {
        MediaAudioPlayer player;
        QSignalSpy finished(&player, &AudioPlayer::finished);
        player.play(QDir(folder_.path()).filePath(QStringLiteral("114001.mp3")));
        QVERIFY(finished.wait(kWaitMs));
        auto* media = player.findChild<QMediaPlayer*>();
        QVERIFY(media);
        player.pause();
        player.resume();
        QVERIFY(media->playbackState() != QMediaPlayer::PlayingState);
        QCOMPARE(finished.size(), 1);
    }

    // Pause pressed around the end of a verse as it is heard, resumed a
    // moment later: the next verse follows, each verse is heard once, and
    // the range is played to its end.
    void pauseNearVerseEndGoesOn_data() {
        QTest::addColumn<int>("pauseAfterMs"); // after the verse's start
        for (const int ms : {200, 260, 300, 330, 360, 400, 450, 500})
            QTest::addRow("%d ms", ms) << ms;
    }
    void pauseNearVerseEndGoesOn() {
        QFETCH(int, pauseAfterMs);
        Recitation recitation([](QObject* parent) { return new MediaAudioPlayer(parent); },
                              realVerseCount);
        RecitationOptions options;
        options.rangeOn = true;
        options.rangeFrom = {114, 2};
        options.rangeTo = {114, 4};
        recitation.setOptions(options);
        recitation.setFolder(folder_.path());
        QSignalSpy started(&recitation, &Recitation::verseStarted);
        bool resumed = false;
        connect(&recitation, &Recitation::verseStarted, this, [&](const VersePlace& verse) {
            if (verse != VersePlace{114, 3} || resumed)
                return;
            QTimer::singleShot(pauseAfterMs, &recitation, [&] {
                recitation.pause();
                QTimer::singleShot(200, &recitation, [&] {
                    resumed = true;
                    recitation.resume();
                });
            });
        });
        QVERIFY(recitation.play({114, 2}));
        QTRY_VERIFY_WITH_TIMEOUT(resumed, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(recitation.state(), Recitation::State::Stopped, kWaitMs);
        QStringList order;
        for (const auto& call : started)
            order << stepText(call);
        QCOMPARE(order, (QStringList{"114:2", "114:3", "114:4"}));
    }

    // A recitation that cannot start tells why and offers the way to the
    // recitation settings, which the button opens.
    void problemOffersSettings_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("message");
        QTest::newRow("none chosen") << QString() << "No recitation folder is chosen";
        QTest::newRow("gone") << QStringLiteral("/nonexistent/reciter")
                              << "The recitation folder \"/nonexistent/reciter\" is not there";
    }
    void problemOffersSettings() {
        QFETCH(QString, folder);
        QFETCH(QString, message);
        openWindow(RecitationOptions(), folder);
        commands()->playFromCurrent();
        QMessageBox* box = nullptr;
        QTRY_VERIFY((box = w_->findChild<QMessageBox*>()) && box->isVisible());
        QVERIFY2(box->text().startsWith(message), qPrintable(box->text()));
        QPushButton* settings = nullptr;
        for (QAbstractButton* button : box->buttons())
            if (button->text() == QStringLiteral("Recitation &settings..."))
                settings = qobject_cast<QPushButton*>(button);
        QVERIFY(settings);
        QCOMPARE(settings->accessibleName(), QStringLiteral("Recitation settings..."));
        settings->click();
        frmRecitation* window = nullptr;
        QTRY_VERIFY((window = w_->findChild<frmRecitation*>()) && window->isVisible());
        window->reject();
        QCOMPARE(commands()->recitation().state(), Recitation::State::Stopped);
    }

    // "Play from this verse" in the verse menu; the page follows into the
    // next sura, its verses becoming current one by one.
    void pageFollowsIntoNextSura() {
        RecitationOptions options;
        options.nextSura = true;
        openWindow(options);
        ReadingView& view = w_->readingView();
        QVERIFY(view.goToVerse({1, 6}));
        QStringList seen;
        connect(&view, &ReadingView::currentVerseChanged, this, [&] {
            if (const auto verse = view.currentVerse())
                seen << verse->label();
        });
        // The verse menu opened over the Arabic text of 1:6.
        const QVariantList point = w_->browser()
                                       ->runScript(QStringLiteral(R"((function () {
  var target = null;
  document.querySelectorAll('p.A1').forEach(function (p) {
    if (p.textContent.trim() === '1 : 6') target = p;
  });
  while (target && !target.classList.contains('main')) target = target.previousElementSibling;
  if (!target) return null;
  target.scrollIntoView({block: 'center'});
  var box = target.getBoundingClientRect();
  return [box.left + box.width / 2, box.top + box.height / 2];
})())"))
                                       .value_or(QVariant())
                                       .toList();
        QCOMPARE(point.size(), 2);
        std::unique_ptr<QMenu> menu(
            view.contextMenu()->menuAt(QPoint(point.at(0).toInt(), point.at(1).toInt()), w_.get()));
        QAction* play = nullptr;
        for (QAction* action : menu->actions())
            if (action->text() == QStringLiteral("Play from this verse"))
                play = action;
        QVERIFY(play);
        // The media player is made by the first verse played, not at start-up.
        QVERIFY(!w_->findChild<QMediaPlayer*>());
        QStringList shownNotes; // the status bar as each note arrives
        connect(&commands()->recitation(), &Recitation::note, this,
                [&] { shownNotes << w_->statusBar()->currentMessage(); });
        play->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(seen.contains(QStringLiteral("2 : 2")), kWaitMs);
        QCOMPARE(w_->reader().selectedSura(), 2);
        QVERIFY2(seen.contains(QStringLiteral("1 : 7")) && seen.contains(QStringLiteral("2 : 1")),
                 qPrintable(seen.join(QStringLiteral(", "))));
        QTRY_VERIFY_WITH_TIMEOUT(
            shownNotes.contains(QStringLiteral("No recitation file for 2 : 4; skipped.")), kWaitMs);
        QVERIFY(w_->findChild<QMediaPlayer*>());
        commands()->stop();
        QCOMPARE(commands()->recitation().state(), Recitation::State::Stopped);
    }

    // Scrolled away on purpose, the page stays where the reader put it
    // while the recited verse still becomes current; back at the recited
    // verse, the page follows again and brings the next verse into view.
    // Pause and stop leave the window answering at once.
    void readerScrollingElsewhereIsRespected() {
        openWindow(RecitationOptions());
        ReadingView& view = w_->readingView();
        w_->readingView().zoom()->setPercent(300); // sura 2's first verses fill more than a screen
        QVERIFY(view.goToVerse({2, 1}));
        Recitation& recitation = commands()->recitation();
        // Paused the moment the verses start, so the test acts while each plays.
        QList<VersePlace> pauseAt{{2, 1}, {2, 2}};
        connect(&recitation, &Recitation::verseStarted, this,
                [&](const VersePlace& verse, bool basmala) {
                    if (!basmala && pauseAt.removeOne(verse))
                        recitation.pause();
                });
        commands()->playFromCurrent();
        QTRY_COMPARE_WITH_TIMEOUT(recitation.state(), Recitation::State::Paused, kWaitMs);
        QCOMPARE(recitation.verse(), (VersePlace{2, 1}));

        QElapsedTimer answer;
        answer.start();
        w_->browser()->runScript(QStringLiteral("window.scrollTo(0, 20000); true"));
        QVERIFY(answer.elapsed() < 5000); // the window answers while paused
        // The page settles (verses far off screen are laid out late).
        int away = -1;
        for (int tries = 0; tries < 20 && away != scrollY(); ++tries) {
            away = scrollY();
            QTest::qWait(150);
        }
        QVERIFY(away > 1000);
        commands()->togglePause();
        QTRY_VERIFY_WITH_TIMEOUT(recitation.state() == Recitation::State::Paused &&
                                     recitation.verse() == (VersePlace{2, 2}),
                                 kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(view.currentVerse(), (VersePlace{2, 2}), kWaitMs);
        QCOMPARE(scrollY(), away);

        // Back at the recited verse (its label at the foot of the view): the
        // verses after it are brought on screen as they start.
        w_->browser()->runScript(QStringLiteral(R"(
document.querySelectorAll('p.A1').forEach(function (p) {
  if (p.textContent.trim() === '2 : 2') p.scrollIntoView({block: 'end'});
}); true)"));
        const int back = scrollY();
        QVERIFY(!verseOnScreen(QStringLiteral("2 : 5")));
        commands()->togglePause();
        QTRY_COMPARE_WITH_TIMEOUT(view.currentVerse(), (VersePlace{2, 5}), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(verseOnScreen(QStringLiteral("2 : 5")), kWaitMs);
        QVERIFY(scrollY() > back);

        commands()->stop();
        QCOMPARE(recitation.state(), Recitation::State::Stopped);
        QCOMPARE(w_->browser()->runScript(QStringLiteral("1 + 1")).value_or(0).toInt(), 2);
    }

private:
    // Whether any of the verse (from the label before it to its own) is in
    // the view.
    bool verseOnScreen(const QString& label) {
        return w_->browser()
            ->runScript(QStringLiteral(R"((function (text) {
  var labels = document.querySelectorAll('p.A1'), found = false;
  for (var i = 0; i < labels.length; ++i) {
    if (labels[i].textContent.trim() !== text) continue;
    var top = i > 0 ? labels[i - 1].getBoundingClientRect().bottom : 0;
    found = top < window.innerHeight && labels[i].getBoundingClientRect().bottom > 0;
  }
  return found;
})('%1'))")
                            .arg(label))
            .value_or(false)
            .toBool();
    }
};

MIRAVEL_GUI_TEST_MAIN(TestRecitationPlayback)
#include "tst_recitationplayback.moc"
