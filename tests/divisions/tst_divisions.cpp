#include "app/FreshSettings.h"
#include "AppContext.h"
#include "BrowserView.h"
#include "CommandBars.h"
#include "CommandIds.h"
#include "DivisionCommandIds.h"
#include "DivisionTable.h"
#include "frmGoToPage.h"
#include "frmMain.h"
#include "GuiTestMain.h"
#include "InstallDivisions.h"
#include "MainCommands.h"
#include "QuranReader.h"
#include "ReadingView.h"
#include "StateWait.h"
#include "SubsystemHost.h"
#include "SuraTree.h"
#include "TopVerseWatch.h"
#include "VerseContextMenu.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// The verse labels on the page after which a mark of `kind` stands.
const char kMarkedLabels[] = R"JS(
(function (kind) {
  var found = [];
  document.querySelectorAll('body > span.division-mark').forEach(function (mark) {
    if (!mark.querySelector('span.' + kind)) return;
    var e = mark.nextElementSibling;
    while (e && !(e.tagName === 'P' && e.classList.contains('A1'))) e = e.nextElementSibling;
    found.push(e ? e.textContent.trim() : '?');
  });
  return found.join('|');
})(%1)
)JS";

QString label(const std::optional<DivisionVerse>& verse) {
    return verse ? QStringLiteral("%1 : %2").arg(verse->sura).arg(verse->verse) : QString();
}

} // namespace

// The divisions in the real main window with the real engine: the go-to
// entries and keys, the status panel, and the marks on the sura page.
class TestDivisions : public QObject {
    Q_OBJECT

    std::unique_ptr<FreshSettings> settings_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<frmMain> w_;
    const DivisionTable* table_ = DivisionTable::shared();

    CommandBarControl* menuItem(int id) {
        return w_->commandBars()->ActiveMenuBar()->FindControl(id);
    }
    void choose(int id) { w_->CBar_CommandInvoked(menuItem(id)); }

    QString current() {
        const auto verse = w_->readingView().currentVerse();
        return verse ? verse->label() : QString();
    }
    QString top() {
        const auto place = w_->reader().placeOnScreen();
        return place ? place->label() : QString();
    }
    QLabel* panel() { return w_->findChild<QLabel*>(QStringLiteral("divisionPanel")); }
    QString expectedPanel(const QString& verseLabel) {
        const auto place = VersePlace::fromLabel(verseLabel);
        return place ? DivisionNames::whereAmI(*table_->at({place->sura, place->verse}))
                     : QString();
    }
    QString markedLabels(const QString& kind) {
        const auto answer = w_->browser()->runScript(
            QString::fromLatin1(kMarkedLabels).arg(PageScript::literal(kind)));
        return answer ? answer->toString() : QStringLiteral("<no answer>");
    }
    QWidget* pageWidget() {
        BrowserView* view = w_->browser();
        return view->focusProxy() ? view->focusProxy() : view;
    }

private slots:
    void init() {
        QVERIFY(table_);
        settings_ = std::make_unique<FreshSettings>();
        context_ = std::make_unique<AppContext>();
        w_ = std::make_unique<frmMain>(*context_);
        w_->show();
        w_->Form_Load();
        QVERIFY(w_->browser()->waitForLoad());
    }
    void cleanup() {
        w_.reset();
        context_.reset();
        settings_.reset();
    }

    // A part entry makes the part's first verse current at the top of the
    // view; the panel names what the data says of the verse at the top.
    void aPartEntryGoesToItsFirstVerse_data() {
        QTest::addColumn<int>("part");
        QTest::newRow("part 1") << 1;
        QTest::newRow("part 2, inside sura 2") << 2;
        QTest::newRow("part 3") << 3;
        QTest::newRow("part 14, a sura's start") << 14;
        QTest::newRow("part 30") << 30;
    }
    void aPartEntryGoesToItsFirstVerse() {
        QFETCH(int, part);
        const QString start = label(table_->partStart(part));
        choose(DivisionCommandId::PartPopup + part);
        QCOMPARE(current(), start);
        QCOMPARE(top(), start);
        WAIT_COMPARE(panel()->text(), expectedPanel(start));
    }

    void thePanelFollowsTheScroll() {
        QVERIFY(w_->reader().showPlace({2, 200}));
        WAIT_COMPARE(panel()->text(), expectedPanel(top()));
        QCOMPARE(panel()->text(), QStringLiteral("Juz' 2 \u00b7 Hizb 3 \u00be \u00b7 Page 31"));
        w_->browser()->runScript(QStringLiteral("window.scrollBy(0, 3000); true"));
        WAIT_VERIFY(top() != QLatin1String("2 : 200"));
        WAIT_COMPARE(panel()->text(), expectedPanel(top()));
        w_->reader().showStartPage();
        WAIT_COMPARE(panel()->text(), QString());
    }

