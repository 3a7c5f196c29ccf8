#include "AppContext.h"
#include "BrowserView.h"
#include "FreshSettings.h"
#include "frmMain.h"
#include "GuiTestMain.h"
#include "PageRecovery.h"
#include "QuranReader.h"
#include "ReadingView.h"
#include "RestartBudget.h"
#include "ShownVerse.h"
#include "StateWait.h"

#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QWebEnginePage>

#include <memory>

#include <signal.h>

// The reading view's page when its renderer process ends mid-session (the
// test kills it, as the system or a crash would): the page comes back as
// it was, once, twice, and then no more if it keeps ending.
class TestPageRecovery : public QObject {
    Q_OBJECT

    std::unique_ptr<FreshSettings> settings_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<frmMain> w_;

    PageRecovery* recovery() { return w_->findChild<PageRecovery*>(); }
    QWebEnginePage* page() { return w_->browser()->page(); }

    std::optional<VersePlace> top() { return w_->reader().placeOnScreen(); }

    bool onStartPage() {
        return w_->browser()->bodyInnerHtml().contains(QStringLiteral("miravelimage_gif"));
    }

    // Kills the page's renderer; true once the view has noticed.
    bool killRenderer() {
        const qint64 pid = page()->renderProcessPid();
        if (pid <= 0)
            return false;
        QSignalSpy lost(w_->browser(), &BrowserView::rendererLost);
        if (::kill(pid_t(pid), SIGKILL) != 0)
            return false;
        return StateWait::until([&] { return !lost.isEmpty(); }) &&
               w_->browser()->hasLostRenderer();
    }

private slots:
    void init() {
        settings_ = std::make_unique<FreshSettings>();
        context_ = std::make_unique<AppContext>();
        w_ = std::make_unique<frmMain>(*context_);
        w_->show();
        w_->Form_Load();
        QVERIFY(w_->browser()->waitForLoad());
        QVERIFY(recovery());
    }
    void cleanup() {
        w_.reset();
        context_.reset();
        settings_.reset();
    }

    // The same sura with the same verse at the top, the current verse kept
    // and marked, and a note in the status bar.
    void thePageComesBackAsItWas_data() {
        QTest::addColumn<int>("sura");    // 0: the start page
        QTest::addColumn<int>("verse");   // gone to, at the top
        QTest::addColumn<int>("scroll");  // then scrolled by the reader, in pixels
        QTest::addColumn<int>("current"); // made current after; 0: the verse gone to
        QTest::newRow("a verse deep in a long sura") << 2 << 100 << 0 << 0;
        QTest::newRow("scrolled on by the reader") << 2 << 100 << 1500 << 0;
        QTest::newRow("current verse below the top") << 2 << 30 << 0 << 32;
        QTest::newRow("a short sura") << 112 << 1 << 0 << 0;
        QTest::newRow("the start page") << 0 << 0 << 0 << 0;
    }
    void thePageComesBackAsItWas() {
        QFETCH(int, sura);
        QFETCH(int, verse);
        QFETCH(int, scroll);
        QFETCH(int, current);
        if (sura > 0) {
            QVERIFY(w_->reader().showPlace({sura, verse}));
            if (scroll > 0) {
                w_->browser()->runScript(
                    QStringLiteral("window.scrollBy(0, %1); true").arg(scroll));
                WAIT_VERIFY(top() != (VersePlace{sura, verse}));
            }
            if (current > 0)
                w_->readingView().setCurrentVerse(VersePlace{sura, current});
        }
        const std::optional<VersePlace> before = top();
        QCOMPARE(before.has_value(), sura > 0);
        // What the program knows of the page before the renderer is gone.
        WAIT_COMPARE(recovery()->placeToShow(), before);
        const auto currentBefore = w_->readingView().currentVerse();
        const qint64 oldPid = page()->renderProcessPid();

        QSignalSpy shownAgain(recovery(), &PageRecovery::pageShownAgain);
        QVERIFY(killRenderer());
        WAIT_COMPARE(shownAgain.count(), 1);
        QCOMPARE(w_->statusBar()->currentMessage(), PageRecovery::shownAgainNote());
        QVERIFY(page()->renderProcessPid() > 0);
        QVERIFY(page()->renderProcessPid() != oldPid);
        if (sura == 0) {
            WAIT_VERIFY(onStartPage());
            return;
        }
        QCOMPARE(top(), before);
        QCOMPARE(w_->reader().selectedSura(), sura);
        QCOMPARE(w_->readingView().currentVerse(), currentBefore);
        if (current == 0 && scroll == 0) {
            const QString fault = ShownVerse::fault(w_->browser(), before->label());
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
        }
    }

