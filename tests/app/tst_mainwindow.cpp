#include "CommandIds.h"
#include "frmAbout.h"
#include "frmMain.h"
#include "frmSplash.h"
#include "GuiTestMain.h"
#include "LinkLabel.h"
#include "MainWindowFixture.h"
#include "QuranReader.h"
#include "RegSetting.h"
#include "StartUp.h"
#include "StateWait.h"
#include "xpFrame.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidgetItem>

// The main window's own parts: the start page, the tree, the menus and the
// toolbar, the library toggles, the commands that go to the desktop, the
// panes' places.  Sura pages and verses are tried in tst_mainwindow_suras
// and tst_mainwindow_verses.
class TestMainWindow : public MainWindowFixture {
    Q_OBJECT

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
        WAIT_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
        QAction* entry = toolBar->toggleViewAction();
        QVERIFY2(menu->actions().contains(entry), "the context menu has no entry for the toolbar");
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
        WAIT_COMPARE(toolBar->isVisible(), !shown);
        WAIT_VERIFY(!QApplication::activePopupWidget()); // the menu has closed
    }

    // Where a pane stands in the window, in pixels from the top of its client area.
    int windowTop(QWidget* widget) { return widget->mapTo(w_.get(), QPoint(0, 0)).y(); }

private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    void startsOnTheStartPage() {
        WAIT_VERIFY(body().contains(QStringLiteral("miravelimage_gif")));
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

    void linksInOurPagesLeaveOrStay() {
        emit w_->browser()->linkClicked(QUrl(QStringLiteral("https://tanzil.net/")));
        QCOMPARE(opened_, QStringList{QStringLiteral("https://tanzil.net/")});
        emit w_->browser()->linkClicked(QUrl(QStringLiteral("file:///etc/passwd")));
        QCOMPARE(opened_.size(), 1);
    }

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
        QVERIFY(QTest::qWaitForWindowExposed(w_.get(), StateWait::kLimitMs));
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
        if (size.isValid()) {
            // The window system gives the window its new size on its own time.
            w_->resize(size);
            WAIT_COMPARE(w_->size(), size.expandedTo(w_->minimumSize()));
        }
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
        QVERIFY(closed.wait(StateWait::kLimitMs));
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
        WAIT_COMPARE(shown.count(), 1);
        QCOMPARE(shownWhenCreated, 0); // created behind the splash
        frmMain* window = startUp.mainWindow();
        QVERIFY(window->isVisible());
        WAIT_VERIFY(
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
                    // The splash's time runs out before the window loads.
                    for (int left; (left = splash->Timer1.remainingTime()) > 0;)
                        QThread::msleep(left);
                }
            }
        });
        startUp.begin();
        WAIT_COMPARE(shown.count(), 1);
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
