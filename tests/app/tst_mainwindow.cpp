#include "AppContext.h"
#include "BrowserView.h"
#include "CommandBars.h"
#include "CommandIds.h"
#include "FreshSettings.h"
#include "frmAbout.h"
#include "frmFind.h"
#include "frmMain.h"
#include "frmSplash.h"
#include "GuiTestMain.h"
#include "LibraryFormat.h"
#include "PageScript.h"
#include "QuranReader.h"
#include "ReadingView.h"
#include "RegSetting.h"
#include "ResScheme.h"
#include "SettingsModel.h"
#include "ShownVerse.h"
#include "StartUp.h"
#include "SuraTree.h"
#include "VerseContextMenu.h"
#include "xpFrame.h"

#include "LinkLabel.h"
#include "Module1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidgetItem>
#include <QWebEnginePage>

#include <memory>
#include <optional>
#include <utility>

// The real main window with the real engine, as a reader meets it.  Every
// test starts from a fresh store, a default context and a new window.
class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<FreshSettings> settings_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<frmMain> w_;
    QStringList opened_;
    bool shellOpens_ = true;
    bool openerInstalled_ = true;

    const AppSettings& values() const { return context_->settings().values(); }
    void setOrder(const QString& order) { context_->settings().setOrderString(order); }
    // The translation library of the chosen culture (the first).
    void setTranslation(const QString& file) {
        context_->settings().save(Setting::CultureTranslationLibrary, file, 1);
    }

    static QStringList labels(const QString& markup) {
        static const QRegularExpression label(
            QStringLiteral("<p class=\"A1\">([0-9]+ : [0-9]+)</p>"));
        QStringList found;
        for (const auto& match : label.globalMatch(markup))
            found.append(match.captured(1));
        return found;
    }

    static QStringList expectedLabels(int sura, int verses) {
        QStringList list;
        for (int v = 1; v <= verses; ++v)
            list.append(QStringLiteral("%1 : %2").arg(sura).arg(v));
        return list;
    }

    // The source text of library `code` (1 Arabic, 2 translation) for a verse.
    static QString sourceVerse(int code, int sura, int verse) {
        static const auto arabic =
            LibraryFormat::readVerseFile(QStringLiteral(MIRAVEL_DATA_DIR "/quran-arabic.tsv"));
        static const auto translation = LibraryFormat::readVerseFile(
            QStringLiteral(MIRAVEL_DATA_DIR "/translation-en-pickthall.tsv"));
        const auto& verses = code == 1 ? arabic : translation;
        return verses ? verses->value(sura).value(verse - 1) : QString();
    }

    // Scrolls a part of the page into view and gives a point on it in the
    // view's coordinates: "label", "arabic" or "translation" of the verse
    // labelled `label`, "above" it (in the room after the verse before), or
    // the "title".  Nothing when the page has no such part.
    std::optional<QPoint> pointOn(const QString& label, const QString& part) {
        const auto point = w_->browser()->runScript(
            QStringLiteral(R"((function(label, part) {
  var target = null, y = null;
  if (part === 'title') {
    target = document.querySelector('table');
  } else {
    document.querySelectorAll('p.A1').forEach(function(p) {
      if (p.textContent === label) target = p;
    });
    var text = function(p, cls) {
      while (p && !(p.classList.contains(cls) && p.textContent.trim() !== ''))
        p = p.previousElementSibling;
      return p;
    };
    if (target && part === 'arabic') target = text(target, 'main');
    if (target && part === 'translation') target = text(target, 'Trans');
    if (target && part === 'above') { target = text(target, 'main'); y = -10; }
  }
  if (!target) return null;
  target.scrollIntoView({block: 'center'});
  var box = target.getBoundingClientRect();
  return [box.left + box.width / 2, y === null ? box.top + box.height / 2 : box.top + y];
})(%1, %2))")
                .arg(PageScript::literal(label), PageScript::literal(part)));
        if (!point || point->toList().size() != 2)
            return std::nullopt;
        const double zoom = w_->browser()->zoomFactor();
        return QPoint(qRound(point->toList()[0].toDouble() * zoom),
                      qRound(point->toList()[1].toDouble() * zoom));
    }

    VerseContextMenu* verseMenu() { return w_->browser()->findChild<VerseContextMenu*>(); }

    QString body() { return w_->browser()->bodyInnerHtml(); }

    CommandBarControl* menuItem(int id) {
        return w_->commandBars()->ActiveMenuBar()->FindControl(id);
    }
    CommandBarControl* button(int id) {
        return w_->standardBar()->Controls()->Find(ControlKind::Button, id);
    }

    void clickNode(int index) { w_->lst_NodeClick(w_->tree()->node(index)); }

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

    // Answers the next message box with `button` once it is shown.
    static void answerMessageBox(QMessageBox::StandardButton answer) {
        QTimer::singleShot(0, [answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box)
                box->button(answer)->click();
            else
                answerMessageBox(answer);
        });
    }

    // Right-clicks the toolbar (the menu bar while the toolbar is hidden) and
    // clicks the toolbar's entry in the bars' context menu, as a reader hides
    // or shows it.
    void toggleToolbarThroughItsContextMenu() {
        auto* toolBar = w_->findChild<QToolBar*>(QStringLiteral("Standard"));
        QVERIFY(toolBar);
        const bool shown = toolBar->isVisible();
        QWidget* target = shown ? static_cast<QWidget*>(toolBar) : w_->menuBar();
        const QPoint at =
            shown ? toolBar->rect().center() : QPoint(target->width() - 5, target->height() / 2);
        // What the window system sends on a right-click, to the widget under
        // the pointer; the application hands it on to the parents from there.
        QWidget* under = target->childAt(at) ? target->childAt(at) : target;
        const QPoint local = under->mapFrom(target, at);
        QContextMenuEvent click(QContextMenuEvent::Mouse, local, under->mapToGlobal(local));
        QApplication::sendEvent(under, &click);
        QMenu* menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
        QAction* entry = toolBar->toggleViewAction();
        QVERIFY2(menu->actions().contains(entry), "the context menu has no entry for the toolbar");
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
        QTRY_COMPARE(toolBar->isVisible(), !shown);
        QTest::qWait(50); // whatever the window does after the menu has closed
    }

