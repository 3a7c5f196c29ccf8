#include "CommandIds.h"
#include "frmFind.h"
#include "frmMain.h"
#include "GuiTestMain.h"
#include "MainWindowFixture.h"
#include "QuranReader.h"
#include "ReadingView.h"
#include "RegSetting.h"
#include "ResultItem.h"
#include "SettingsModel.h"
#include "ShownVerse.h"
#include "StateWait.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>

#include <functional>
#include <utility>

// Sura pages in the main window: shown from the tree and the commands,
// stopped or superseded while they are composed, filled again for the next
// sura; and verses gone to on every route.
class TestMainWindowSuras : public MainWindowFixture {
    Q_OBJECT

    // Opens sura 2 and, once its loading page has come (the composition is
    // under way), clicks tree entry `index` from the next turn of the event
    // loop.  True when that click happened inside the composition.
    bool clickWhileSura2IsComposed(int index) {
        bool loadingShown = false;
        bool clicked = false;
        const auto connection = connect(w_->browser(), &QWebEngineView::loadFinished, this, [&] {
            if (std::exchange(loadingShown, true))
                return;
            QTimer::singleShot(0, this, [&] {
                clicked = true;
                clickNode(index);
            });
        });
        clickNode(4);
        disconnect(connection);
        return clicked;
    }

private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    void enterOpensTheSelectedSura() {
        setOrder(QStringLiteral("1"));
        w_->tree()->selectNode(w_->tree()->node(2 + 112));
        w_->tree()->setFocus();
        QTest::keyClick(w_->tree(), Qt::Key_Return);
        QCOMPARE(labels(body()), expectedLabels(112, 4));
    }

    void suraClickShowsItsPage() {
        setOrder(QStringLiteral("1/2"));
        clickNode(116);
        QCOMPARE(labels(body()), expectedLabels(114, 6));
        QCOMPARE(w_->statusPanel(0)->text(), w_->tree()->node(116)->text(0));
        QCOMPARE(w_->tree()->selectedIndex(), 116);
    }

    void sura2WithAllThreeLibraries() {
        setOrder(QStringLiteral("1/2/3"));
        clickNode(4);
        const QString page = body();
        QCOMPARE(labels(page), expectedLabels(2, 286));
        QVERIFY(page.contains(QStringLiteral("002- Al-Baqara (The Cow) : The Cow")));
        QVERIFY(!page.contains(QStringLiteral(">|<")));
        QCOMPARE(page.count(QStringLiteral("class=\"main\"")), 286);
        QCOMPARE(page.count(QStringLiteral("class=\"Trans\"")), 286 * 2 + 286 * 2);
    }

    void aLibraryStoredWithoutANameReadsTheProgramsOwn_data() {
        QTest::addColumn<QString>("valueName");
        QTest::addColumn<QString>("order");
        QTest::newRow("dll") << "dll"
                             << "1";
        QTest::newRow("dll2") << "dll2"
                              << "2";
        QTest::newRow("dll3") << "dll3"
                              << "3";
    }
    void aLibraryStoredWithoutANameReadsTheProgramsOwn() {
        QFETCH(QString, valueName);
        QFETCH(QString, order);
        const QString culture = QStringLiteral("Cultures\\1");
        RegSetting::SaveValue(QStringLiteral("Miravel"), culture, QStringLiteral("Name"),
                              QStringLiteral("English"));
        RegSetting::SaveValue(QStringLiteral("Miravel"), culture, valueName, QString());
        RegSetting::SaveValue(QStringLiteral("Miravel"), QStringLiteral("Settings"),
                              QStringLiteral("OrderString"), order);
        ReadAppSettings(context_->settings());
        QCOMPARE(context_->libraryFile(order.toInt()), QString());
        w_->reader().showSura(1);
        const QString page = body();
        QCOMPARE(labels(page), expectedLabels(1, 7));
        static const QRegularExpression emptyParagraph(
            QStringLiteral("<p class=\"(main|Trans)\">\\s*</p>"));
        QVERIFY2(!page.contains(emptyParagraph), "a verse paragraph is empty");
    }