    // The quarters' entries are those of the part on screen.
    void theQuarterEntriesAreThoseOfThePartOnScreen() {
        choose(DivisionCommandId::PartPopup + 2);
        WAIT_COMPARE(menuItem(DivisionCommandId::FirstQuarter)->Caption(),
                     QStringLiteral("Hizb 3"));
        QCOMPARE(menuItem(DivisionCommandId::FirstQuarter + 1)->Caption(),
                 QStringLiteral("Hizb 3 \u00bc"));
        choose(DivisionCommandId::FirstQuarter + 1);
        QCOMPARE(current(), label(table_->quarterStart(10)));
        QCOMPARE(current(), QStringLiteral("2 : 158"));
    }

    // The keys work with the page focused: a part and a page on and back.
    void theKeysStepByPartAndPage() {
        choose(DivisionCommandId::PartPopup + 2); // 2:142, page 22
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
        pageWidget()->setFocus();
        QTest::keyClick(pageWidget(), Qt::Key_PageDown, Qt::AltModifier);
        QCOMPARE(current(), label(table_->pageStart(23)));
        QTest::keyClick(pageWidget(), Qt::Key_PageUp, Qt::AltModifier);
        QCOMPARE(current(), label(table_->pageStart(22)));
        QTest::keyClick(pageWidget(), Qt::Key_PageDown, Qt::AltModifier | Qt::ShiftModifier);
        QCOMPARE(current(), QStringLiteral("2 : 253"));
        QTest::keyClick(pageWidget(), Qt::Key_PageUp, Qt::AltModifier | Qt::ShiftModifier);
        QCOMPARE(current(), QStringLiteral("2 : 142"));
        // Past the ends nothing moves.
        choose(DivisionCommandId::PartPopup + 30);
        choose(DivisionCommandId::NextPart);
        QCOMPARE(current(), QStringLiteral("78 : 1"));
    }

    // The window opens on the page on screen and goes to the page typed;
    // anything that is no page gets a message naming the pages there are,
    // the window stays open and nothing moves.
    void thePageWindowTakesOnlyAPage_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("page"); // gone to; 0: refused
        QTest::newRow("first page") << "1" << 1;
        QTest::newRow("last page") << "604" << 604;
        QTest::newRow("a page between") << "42" << 42;
        QTest::newRow("another part's page") << "106" << 106;
        QTest::newRow("spaces around") << " 7 " << 7;
        QTest::newRow("Arabic-Indic digits") << QStringLiteral("\u0664\u0662") << 42;
        QTest::newRow("one past the last") << "605" << 0;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("negative") << "-3" << 0;
        QTest::newRow("a word") << "abc" << 0;
        QTest::newRow("nothing") << "" << 0;
        QTest::newRow("digits and a word") << "12a" << 0;
        QTest::newRow("far past the last") << "99999999999" << 0;
    }
    void thePageWindowTakesOnlyAPage() {
        QFETCH(QString, typed);
        QFETCH(int, page);
        choose(DivisionCommandId::PartPopup + 2); // 2:142, page 22
        const QString before = current();
        QString openedOn;
        bool stayedOpen = false;
        QString message;
        // Answers the window once it shows, as the reader would: types over
        // the page and presses OK; a window still open after that is closed.
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            auto* window = qobject_cast<frmGoToPage*>(QApplication::activeModalWidget());
            if (!window || !openedOn.isEmpty())
                return;
            auto* field = window->findChild<QLineEdit*>();
            openedOn = field->text();
            field->selectAll();
            QTest::keyClick(field, Qt::Key_Delete);
            for (const QChar c : typed) // keys of any script, not only ASCII
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
            QTest::keyClick(field, Qt::Key_Return);
            stayedOpen = window->isVisible();
            auto* shown = window->findChild<QLabel*>(QStringLiteral("pageMessage"));
            message = shown && shown->isVisible() ? shown->text() : QString();
            if (stayedOpen)
                window->reject();
        });
        answer.start(50);
        choose(DivisionCommandId::GoToPage);
        QCOMPARE(openedOn, QStringLiteral("22"));
        if (page == 0) {
            QVERIFY(stayedOpen);
            QCOMPARE(message, QStringLiteral("Type a page number from 1 to 604."));
            QCOMPARE(current(), before);
            return;
        }
        QVERIFY(!stayedOpen);
        QCOMPARE(message, QString());
        QCOMPARE(current(), label(table_->pageStart(page)));
    }

    // Sura 2 carries part marks at 2:142 and 2:253 only, a quarter mark
    // where each of its quarters begins; copying 2:142 copies its texts and
    // label alone.
    void theMarksOfSura2() {
        QVERIFY(w_->reader().goToVerse(2, 142));
        WAIT_COMPARE(markedLabels(QStringLiteral("part-start")), QStringLiteral("2 : 142|2 : 253"));
        QStringList quarters;
        for (const DivisionTable::Mark& mark : table_->marksOfSura(2))
            if (mark.quarter)
                quarters << QStringLiteral("2 : %1").arg(mark.verse);
        QCOMPARE(markedLabels(QStringLiteral("quarter-start")), quarters.join(QLatin1Char('|')));
        QCOMPARE(markedLabels(QStringLiteral("prostration")), QString());

        QGuiApplication::clipboard()->clear();
        QVERIFY(w_->readingView().copyCurrentVerse());
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY2(!copied.contains(QLatin1String("Juz")) && !copied.contains(QLatin1String("Hizb")),
                 qPrintable(copied));
        // The same as without the marks.
        w_->browser()->runScript(QStringLiteral("document.querySelectorAll('span.division-mark')."
                                                "forEach(function (e) { e.remove(); }); true"));
        QGuiApplication::clipboard()->clear();
        QVERIFY(w_->readingView().copyCurrentVerse());
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
        QVERIFY(copied.endsWith(QLatin1String("\n(2 : 142)")));
    }

    void aProstrationVerseCarriesAQuietNote() {
        QVERIFY(w_->reader().goToVerse(7, 206));
        WAIT_COMPARE(markedLabels(QStringLiteral("prostration")), QStringLiteral("7 : 206"));
        // Kept from assistive technology, like the page's other decoration.
        const auto hidden = w_->browser()->runScript(QStringLiteral(
            "Array.prototype.every.call(document.querySelectorAll('span.division-mark'),"
            " function (e) { return e.getAttribute('aria-hidden') === 'true'; })"));
        QVERIFY(hidden && hidden->toBool());
    }
};