    // Killed while a sura is composed, once its page has loaded: that sura
    // is shown again from its start.
    void aSuraCutShortIsComposedAgain() {
        QSignalSpy shownAgain(recovery(), &PageRecovery::pageShownAgain);
        qint64 killed = 0;
        const auto connection = connect(page(), &QWebEnginePage::loadFinished, this, [&] {
            if (killed == 0 && page()->url().fileName() == QLatin1String("QURAN.HTML")) {
                killed = page()->renderProcessPid();
                ::kill(pid_t(killed), SIGKILL);
            }
        });
        w_->reader().showSura(2);
        disconnect(connection);
        QVERIFY(killed > 0);
        WAIT_COMPARE(shownAgain.count(), 1);
        QCOMPARE(w_->statusBar()->currentMessage(), PageRecovery::shownAgainNote());
        QCOMPARE(top(), (VersePlace{2, 1}));
        QCOMPARE(w_->reader().selectedSura(), 2);
    }

    // A renderer that keeps ending is restarted kRestarts times, then the
    // reader is asked to choose; a page chosen then shows as ever.
    void aRendererThatKeepsEndingIsLeftAlone() {
        QVERIFY(w_->reader().showPlace({112, 1}));
        QSignalSpy shownAgain(recovery(), &PageRecovery::pageShownAgain);
        QSignalSpy gaveUp(recovery(), &PageRecovery::gaveUp);
        for (int i = 1; i <= PageRecovery::kRestarts; ++i) {
            QVERIFY(killRenderer());
            WAIT_COMPARE(shownAgain.count(), i);
        }
        QSignalSpy loads(page(), &QWebEnginePage::loadStarted);
        QVERIFY(killRenderer());
        QCOMPARE(gaveUp.count(), 1);
        QCOMPARE(w_->statusBar()->currentMessage(), PageRecovery::gaveUpNote());
        // Nothing is on the way: what was queued has run, and no load
        // started, none is waited for.
        QCoreApplication::processEvents();
        QVERIFY(w_->browser()->hasLostRenderer());
        QVERIFY(!w_->browser()->isLoadPending());
        QCOMPARE(loads.count(), 0);
        QCOMPARE(shownAgain.count(), PageRecovery::kRestarts);

        QVERIFY(w_->reader().showPlace({2, 255}));
        QCOMPARE(top(), (VersePlace{2, 255}));
        QCOMPARE(w_->statusBar()->currentMessage(), QString());
    }

    void theBudgetCountsRestartsWithinTheSpan_data() {
        QTest::addColumn<QList<qint64>>("times"); // of the restarts asked for, in ms
        QTest::addColumn<QString>("taken");       // for each, 1 taken or 0 refused
        QTest::newRow("three at once") << QList<qint64>{0, 10, 20} << "111";
        QTest::newRow("the fourth within the span") << QList<qint64>{0, 10, 20, 59999} << "1110";
        QTest::newRow("the first has left the span") << QList<qint64>{0, 10, 20, 60000} << "1111";
        QTest::newRow("refusals are not counted")
            << QList<qint64>{0, 10, 20, 30, 40, 60010} << "111001";
        QTest::newRow("spread out") << QList<qint64>{0, 30000, 60000, 90000, 120000} << "11111";
    }
    void theBudgetCountsRestartsWithinTheSpan() {
        QFETCH(QList<qint64>, times);
        RestartBudget budget(3, 60000);
        QString taken;
        for (const qint64 t : times)
            taken += budget.take(t) ? QLatin1Char('1') : QLatin1Char('0');
        QTEST(taken, "taken");
    }
};

MIRAVEL_GUI_TEST_MAIN(TestPageRecovery)
#include "tst_pagerecovery.moc"