private slots:
    void init() {
        settings_ = std::make_unique<FreshSettings>();
        context_ = std::make_unique<AppContext>();
        opened_.clear();
        shellOpens_ = true;
        openerInstalled_ = true;
        context_->openExternal = [this](const QString& address) {
            opened_.append(address);
            return shellOpens_;
        };
        context_->shellOpenerInstalled = [this] { return openerInstalled_; };
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

    void startsOnTheStartPage() {
        QTRY_VERIFY(body().contains(QStringLiteral("miravelimage_gif")));
        QCOMPARE(w_->windowTitle(), QStringLiteral("Miravel"));
        QCOMPARE(context_->catalogue().englishNames().size(), 115);
        QCOMPARE(context_->catalogue().englishNames().first(), QStringLiteral("The Opening"));
        QCOMPARE(context_->catalogue().englishNames().at(113), QStringLiteral("Mankind"));
        QVERIFY(w_->browser()->Offline());
        QVERIFY(w_->browser()->Silent());
        QCOMPARE(w_->commandBars()->AppearanceStyle(), 3);
    }

    void treeHoldsEverySura() {
        SuraTree* tree = w_->tree();
        QCOMPARE(tree->count(), 116);
        QCOMPARE(SuraTree::keyOf(tree->node(1)), QStringLiteral("Main"));
        QCOMPARE(tree->node(1)->text(0), QStringLiteral("Main Site"));
        QCOMPARE(SuraTree::keyOf(tree->node(2)), QStringLiteral("English"));
        QCOMPARE(tree->node(3)->text(0), QStringLiteral("001- Al-Faatiha (The Opening)"));
        QCOMPARE(SuraTree::keyOf(tree->node(116)), QStringLiteral("c114"));
        QCOMPARE(tree->node(116)->parent(), tree->node(2));
        QCOMPARE(w_->treePane()->HeaderText(), QStringLiteral("Miravel"));
    }

    void treeWithoutTranslationLibrary() {
        // The program's own string table answers only 101..110.
        setTranslation(QStringLiteral("NoSuchLibrary.dll"));
        w_->LoadList();
        setTranslation(QStringLiteral("Etx2.dll"));
        QCOMPARE(w_->tree()->node(3)->text(0), QStringLiteral("001- *"));
        QCOMPARE(w_->tree()->node(2 + 101)->text(0), QStringLiteral("101- Al-F\u00e2tih^ah"));
        QCOMPARE(w_->tree()->node(2 + 110)->text(0), QStringLiteral("110- Yu-nisu-"));
        QCOMPARE(w_->tree()->node(2 + 111)->text(0), QStringLiteral("111- *"));
        w_->LoadList();
        QCOMPARE(w_->tree()->node(3)->text(0), QStringLiteral("001- Al-Faatiha (The Opening)"));
    }

    void captionsWhenTheLibraryHasNone() {
        // A sound library without a string table (the transliteration copied
        // over the translation) starts on the program's own captions, as a
        // missing library does.
        setTranslation(QStringLiteral("Etx3.dll"));
        QVERIFY(context_->readGuiStrings());
        QCOMPARE(context_->strings().text(207), QStringLiteral("Gradient angle"));
        QCOMPARE(context_->strings().text(210), QStringLiteral("*"));
        setTranslation(QStringLiteral("Etx2.dll"));
        QVERIFY(context_->readGuiStrings());
        QVERIFY(context_->strings().text(210) != QStringLiteral("*"));
    }

    void enterOpensTheSelectedSura() {
        setOrder(QStringLiteral("1"));
        w_->tree()->selectNode(w_->tree()->node(2 + 112));
        w_->tree()->setFocus();
        QTest::keyClick(w_->tree(), Qt::Key_Return);
        QCOMPARE(labels(body()), expectedLabels(112, 4));
    }

    // The menu bar holds the popups the program needs in their order: File,
    // Search, Information, Bookmarks, Go, Help (more may join).
    void menusAndToolbarCarryTheirCommands() {
        const QList<int> popups{201, 204, 206, 209, 207, 218};
        CommandBarControls* menu = w_->commandBars()->ActiveMenuBar()->Controls();
        QList<int> shown;
        for (int i = 1; i <= menu->Count(); ++i)
            shown << menu->Item(i)->Id();
        qsizetype at = -1;
        for (const int popup : popups) {
            const qsizetype next = shown.indexOf(popup, at + 1);
            QVERIFY2(next > at, qPrintable(QStringLiteral("popup %1 missing or out of order: %2")
                                               .arg(popup)
                                               .arg(menu->Count())));
            at = next;
        }
        CommandBarControl* bookmarks = menu->Item(int(shown.indexOf(209)) + 1);
        // Its caption, shared with no window, gets an access key in the menu.
        QCOMPARE(bookmarks->Caption(), QStringLiteral("&Bookmarks"));
        QCOMPARE(bookmarks->CommandBar()->Controls()->Count(), 2);
        // "Go" has an identifier of its own: its last item is Settings.
        CommandBarControls* go = menu->Item(int(shown.indexOf(207)) + 1)->CommandBar()->Controls();
        QCOMPARE(go->Item(go->Count())->Id(), 212);
        // The recitation's play, pause, stop, previous and next come last.
        const QList<int> buttons{221, 222, 223, 205, 224, 225, 212, 202, 501,
                                 502, 503, 219, 220, 421, 422, 423, 425, 424};
        CommandBarControls* bar = w_->standardBar()->Controls();
        QCOMPARE(bar->Count(), buttons.size());
        for (int i = 0; i < buttons.size(); ++i)
            QCOMPARE(bar->Item(i + 1)->Id(), buttons[i]);
        QCOMPARE(bar->Item(11)->Caption(), QStringLiteral("-\u00fb-"));
        QVERIFY(!menuItem(CommandId::Print)->Caption().contains(QLatin1Char('*')));
        QCOMPARE(menuItem(CommandId::Print)->action()->shortcut(),
                 QKeySequence(QKeySequence::Print));
        QCOMPARE(w_->statusPanelCount(), 3);
        QCOMPARE(w_->statusPanel(0)->width(), 2540 / 15);
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

    void manySurasInQuickSuccessionEndOnTheLast() {
        setOrder(QStringLiteral("1/2/3"));
        const QList<int> suras{2,  3,  1,  114, 18, 36, 4,  55, 67, 2,  112, 9,   24, 78, 5,
                               10, 19, 99, 2,   7,  12, 50, 58, 47, 61, 57,  103, 26, 3,  20};
        int fired = 0;
        int running = 0;
        int deepest = 0;
        for (int i = 0; i < suras.size(); ++i) {
            QTimer::singleShot(15 * i, this, [&, i] {
                ++fired;
                ++running;
                deepest = std::max(deepest, running);
                clickNode(suras[i] + 2);
                --running;
            });
        }
        QTRY_VERIFY_WITH_TIMEOUT(fired == suras.size() && running == 0, 120000);
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
        QVERIFY(w_->browser()->runScript(QStringLiteral("window.scrollY")).value_or(0).toInt() > 0);
        QSignalSpy loads(w_->browser()->page(), &QWebEnginePage::loadStarted);
        clickNode(3); // sura 1
        QCOMPARE(loads.count(), 0);
        const QString page = body();
        QCOMPARE(labels(page), expectedLabels(1, 7));
        QVERIFY(page.contains(w_->tree()->node(3)->text(0)));
        QVERIFY(!page.contains(w_->tree()->node(11)->text(0)));
        QVERIFY(!page.contains(QStringLiteral(">|<")));
        QVERIFY(!page.contains(QStringLiteral("aria-current")));
        const auto state = w_->browser()->runScript(
            QStringLiteral("[window.scrollY, document.getElementById('opening').hidden,"
                           " document.querySelectorAll('table').length]"));
        QVERIFY(state);
        QCOMPARE(state->toList().value(0).toInt(), 0);
        QCOMPARE(state->toList().value(1).toBool(), false);
        QCOMPARE(state->toList().value(2).toInt(), 1);
        QCOMPARE(w_->statusPanel(0)->text(), w_->tree()->node(3)->text(0));
    }

    void rootNodeStopsAComposition() {
        setOrder(QStringLiteral("1/2/3"));
        QVERIFY(clickWhileSura2IsComposed(2)); // the root
        QVERIFY(w_->reader().CancelDisplay());
        QTRY_VERIFY(body().contains(QStringLiteral("miravelimage_gif")));
        QVERIFY(labels(body()).isEmpty());
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
        QTRY_VERIFY(body().contains(QStringLiteral("miravelimage_gif")));
    }

    void startPageCommandStopsAndSelectsFirstEntry() {
        w_->CBar_CommandInvoked(button(CommandId::StartPage));
        QVERIFY(w_->reader().CancelDisplay());
        QCOMPARE(w_->tree()->selectedIndex(), 1);
        QTRY_VERIFY(body().contains(QStringLiteral("miravelimage_gif")));
    }

    // With settings that cannot be saved, a toggle changes nothing and says so.
    void toggleThatCannotBeSaved() {
        const QFileInfo userFile(context_->settings().userFileName());
        QVERIFY(QDir(userFile.absolutePath()).removeRecursively());
        QFile blocker(userFile.absolutePath()); // a file where the folder goes
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        clickNode(3);
        CommandBarControl* control = button(503);
        control->setChecked(true);
        w_->CBar_CommandInvoked(control);
        QCOMPARE(values().OrderString, QStringLiteral("1/2"));
        QVERIFY(!control->Checked());
        QCOMPARE(w_->statusBar()->currentMessage(),
                 QStringLiteral("Transliteration stays as it was: the settings cannot be saved"));
        QVERIFY(blocker.remove());
    }

    void libraryToggles_data() {
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("toggle");
        QTest::addColumn<bool>("checkedBefore");
        QTest::addColumn<QString>("orderAfter");
        QTest::addColumn<bool>("checkedAfter");
        QTest::addColumn<QString>("stored");
        QTest::newRow("switch transliteration on")
            << "1/2" << 503 << false << "1/2/3" << true << "1/2/3";
        QTest::newRow("switch translation off")
            << "1/2/3" << 502 << true << "1/3" << false << "1/3";
        QTest::newRow("the last library stays") << "2" << 502 << true << "2" << true << "2";
    }
    void libraryToggles() {
        QFETCH(QString, order);
        QFETCH(int, toggle);
        QFETCH(bool, checkedBefore);
        QFETCH(QString, orderAfter);
        QFETCH(bool, checkedAfter);
        QFETCH(QString, stored);
        setOrder(order);
        clickNode(3);
        CommandBarControl* control = button(toggle);
        control->setChecked(checkedBefore);
        QSignalSpy changed(&context_->settings(), &Settings::valueChanged);
        w_->CBar_CommandInvoked(control);
        QCOMPARE(values().OrderString, orderAfter);
        // A refused toggle writes nothing.
        QCOMPARE(changed.count(), orderAfter == order ? 0 : 1);
        QCOMPARE(control->Checked(), checkedAfter);
        QCOMPARE(RegSetting::GetValue(QStringLiteral("Miravel"), QStringLiteral("Settings"),
                                      QStringLiteral("OrderString"), QString()),
                 stored);
        // The Arabic paragraph carries its language and direction, and the
        // separators attributes for screen readers, after their class.
        const int paragraphs = int(body().count(QStringLiteral("<p class=\"main\"")) +
                                   body().count(QStringLiteral("<p class=\"Trans\"")));
        const int libraries = int(orderAfter.split(QLatin1Char('/')).size());
        QCOMPARE(paragraphs, 7 * (libraries + (libraries - 1))); // separators are Trans too
    }

    void mainSiteAsksFirst_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("opens");
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << 0;
        QTest::newRow("ok") << int(QMessageBox::Ok) << 1;
    }
    void mainSiteAsksFirst() {
        QFETCH(int, answer);
        QFETCH(int, opens);
        w_->reader().CancelDisplay() = true;
        answerMessageBox(QMessageBox::StandardButton(answer));
        clickNode(1);
        QVERIFY(!w_->reader().CancelDisplay());
        QCOMPARE(int(opened_.size()), opens);
        if (opens)
            QVERIFY(opened_.first().startsWith(QLatin1String("https://")));
    }

    void helpGoesToTheDesktop() {
        w_->CBar_CommandInvoked(menuItem(CommandId::Help));
        QCOMPARE(opened_.size(), 1);
        QVERIFY(opened_.first().endsWith(QLatin1String("/help.chm")));
    }

    // The reader is told what is missing: the CHM viewer, or xdg-open,
    // without which no viewer is asked at all.
    void helpWithoutViewerTellsTheReader_data() {
        QTest::addColumn<bool>("openerInstalled");
        QTest::addColumn<QString>("told");
        QTest::newRow("no viewer") << true << "no program to show CHM help files";
        QTest::newRow("no xdg-open") << false << "xdg-open";
    }
    void helpWithoutViewerTellsTheReader() {
        QFETCH(bool, openerInstalled);
        QFETCH(QString, told);
        shellOpens_ = false;
        openerInstalled_ = openerInstalled;
        QString message;
        QTimer::singleShot(0, [&message] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            message = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        w_->CBar_CommandInvoked(menuItem(CommandId::Help));
        QCOMPARE(opened_.size(), 1);
        QVERIFY2(message.contains(told), qPrintable(message));
        // Only the missing xdg-open names its package, never the viewer's.
        QCOMPARE(message.contains(QLatin1String("xdg-utils")), !openerInstalled);
        QCOMPARE(message.contains(QLatin1String("xchm")), openerInstalled);
    }

    void aboutCommandShowsTheBox() {
        QString version;
        QTimer::singleShot(0, [&version] {
            auto* about = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
            if (!about)
                return;
            version = about->lblVersion->text();
            about->cmdOK->click();
        });
        w_->CBar_CommandInvoked(menuItem(CommandId::About));
        QCOMPARE(version, frmAbout::versionText());
    }

    // Where a pane stands in the window, in pixels from the top of its client area.
    int windowTop(QWidget* widget) { return widget->mapTo(w_.get(), QPoint(0, 0)).y(); }

    void hidingTheToolbarMovesThePanesUp() {
        const int top = windowTop(w_->treePane());
        QCOMPARE(top, qRound(w_->layoutState().treePane.top / 15));
        w_->standardBar()->setVisible(false);
        // On screen at once, not only in the layout figures: the pane sits
        // below the menu bar with its header whole, and the page reaches down
        // to the status bar.
        QCOMPARE(w_->topOffset(), QStringLiteral("600"));
        QCOMPARE(w_->layoutState().treePane.top, 600.f);
        QCOMPARE(windowTop(w_->treePane()), 40);
        QVERIFY(windowTop(w_->treePane()) >= w_->menuBar()->geometry().bottom());
        const MainLayoutState& layout = w_->layoutState();
        QCOMPARE(windowTop(w_->browser()) + w_->browser()->height(),
                 qRound((layout.frame.top + layout.browser.top + layout.browser.height) / 15));
        w_->standardBar()->setVisible(true);
        QCOMPARE(w_->topOffset(), QStringLiteral("990"));
        QCOMPARE(windowTop(w_->treePane()), top);
    }

    void hidingTheToolbarThroughItsContextMenu() {
        QTest::qWait(50);
        const int paneTop = windowTop(w_->treePane());
        const int treeTop = windowTop(w_->tree());
        toggleToolbarThroughItsContextMenu();
        QVERIFY(!w_->standardBar()->Visible());
        QCOMPARE(w_->topOffset(), QStringLiteral("600"));
        // The pane sits under the menu bar, its tree 24 pixels lower, and the
        // page reaches down to the status bar as the rules say.
        QCOMPARE(windowTop(w_->treePane()), 40);
        QCOMPARE(windowTop(w_->tree()), 64);
        const MainLayoutState& layout = w_->layoutState();
        QCOMPARE(windowTop(w_->browser()) + w_->browser()->height(),
                 qRound((layout.frame.top + layout.browser.top + layout.browser.height) / 15));
        toggleToolbarThroughItsContextMenu();
        QVERIFY(w_->standardBar()->Visible());
        QCOMPARE(windowTop(w_->treePane()), paneTop);
        QCOMPARE(windowTop(w_->tree()), treeTop);
    }

    // The tree lies wholly inside its pane, above the pane's footer, so its
    // last row and its scroll bar stay in sight; a sura chosen by typing its
    // number is shown in the part that can be seen.
    void treeLiesInsideItsPane_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("as opened") << QSize();
        QTest::newRow("large") << QSize(1270, 1000);
        QTest::newRow("800 x 600") << QSize(800, 600);
        QTest::newRow("640 x 480") << QSize(640, 480);
        QTest::newRow("small") << QSize(420, 300);
    }
    void treeLiesInsideItsPane() {
        QFETCH(QSize, size);
        if (size.isValid())
            w_->resize(size);
        QTest::qWait(50);
        xpFrame* pane = w_->treePane();
        SuraTree* tree = w_->tree();
        const int footer = pane->FooterVisible() ? pane->footerHeight() : 1;
        const QRect inside(0, 0, pane->width(), pane->height() - footer);
        QVERIFY2(inside.contains(tree->geometry()),
                 qPrintable(QStringLiteral("tree %1,%2 %3x%4 in a pane %5x%6")
                                .arg(tree->x())
                                .arg(tree->y())
                                .arg(tree->width())
                                .arg(tree->height())
                                .arg(pane->width())
                                .arg(pane->height())));
        tree->setFocus();
        QTest::keyClicks(tree, QStringLiteral("036"));
        QTreeWidgetItem* chosen = tree->currentItem();
        QVERIFY(chosen);
        QVERIFY2(chosen->text(0).startsWith(QLatin1String("036-")), qPrintable(chosen->text(0)));
        const QRect row = tree->visualItemRect(chosen);
        QVERIFY(tree->viewport()->rect().contains(row));
        const QRect rowInPane(tree->viewport()->mapTo(pane, row.topLeft()), row.size());
        QVERIFY(inside.contains(rowInPane));
    }

    void aStoppedCompositionLeavesTheStatusText() {
        setOrder(QStringLiteral("1/2/3"));
        QVERIFY(clickWhileSura2IsComposed(3)); // sura 1
        QCOMPARE(labels(body()), expectedLabels(1, 7));
        QCOMPARE(w_->tree()->selectedIndex(), 3);
        QCOMPARE(w_->statusPanel(0)->text(), w_->tree()->node(3)->text(0));
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

    void goToVerseFindsTheWholeLabel() {
        setOrder(QStringLiteral("1/2"));
        QVERIFY(w_->reader().goToVerse(2, 25));
        const auto selected = w_->browser()->runScript(
            QStringLiteral("(function(){var s = window.getSelection();"
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
            QVERIFY(QTest::qWaitForWindowExposed(&find));
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
            QVERIFY(w_->browser()->waitForLoad());
            menuItem(2104)->action()->trigger(); // the entry of bookmark 4
        }
        const QString fault = ShownVerse::fault(w_->browser(), target.label());
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QCOMPARE(w_->readingView().currentVerse(), target);
        const auto marked = w_->browser()->runScript(
            QStringLiteral("Array.prototype.map.call(document.querySelectorAll('[aria-current]'),"
                           " function (e) { return e.textContent; }).join('|')"));
        QVERIFY(marked);
        QCOMPARE(marked->toString(), target.label());
    }

    void copyVerseGivesItsTextsInThePagesOrder_data() {
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("sura");
        QTest::addColumn<int>("verse");
        QTest::addColumn<QString>("part");
        QTest::addColumn<double>("zoom");
        QTest::newRow("2:255 order 1/2, on the label") << "1/2" << 2 << 255 << "label" << 1.0;
        QTest::newRow("2:255 order 2/1, on the label") << "2/1" << 2 << 255 << "label" << 1.0;
        QTest::newRow("2:255 order 1/2, on the Arabic") << "1/2" << 2 << 255 << "arabic" << 1.0;
        QTest::newRow("2:255 order 2/1, on the translation")
            << "2/1" << 2 << 255 << "translation" << 1.0;
        QTest::newRow("2:255 order 1/2, in the room above") << "1/2" << 2 << 255 << "above" << 1.0;
        QTest::newRow("2:255 order 1/2, zoomed in") << "1/2" << 2 << 255 << "label" << 1.5;
        // The translation holds a basmala before verse 1 of sura 47, two
        // lead elements before that of sura 58.
        QTest::newRow("47:1 order 1/2, on the Arabic") << "1/2" << 47 << 1 << "arabic" << 1.0;
        QTest::newRow("47:1 order 2/1, on the translation")
            << "2/1" << 47 << 1 << "translation" << 1.0;
        QTest::newRow("58:2 order 2, on the label") << "2" << 58 << 2 << "label" << 1.0;
    }
    void copyVerseGivesItsTextsInThePagesOrder() {
        QFETCH(QString, order);
        QFETCH(int, sura);
        QFETCH(int, verse);
        QFETCH(QString, part);
        QFETCH(double, zoom);
        setOrder(order);
        w_->browser()->setZoomFactor(zoom);
        QVERIFY(w_->reader().goToVerse(sura, verse));
        const QString label = QStringLiteral("%1 : %2").arg(sura).arg(verse);
        const auto point = pointOn(label, part);
        QVERIFY(point);
        QStringList expected;
        for (const QString& code : order.split(QLatin1Char('/')))
            expected << sourceVerse(code.toInt(), sura, verse);
        expected << QStringLiteral("(%1)").arg(label);
        QGuiApplication::clipboard()->clear();
        QVERIFY(verseMenu()->copyVerseAt(*point));
        QCOMPARE(QGuiApplication::clipboard()->text(), expected.join(QLatin1Char('\n')));
    }

    void copyVerseWhereNoVerseIs_data() {
        QTest::addColumn<int>("sura");
        QTest::addColumn<QString>("part");
        QTest::newRow("start page") << 0 << "";
        QTest::newRow("title of sura 2") << 2 << "title";
        QTest::newRow("below the last verse of sura 108") << 108 << "";
    }
    void copyVerseWhereNoVerseIs() {
        QFETCH(int, sura);
        QFETCH(QString, part);
        setOrder(QStringLiteral("1"));
        QPoint point(w_->browser()->width() / 2, w_->browser()->height() - 10);
        if (sura) {
            QVERIFY(w_->reader().showSura(sura));
            if (!part.isEmpty()) {
                const auto on = pointOn(QString(), part);
                QVERIFY(on);
                point = *on;
            }
        }
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        QVERIFY(!verseMenu()->copyVerseAt(point));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
        std::unique_ptr<QMenu> menu(verseMenu()->menuAt(point));
        QCOMPARE(menu->actions().size(), 2); // "Copy verse", "Play from this verse"
        for (const QAction* action : menu->actions())
            QVERIFY(!action->isEnabled());
    }

    // The current verse: gone to, pointed at with the context menu, and
    // cleared by a page of another sura or the start page.  A verse action
    // added through the reading view acts on the verse under the pointer.
    void currentVerseFollowsTheReader() {
        ReadingView& view = w_->readingView();
        QList<VersePlace> acted;
        view.addVerseAction(QStringLiteral("Note verse"),
                            [&](const VersePlace& verse) { acted << verse; });
        QSignalSpy changed(&view, &ReadingView::currentVerseChanged);
        QVERIFY(!view.currentVerse());

        QVERIFY(view.goToVerse(VersePlace{2, 255}));
        QCOMPARE(view.currentVerse(), (VersePlace{2, 255}));
        const auto point = pointOn(QStringLiteral("2 : 5"), QStringLiteral("arabic"));
        QVERIFY(point);
        std::unique_ptr<QMenu> menu(verseMenu()->menuAt(*point));
        QCOMPARE(view.currentVerse(), (VersePlace{2, 5}));
        // After "Copy verse" and the recitation's "Play from this verse".
        QCOMPARE(menu->actions().size(), 3);
        QAction* note = menu->actions().at(2);
        QCOMPARE(note->text(), QStringLiteral("Note verse"));
        QVERIFY(note->isEnabled());
        note->trigger();
        QCOMPARE(acted, (QList<VersePlace>{{2, 5}}));

        const auto title = pointOn(QString(), QStringLiteral("title"));
        QVERIFY(title);
        menu.reset(verseMenu()->menuAt(*title));
        QVERIFY(!menu->actions().at(2)->isEnabled());
        QCOMPARE(view.currentVerse(), (VersePlace{2, 5})); // nothing pointed at

        clickNode(2 + 3);
        QVERIFY(!view.currentVerse());
        QVERIFY(view.goToVerse(VersePlace{3, 7}));
        clickNode(2 + 3); // the same sura again keeps it
        QCOMPARE(view.currentVerse(), (VersePlace{3, 7}));
        w_->CBar_CommandInvoked(button(CommandId::StartPage));
        QVERIFY(!view.currentVerse());
        QCOMPARE(changed.count(), 5);
    }

    // With the page focused: Ctrl+Shift+C copies the current verse, Shift+F10
    // and the context-menu key open its menu; Add Bookmark opens on it.
    void verseActionsFromTheKeyboard() {
        setOrder(QStringLiteral("1/2"));
        QVERIFY(w_->reader().goToVerse(2, 255));
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
        QWidget* page = w_->browser()->focusProxy();
        QVERIFY(page);
        page->setFocus();
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(page, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY(QGuiApplication::clipboard()->text().endsWith(QStringLiteral("(2 : 255)")));
        for (const QKeySequence& key : ReadingView::kVerseMenuKeys) {
            QTest::keySequence(page, key);
            QMenu* menu = nullptr;
            QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
            QCOMPARE(menu->actions().first()->text(), QStringLiteral("Copy verse"));
            QVERIFY(menu->actions().first()->isEnabled());
            menu->close();
            QTRY_VERIFY(!QApplication::activePopupWidget());
        }
        menuItem(210)->action()->trigger(); // Bookmarks, Add Bookmark
        QDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = w_->findChild<QDialog*>(QStringLiteral("frmBookMarks"))) &&
                    dialog->isVisible());
        QCOMPARE(dialog->findChild<QComboBox*>(QStringLiteral("cmbBookMarks"))->currentData(),
                 QVariant(102));
        QCOMPARE(dialog->findChild<QComboBox*>(QStringLiteral("cmbAyat"))->currentData(),
                 QVariant(255));
        dialog->close();
    }

    void rightClickOnAVerseOffersTheVerseMenu() {
        setOrder(QStringLiteral("1/2"));
        QVERIFY(w_->reader().goToVerse(2, 255));
        const auto point = pointOn(QStringLiteral("2 : 255"), QStringLiteral("arabic"));
        QVERIFY(point);
        QWidget* page = w_->browser()->focusProxy();
        QVERIFY(page);
        QTest::mouseClick(page, Qt::RightButton, {}, *point);
        QMenu* menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
        QCOMPARE(menu->actions().size(), 2);
        QCOMPARE(menu->actions().at(1)->text(), QStringLiteral("Play from this verse"));
        QVERIFY(menu->actions().at(1)->isEnabled());
        QAction* copy = menu->actions().first();
        QCOMPARE(copy->text(), QStringLiteral("Copy verse"));
        QVERIFY(copy->isEnabled());
        QGuiApplication::clipboard()->clear();
        copy->trigger();
        menu->close();
        QCOMPARE(QGuiApplication::clipboard()->text(), sourceVerse(1, 2, 255) + QLatin1Char('\n') +
                                                           sourceVerse(2, 2, 255) +
                                                           QStringLiteral("\n(2 : 255)"));
        QTRY_VERIFY(!QApplication::activePopupWidget());
    }

    void linksInOurPagesLeaveOrStay() {
        emit w_->browser()->linkClicked(QUrl(QStringLiteral("https://tanzil.net/")));
        QCOMPARE(opened_, QStringList{QStringLiteral("https://tanzil.net/")});
        emit w_->browser()->linkClicked(QUrl(QStringLiteral("file:///etc/passwd")));
        QCOMPARE(opened_.size(), 1);
    }

    void togglesFollowAnOrderStoredElsewhere() {
        context_->settings().setOrderString(QStringLiteral("3/1"));
        QVERIFY(button(CommandId::ToggleLibrary1)->Checked());
        QVERIFY(!button(CommandId::ToggleLibrary2)->Checked());
        QVERIFY(button(CommandId::ToggleLibrary3)->Checked());
    }

    void dynamicRowsReachTheirHandler() {
        QList<int> reached;
        context_->commands().setDynamicHandler(
            [](int id) { return id >= 90000; },
            [&](CommandBarControl* control) { reached << control->Id(); });
        CommandBarControl* bookmarks = w_->commandBars()->ActiveMenuBar()->FindControl(209);
        CommandBarControls* entries = bookmarks->CommandBar()->Controls();
        w_->CBar_CommandInvoked(entries->Add(ControlKind::Button, 90001, QStringLiteral("x")));
        w_->CBar_CommandInvoked(entries->Add(ControlKind::Button, 90010, QStringLiteral("y")));
        QCOMPARE(reached, (QList<int>{90001, 90010}));
    }
};

// The splash and the about box on their own.
class TestSmallWindows : public QObject {
    Q_OBJECT

private slots:
    void keyClosesSplashAtOnce() {
        auto* splash = new frmSplash;
        splash->Timer1.stop(); // only the key may close it here
        QSignalSpy closed(splash, &frmSplash::closed);
        splash->show();
        QTest::keyClick(splash, Qt::Key_Space);
        QCOMPARE(closed.count(), 1);
    }

    void timerClosesSplash() {
        auto* splash = new frmSplash;
        QSignalSpy closed(splash, &frmSplash::closed);
        splash->show();
        QCOMPARE(splash->Timer1.interval(), 100);
        QVERIFY(closed.wait(2000));
        QCOMPARE(closed.count(), 1);
        QCOMPARE(splash->size(), QSize(448, 300));
    }

    void startUpShowsTheLoadedMainWindowAfterTheSplash() {
        StartUp startUp;
        QSignalSpy shown(&startUp, &StartUp::mainWindowShown);
        int shownWhenCreated = -1;
        connect(&startUp, &StartUp::mainWindowCreated, this,
                [&] { shownWhenCreated = int(shown.count()); });
        startUp.begin();
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 10000);
        QCOMPARE(shownWhenCreated, 0); // created behind the splash
        frmMain* window = startUp.mainWindow();
        QVERIFY(window->isVisible());
        QTRY_VERIFY(
            window->browser()->bodyInnerHtml().contains(QStringLiteral("miravelimage_gif")));
        QCOMPARE(startUp.context()->catalogue().englishNames().size(), 115);
    }

    // The main window loads for longer than the splash's tenth of a second
    // and lets the engine work meanwhile: the splash still waits for the
    // loaded window and gives way to it at once.
    void splashWaitsForTheLoadedMainWindow() {
        StartUp startUp;
        QSignalSpy shown(&startUp, &StartUp::mainWindowShown);
        int suraEntriesAtClose = -1;
        int shownAtClose = -1;
        connect(&startUp, &StartUp::mainWindowCreated, this, [&](frmMain* window) {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (auto* splash = qobject_cast<frmSplash*>(top)) {
                    connect(splash, &frmSplash::closed, this, [&, window] {
                        suraEntriesAtClose = window->tree()->count();
                        shownAtClose = int(shown.count());
                    });
                }
            }
            QThread::msleep(150); // the splash's time runs out
        });
        startUp.begin();
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 10000);
        QVERIFY(suraEntriesAtClose > 114);
        QCOMPARE(shownAtClose, 1); // shown as the splash closes
        QVERIFY(startUp.mainWindow()->isVisible());
    }

    void keyOnTheSplashShowsTheMainWindowAtOnce() {
        StartUp startUp;
        QSignalSpy shown(&startUp, &StartUp::mainWindowShown);
        startUp.begin();
        frmSplash* splash = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* candidate = qobject_cast<frmSplash*>(widget);
                candidate && candidate->isVisible())
                splash = candidate;
        }
        QVERIFY(splash);
        QTest::keyClick(splash, Qt::Key_Escape);
        QCOMPARE(shown.count(), 1);
        QVERIFY(startUp.mainWindow()->isVisible());
    }

    void aboutBoxShowsVersionAndLinks() {
        frmAbout about;
        about.setAttribute(Qt::WA_DeleteOnClose, false);
        about.show();
        QCOMPARE(about.windowTitle(), QStringLiteral("About Miravel"));
        QCOMPARE(about.lblVersion->text(), frmAbout::versionText());
        QCOMPARE(about.lblVersion->pos(), QPoint(136, 130));
        QCOMPARE(about.Label4->text().right(9), QStringLiteral("/contact/"));
        QVERIFY(about.lblCredits->text().contains(QStringLiteral("Tanzil")));
        QCOMPARE(about.lblCredits->target(), QStringLiteral("https://tanzil.net/"));
    }
};

MIRAVEL_GUI_TEST_MAIN(TestSmallWindows, TestMainWindow)

#include "tst_mainwindow.moc"