// Without a table (a damaged or missing file) the program runs as before:
// the entries are disabled, the page has no marks, the panel stays empty.
class TestNoDivisions : public QObject {
    Q_OBJECT

private slots:
    void theProgramWorksWithoutTheDivisions() {
        FreshSettings settings;
        AppContext context;
        QMainWindow window;
        auto* view = new BrowserView(&window);
        window.setCentralWidget(view);
        auto* tree = new SuraTree(&window);
        QuranReader reader(context, view, tree);
        ReadingView reading(context, reader, window.statusBar());
        CommandBars bars(&window);
        addMainCommandRows(context.commands());
        SubsystemHost host{context, reader, reading, &window};
        int asked = 0;
        installDivisions(host, [&asked]() -> const DivisionTable* {
            ++asked;
            return nullptr;
        });
        context.commands().buildMenus(&bars, [](int) { return QStringLiteral("x"); });
        window.show();
        context.readGuiStrings();
        context.readCatalogue();
        QVERIFY(reader.showSura(2));
        WAIT_COMPARE(asked, 1);
        const auto marks = view->runScript(
            QStringLiteral("document.querySelectorAll('span.division-mark').length"));
        QVERIFY(marks);
        QCOMPARE(marks->toInt(), 0);
        QVERIFY(!bars.ActiveMenuBar()->FindControl(DivisionCommandId::PartPopup)->Enabled());
        context.commands().dispatch(
            bars.ActiveMenuBar()->FindControl(DivisionCommandId::PartPopup + 2));
        context.commands().dispatch(bars.ActiveMenuBar()->FindControl(DivisionCommandId::NextPage));
        QCOMPARE(reading.currentVerse(), std::nullopt);
        // A watch made after the panel's own asks the page after it: once
        // this one has its answer, the panel has had the verse at the top.
        TopVerseWatch after(view);
        QSignalSpy answered(&after, &TopVerseWatch::topLabelChanged);
        QVERIFY(reader.goToVerse(2, 255));
        WAIT_VERIFY(!answered.isEmpty());
        QCOMPARE(answered.last().at(0).toString(), QStringLiteral("2 : 255"));
        auto* panel = window.findChild<QLabel*>(QStringLiteral("divisionPanel"));
        QVERIFY(panel);
        QCOMPARE(panel->text(), QString());
        QCOMPARE(asked, 1);
    }
};

MIRAVEL_GUI_TEST_MAIN(TestDivisions, TestNoDivisions)
#include "tst_divisions.moc"