    // Each sura is chosen while the page of the one before is being
    // composed: the next choice is sent from the first turn of the event
    // loop inside that composition.
    void manySurasInQuickSuccessionEndOnTheLast() {
        setOrder(QStringLiteral("1/2/3"));
        const QList<int> suras{2,  3,  1,  114, 18, 36, 4,  55, 67, 2,  112, 9,   24, 78, 5,
                               10, 19, 99, 2,   7,  12, 50, 58, 47, 61, 57,  103, 26, 3,  20};
        int fired = 0;
        int running = 0;
        int deepest = 0;
        std::function<void()> choose = [&] {
            const int i = fired++;
            ++running;
            deepest = std::max(deepest, running);
            if (fired < suras.size())
                QTimer::singleShot(0, this, choose);
            clickNode(suras[i] + 2);
            --running;
        };
        QTimer::singleShot(0, this, choose);
        WAIT_VERIFY(fired == suras.size() && running == 0);
        QVERIFY2(deepest > 1, "the choices must arrive while a page is being composed");
        const QString page = body();
        QCOMPARE(labels(page), expectedLabels(20, 135));
        QVERIFY(page.contains(QStringLiteral("020- Taa-Haa (Taa-Haa) : Taa-Haa")));
        QCOMPARE(w_->tree()->selectedIndex(), 22);
    }

    // The next sura fills the sura page on show again rather than loading
    // it: nothing of the sura before stays (title, opening, verses, the
    // current verse's mark, the place scrolled to).
    void nextSuraFillsTheSuraPageAgain() {
        setOrder(QStringLiteral("1/2"));
        clickNode(11); // sura 9: no formula above it
        QVERIFY(w_->reader().goToVerse(9, 100));
        QVERIFY(ask(QStringLiteral("window.scrollY")).value_or(0).toInt() > 0);
        QSignalSpy loads(w_->browser()->page(), &QWebEnginePage::loadStarted);
        clickNode(114); // sura 112: the English line under its formula again
        QCOMPARE(loads.count(), 0);
        const QString page = body();
        QCOMPARE(labels(page), expectedLabels(112, 4));
        QVERIFY(page.contains(w_->tree()->node(114)->text(0)));
        QVERIFY(!page.contains(w_->tree()->node(11)->text(0)));
        QVERIFY(!page.contains(QStringLiteral(">|<")));
        QVERIFY(!page.contains(QStringLiteral("aria-current")));
        const auto state =
            ask(QStringLiteral("[window.scrollY, document.getElementById('opening').hidden,"
                               " document.querySelectorAll('table').length]"));
        QVERIFY(state);
        QCOMPARE(state->toList().value(0).toInt(), 0);
        QCOMPARE(state->toList().value(1).toBool(), false);
        QCOMPARE(state->toList().value(2).toInt(), 1);
        QCOMPARE(w_->statusPanel(0)->text(), w_->tree()->node(114)->text(0));
    }

    void rootNodeStopsAComposition() {
        setOrder(QStringLiteral("1/2/3"));
        QVERIFY(clickWhileSura2IsComposed(2)); // the root
        QVERIFY(w_->reader().CancelDisplay());
        WAIT_VERIFY(body().contains(QStringLiteral("miravelimage_gif")));
        QVERIFY(labels(body()).isEmpty());
    }

    void aStoppedCompositionLeavesTheStatusText() {
        setOrder(QStringLiteral("1/2/3"));
        QVERIFY(clickWhileSura2IsComposed(3)); // sura 1
        QCOMPARE(labels(body()), expectedLabels(1, 7));
        QCOMPARE(w_->tree()->selectedIndex(), 3);
        QCOMPARE(w_->statusPanel(0)->text(), w_->tree()->node(3)->text(0));
    }

    void backAndForwardWalkTheTree() {
        w_->tree()->selectNode(w_->tree()->node(1));
        CommandBarControl* back = button(CommandId::PreviousEntry);
        w_->CBar_CommandInvoked(back);
        QCOMPARE(w_->tree()->selectedIndex(), 1);
        QVERIFY(back->Enabled());

        w_->tree()->selectNode(w_->tree()->node(116));
        CommandBarControl* forward = button(CommandId::NextEntry);
        w_->CBar_CommandInvoked(forward);
        QCOMPARE(w_->tree()->selectedIndex(), 116);

        setOrder(QStringLiteral("1"));
        w_->tree()->selectNode(w_->tree()->node(2));
        w_->CBar_CommandInvoked(forward);
        QCOMPARE(w_->tree()->selectedIndex(), 3);
        QCOMPARE(labels(body()), expectedLabels(1, 7));
        QVERIFY(forward->Enabled());
        w_->CBar_CommandInvoked(back);
        QCOMPARE(w_->tree()->selectedIndex(), 2);
        WAIT_VERIFY(body().contains(QStringLiteral("miravelimage_gif")));
    }

    void startPageCommandStopsAndSelectsFirstEntry() {
        w_->CBar_CommandInvoked(button(CommandId::StartPage));
        QVERIFY(w_->reader().CancelDisplay());
        QCOMPARE(w_->tree()->selectedIndex(), 1);
        WAIT_VERIFY(body().contains(QStringLiteral("miravelimage_gif")));
    }

    void goToVerseFindsTheWholeLabel() {
        setOrder(QStringLiteral("1/2"));
        QVERIFY(w_->reader().goToVerse(2, 25));
        const auto selected =
            ask(QStringLiteral("(function(){var s = window.getSelection();"
                               "return s.rangeCount ? s.getRangeAt(0).toString() + '|' +"
                               " s.anchorNode.parentNode.className : '';})()"));
        QVERIFY(selected);
        QCOMPARE(selected->toString(), QStringLiteral("2 : 25|A1"));
        QVERIFY(!w_->reader().goToVerse(1, 8));
    }

    // Every way to a verse: the label painted in the highlight colour, the
    // verse at the top of the view, the verse current; 2:25 is never 2:250.
    void goToShowsTheVerseOnEveryRoute_data() {
        QTest::addColumn<QString>("route");
        QTest::addColumn<int>("verse");
        for (const char* route :
             {"reader", "search Go to", "search Enter", "go-to-verse window", "bookmarks menu"}) {
            QTest::addRow("%s, 2:25", route) << QString::fromLatin1(route) << 25;
        }
        QTest::newRow("bookmarks menu, 2:250") << "bookmarks menu" << 250;
        QTest::newRow("go-to-verse window, 2:1") << "go-to-verse window" << 1;
    }
    void goToShowsTheVerseOnEveryRoute() {
        QFETCH(QString, route);
        QFETCH(int, verse);
        setOrder(QStringLiteral("1/2"));
        const VersePlace target{2, verse};
        if (route == QLatin1String("reader")) {
            QVERIFY(w_->reader().goToVerse(2, verse));
        } else if (route.startsWith(QLatin1String("search"))) {
            frmFind find(*context_, w_->reader());
            find.show();
            QVERIFY(QTest::qWaitForWindowExposed(&find, StateWait::kLimitMs));
            find.lstRes->entries().add(ResultItem{102, verse});
            find.lstRes->entries().showAdded();
            find.lstRes->selectRow(0);
            if (route.endsWith(QLatin1String("Enter"))) {
                find.lstRes->setFocus();
                QTest::keyClick(find.lstRes, Qt::Key_Return);
            } else {
                find.cmdGoto->click();
            }
        } else if (route == QLatin1String("go-to-verse window")) {
            bool answered = false;
            QTimer::singleShot(0, [&] {
                QWidget* dialog = QApplication::activeModalWidget();
                QVERIFY(dialog);
                dialog->findChild<QComboBox*>(QStringLiteral("cmbBookMarks"))->setCurrentIndex(1);
                dialog->findChild<QComboBox*>(QStringLiteral("cmbAyat"))
                    ->setCurrentIndex(verse - 1);
                dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
                answered = true;
            });
            menuItem(225)->action()->trigger(); // Go, Go to verse
            QVERIFY(answered);
        } else {
            const QString app = QStringLiteral("Miravel");
            QVERIFY(RegSetting::SaveValue(app, QStringLiteral("BookMarks"),
                                          QStringLiteral("BookMarks"), QStringLiteral("4")));
            QVERIFY(RegSetting::SaveValue(app, QStringLiteral("BookMarks\\4"),
                                          QStringLiteral("Name"),
                                          QStringLiteral("2:%1  002- Al-Baqara").arg(verse)));
            // The menu lists the bookmarks stored when the window opened.
            w_.reset();
            QVERIFY(RegSetting::SaveValue(app, QStringLiteral("BookMarks"),
                                          QStringLiteral("BookMarks"), QStringLiteral("4")));
            w_ = std::make_unique<frmMain>(*context_);
            w_->show();
            w_->Form_Load();
            QVERIFY(w_->browser()->waitForLoad(StateWait::kLimitMs));
            menuItem(2104)->action()->trigger(); // the entry of bookmark 4
        }
        const QString fault = ShownVerse::fault(w_->browser(), target.label());
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QCOMPARE(w_->readingView().currentVerse(), target);
        const auto marked = ask(
            QStringLiteral("Array.prototype.map.call(document.querySelectorAll('[aria-current]'),"
                           " function (e) { return e.textContent; }).join('|')"));
        QVERIFY(marked);
        QCOMPARE(marked->toString(), target.label());
    }
};

MIRAVEL_GUI_TEST_MAIN(TestMainWindowSuras)

#include "tst_mainwindow_suras.moc"
