#include "AppContext.h"
#include "BookmarkCommandIds.h"
#include "BrowserView.h"
#include "CommandBars.h"
#include "CommandIds.h"
#include "frmFind.h"
#include "frmMain.h"
#include "GuiTestMain.h"
#include "InfoCommandIds.h"
#include "LinkLabel.h"
#include "PageAccessibility.h"
#include "PageScript.h"
#include "QuranReader.h"
#include "ReadingView.h"
#include "ResReader.h"
#include "ResScheme.h"
#include "SearchCommandIds.h"
#include "SettingsCommandIds.h"
#include "SettingsModel.h"
#include "ShownVerse.h"
#include "StateWait.h"
#include "SuraTree.h"
#include "SuraVerses.h"
#include "xpFrame.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QMenuBar>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolBar>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <functional>
#include <memory>

namespace {

// The accessible name of a widget, as the accessibility bridge hands it on.
QString nameOf(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

// Every text a screen reader can reach below `face`: names, values and the
// text of text nodes, each with its white space collapsed.
void collectTexts(QAccessibleInterface* face, QStringList& texts, int depth = 0) {
    if (!face || depth > 80 || texts.size() > 50000)
        return;
    for (const QAccessible::Text kind : {QAccessible::Name, QAccessible::Value}) {
        const QString text = face->text(kind).simplified();
        if (!text.isEmpty())
            texts.append(text);
    }
    if (QAccessibleTextInterface* text = face->textInterface()) {
        const QString all = text->text(0, text->characterCount()).simplified();
        if (!all.isEmpty())
            texts.append(all);
    }
    for (int i = 0; i < face->childCount(); ++i)
        collectTexts(face->child(i), texts, depth + 1);
}

// Every interface below `face` (itself included), depth first.
void walk(QAccessibleInterface* face, const std::function<void(QAccessibleInterface*)>& visit,
          int depth = 0) {
    if (!face || depth > 80)
        return;
    visit(face);
    for (int i = 0; i < face->childCount(); ++i)
        walk(face->child(i), visit, depth + 1);
}

bool isInside(const QWidget* widget, const QWidget* ancestor) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w == ancestor)
            return true;
    }
    return false;
}

bool isControl(const QWidget* widget) {
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget) ||
           (qobject_cast<const QAbstractSlider*>(widget) &&
            !qobject_cast<const QScrollBar*>(widget)) ||
           qobject_cast<const QWebEngineView*>(widget) || qobject_cast<const LinkLabel*>(widget);
}

// The controls of a window that the reader works with: shown, enabled and
// not part of another control (a list's scroll bars, a page's inner
// widgets).  The menu bar, toolbars and status bar have keys of their own.
QList<QWidget*> controlsOf(QWidget* window) {
    QList<QWidget*> controls;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!isControl(widget) || !widget->isVisibleTo(window) || !widget->isEnabled() ||
            widget->window() != window)
            continue;
        bool part = false;
        for (QWidget* up = widget->parentWidget(); up && up != window; up = up->parentWidget())
            part = part || isControl(up) || qobject_cast<QToolBar*>(up) ||
                   qobject_cast<QMenuBar*>(up) || qobject_cast<QStatusBar*>(up);
        if (!part)
            controls.append(widget);
    }
    return controls;
}

QWidget* controlHolding(QWidget* focus, const QList<QWidget*>& controls) {
    for (QWidget* control : controls) {
        if (isInside(focus, control))
            return control;
    }
    return nullptr;
}

QString describe(QWidget* widget) {
    return QStringLiteral("%1 \"%2\"").arg(widget->metaObject()->className(), nameOf(widget));
}

// The page that `widget` is part of, if any.
QWebEngineView* pageViewOf(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* view = qobject_cast<QWebEngineView*>(w))
            return view;
    }
    return nullptr;
}

// Presses Tab on `focus` and waits until the key has been dealt with.  A
// widget hands the focus on at once; a page moves it to another of its own
// elements, or hands it on to the window from its own process.
void pressTab(QWidget* focus) {
    QWebEngineView* view = pageViewOf(focus);
    if (view)
        (void)PageScript::run(view->page(),
                              QStringLiteral("window.testTabFrom = document.activeElement; true"),
                              StateWait::kLimitMs);
    QTest::keyClick(focus, Qt::Key_Tab);
    if (!view)
        return;
    (void)StateWait::until([&] {
        if (QApplication::focusWidget() != focus)
            return true;
        return PageScript::run(view->page(),
                               QStringLiteral("document.activeElement !== window.testTabFrom &&"
                                              " document.activeElement !== null &&"
                                              " document.activeElement !== document.body"),
                               StateWait::kLimitMs)
            .value_or(false)
            .toBool();
    });
}

// The controls that Tab, pressed again and again from the focus the window
// starts with, never reaches.
QStringList unreachedByTab(QWidget* window) {
    const QList<QWidget*> controls = controlsOf(window);
    QSet<QWidget*> reached;
    for (int press = 0; press < 3 * controls.size() + 10; ++press) {
        QWidget* focus = QApplication::focusWidget();
        if (QWidget* control = controlHolding(focus, controls))
            reached.insert(control);
        if (reached.size() == controls.size() || !focus)
            break;
        pressTab(focus);
    }
    QStringList missing;
    for (QWidget* control : controls) {
        if (!reached.contains(control))
            missing.append(describe(control));
    }
    return missing;
}

// Controls that reach a screen reader without a name, or a button whose name
// is not its caption.
QStringList unnamed(QWidget* window) {
    QStringList faults;
    for (QWidget* control : controlsOf(window)) {
        const QString name = nameOf(control);
        const auto* button = qobject_cast<QAbstractButton*>(control);
        const QString caption =
            button ? QString(button->text()).remove(QLatin1Char('&')) : QString();
        if (name.isEmpty() || (!caption.isEmpty() && name != caption))
            faults.append(describe(control));
    }
    return faults;
}

QWidget* newWindowBesides(const QList<QWidget*>& before) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && !before.contains(widget) && !widget->inherits("QMenu"))
            return widget;
    }
    return nullptr;
}

} // namespace

// The program as a screen reader and a reader without a mouse meet it.  The
// accessibility tree is read in this process through Qt's accessibility
// layer, the tree the desktop's accessibility bridge puts on the bus.
class TestAccessibility : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<frmMain> w_;

    // Runs the command as a reader does, and hands the window it opens to
    // `inspect`, modal or not; then presses Escape where the focus is.  Empty
    // when Escape closed the window, else what went wrong (a window left open
    // is closed here, so that a modal one gives the test back).
    QString inspectWindowOf(int command, const std::function<void(QWidget*)>& inspect) {
        QList<QWidget*> before; // a window opened earlier may stay loaded, hidden
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible())
                before.append(widget);
        }
        QPointer<QWidget> window;
        QString fault = QStringLiteral("no window opened");
        bool finished = false;
        QTimer poll;
        poll.setInterval(50);
        connect(&poll, &QTimer::timeout, this, [&] {
            if (window || !(window = newWindowBesides(before)))
                return;
            poll.stop();
            window->activateWindow();
            // The Tab walk tells if it is not.
            (void)QTest::qWaitForWindowActive(window, StateWait::kLimitMs);
            inspect(window);
            QWidget* focus = QApplication::focusWidget();
            const QString where = focus ? describe(focus) : QStringLiteral("nothing");
            QTest::keyClick(focus ? focus : window.data(), Qt::Key_Escape);
            finished = true;
            if (StateWait::until([&] { return !window || !window->isVisible(); })) {
                fault.clear();
                return;
            }
            fault = QStringLiteral("Escape on %1 left the window open").arg(where);
            window->close();
        });
        poll.start();
        // The menu item: the Go popup shares its identifier with Settings.
        w_->commandBars()
            ->ActiveMenuBar()
            ->Controls()
            ->Find(ControlKind::Button, command)
            ->action()
            ->trigger();
        (void)StateWait::until([&] { return finished && (!window || !window->isVisible()); });
        poll.stop();
        return fault;
    }

private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir_.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope,
                           settingsDir_.path() + QStringLiteral("/system"));
        context_ = std::make_unique<AppContext>();
        context_->openExternal = [](const QString&) { return true; };
        w_ = std::make_unique<frmMain>(*context_);
        w_->show();
        w_->Form_Load();
        QVERIFY(w_->browser()->waitForLoad(StateWait::kLimitMs));
        // What a screen reader's arrival does: the engine starts building
        // the pages' accessibility trees.
        QAccessible::setActive(true);
    }

    void cleanupTestCase() {
        w_.reset();
        context_.reset();
    }

    void pageAccessibilityIsAllowedUnlessTheUserChose_data() {
        QTest::addColumn<bool>("userSet");
        QTest::addColumn<QByteArray>("userValue");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("not set") << false << QByteArray() << QByteArray("1");
        QTest::newRow("set to 0 by the user") << true << QByteArray("0") << QByteArray("0");
        QTest::newRow("set empty by the user") << true << QByteArray("") << QByteArray("");
    }
    void pageAccessibilityIsAllowedUnlessTheUserChose() {
        QFETCH(bool, userSet);
        QFETCH(QByteArray, userValue);
        QFETCH(QByteArray, expected);
        const char* variable = "QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY";
        const QByteArray kept = qgetenv(variable);
        if (userSet)
            qputenv(variable, userValue);
        else
            qunsetenv(variable);
        allowPageAccessibility();
        const bool set = qEnvironmentVariableIsSet(variable);
        const QByteArray value = qgetenv(variable);
        qputenv(variable, kept);
        QVERIFY(set);
        QCOMPARE(value, expected);
    }

    // Sura 1 with the default order (Arabic, then the translation): every
    // verse label and every verse of the translation is on the page's tree.
    void suraPageReachesScreenReaders() {
        context_->settings().setOrderString(QStringLiteral("1/2"));
        QVERIFY(w_->reader().showSura(1));
        ResReader library;
        library.LoadLibrary(context_->libraryFile(2));
        const SuraVerses translation = SuraVerses::read(library, 1, true);
        QStringList expected;
        for (int verse = 1; verse <= 7; ++verse) {
            expected.append(QStringLiteral("1 : %1").arg(verse));
            expected.append(
                QTextDocumentFragment::fromHtml(translation.shownVerse(verse)).toPlainText());
        }
        QStringList missing = expected;
        (void)StateWait::until([&] {
            QStringList texts;
            collectTexts(QAccessible::queryAccessibleInterface(w_->browser()), texts);
            missing.clear();
            for (const QString& text : expected) {
                if (!texts.contains(text.simplified()))
                    missing.append(text);
            }
            return missing.isEmpty();
        });
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(" | "))));
        // The end-of-verse ornaments are decoration: the number is heard
        // once, from the label.
        QStringList texts;
        collectTexts(QAccessible::queryAccessibleInterface(w_->browser()), texts);
        bool arabicHeard = false;
        for (const QString& text : texts) {
            QVERIFY2(!text.contains(QChar(0x06DD)), qPrintable(text));
            arabicHeard = arabicHeard || text.contains(QChar(0x0628));
        }
        QVERIFY(arabicHeard);
    }

    // Every toolbar button by its caption, pictures or not; the tree pane by
    // the caption it shows.
    void mainWindowPartsAreNamed() {
        for (int i = 1; i <= w_->standardBar()->Controls()->Count(); ++i) {
            CommandBarControl* control = w_->standardBar()->Controls()->Item(i);
            auto* toolBar = qobject_cast<QToolBar*>(w_->standardBar()->widget());
            QWidget* button = toolBar->widgetForAction(control->action());
            QVERIFY(button);
            QCOMPARE(nameOf(button), QString(control->Caption()).remove(QLatin1Char('&')));
        }
        QCOMPARE(nameOf(w_->treePane()), w_->treePane()->HeaderText());
        QCOMPARE(nameOf(w_->treePane()), QStringLiteral("Miravel"));
        const QStringList notNamed = unnamed(w_.get());
        QVERIFY2(notNamed.isEmpty(), qPrintable(notNamed.join(QStringLiteral(", "))));
    }

    // Tab walks the tree and the page; every toolbar command has a menu item
    // or a shortcut, and the toggles' shortcuts work.
    void mainWindowFromTheKeyboard() {
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get(), StateWait::kLimitMs));
        w_->tree()->setFocus();
        const QStringList missing = unreachedByTab(w_.get());
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
        QVERIFY(controlsOf(w_.get()).contains(w_->tree()));
        QVERIFY(controlsOf(w_.get()).contains(w_->browser()));

        CommandBars* bars = w_->commandBars();
        for (int i = 1; i <= w_->standardBar()->Controls()->Count(); ++i) {
            CommandBarControl* control = w_->standardBar()->Controls()->Item(i);
            QVERIFY2(bars->ActiveMenuBar()->FindControl(control->Id()) ||
                         !control->action()->shortcut().isEmpty(),
                     qPrintable(control->Caption()));
        }

        context_->settings().setOrderString(QStringLiteral("1/2"));
        w_->tree()->setFocus();
        CommandBarControl* third = w_->standardBar()->FindControl(CommandId::ToggleLibrary3);
        QTest::keyClick(w_->tree(), Qt::Key_3, Qt::ControlModifier);
        QVERIFY(third->Checked());
        QCOMPARE(context_->settings().values().OrderString, QStringLiteral("1/2/3"));
        QTest::keyClick(w_->tree(), Qt::Key_3, Qt::ControlModifier);
        QVERIFY(!third->Checked());
        QCOMPARE(context_->settings().values().OrderString, QStringLiteral("1/2"));
    }

    // Every menu of the menu bar opens with Alt and a key, as a screen
    // reader tells it; View holds the three library toggles with their keys.
    void menusThroughTheAccessibilityTree() {
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(w_->menuBar());
        QVERIFY(bar);
        QStringList withoutKey;
        QAccessibleInterface* view = nullptr;
        for (int i = 0; i < bar->childCount(); ++i) {
            QAccessibleInterface* menu = bar->child(i);
            if (!menu->text(QAccessible::Accelerator).startsWith(QLatin1String("Alt+")))
                withoutKey << menu->text(QAccessible::Name);
            if (menu->text(QAccessible::Name) == QLatin1String("View"))
                view = menu;
        }
        QVERIFY2(withoutKey.isEmpty(), qPrintable(withoutKey.join(QStringLiteral(", "))));
        QVERIFY(view);
        QCOMPARE(view->text(QAccessible::Accelerator), QStringLiteral("Alt+V"));
        QAccessibleInterface* popup = view->childCount() == 1 ? view->child(0) : view;
        QStringList toggles;
        for (int i = 0; i < popup->childCount(); ++i) {
            QAccessibleInterface* item = popup->child(i);
            if (!item->state().checkable)
                continue; // the chapter information, the separator
            toggles << item->text(QAccessible::Name) + QLatin1Char(' ') +
                           item->text(QAccessible::Accelerator);
        }
        QCOMPARE(toggles, (QStringList{QStringLiteral("Arabic Ctrl+1"),
                                       QStringLiteral("English (Pickthall) Ctrl+2"),
                                       QStringLiteral("Transliteration Ctrl+3"),
                                       QStringLiteral("Verse End Marks Alt+E")}));
    }

    // From 2:1, Alt+Down reaches 2:3 and Alt+Up goes back; a screen reader
    // is handed the current verse named by its label and described by its
    // texts in the page's order, once each, and finds no separator picture
    // nor "." on the page's tree.
    void verseByVerse() {
        context_->settings().setOrderString(QStringLiteral("1/2"));
        QVERIFY(w_->reader().goToVerse(2, 1));
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get(), StateWait::kLimitMs));
        QWidget* page = w_->browser()->focusProxy();
        QVERIFY(page);
        page->setFocus();
        QTest::keyClick(page, Qt::Key_Down, Qt::AltModifier);
        QTest::keyClick(page, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(w_->readingView().currentVerse(), (VersePlace{2, 3}));
        const QString fault = ShownVerse::fault(w_->browser(), QStringLiteral("2 : 3"));
        QVERIFY2(fault.isEmpty(), qPrintable(fault));

        QStringList texts;
        for (const int code : {1, 2}) {
            ResReader library;
            library.LoadLibrary(context_->libraryFile(code));
            const QString shown = SuraVerses::read(library, 2, code == 2).shownVerse(3);
            texts << QTextDocumentFragment::fromHtml(shown).toPlainText().simplified();
        }
        QString description;
        QStringList roles;
        const auto look = [&] {
            description.clear();
            roles.clear();
            walk(QAccessible::queryAccessibleInterface(w_->browser()),
                 [&](QAccessibleInterface* face) {
                     const QString name = face->text(QAccessible::Name).simplified();
                     if (name == QLatin1String("2 : 3") && face->state().focused)
                         description = face->text(QAccessible::Description).simplified();
                     if (face->role() == QAccessible::Graphic)
                         roles << QStringLiteral("picture");
                     if (name == QLatin1String("."))
                         roles << QStringLiteral("\".\"");
                 });
            return !description.isEmpty();
        };
        QVERIFY(StateWait::until(look));
        QVERIFY2(description.count(texts[0]) == 1 && description.count(texts[1]) == 1 &&
                     description.indexOf(texts[0]) < description.indexOf(texts[1]),
                 qPrintable(description));
        QVERIFY2(roles.isEmpty(), qPrintable(roles.join(QStringLiteral(", "))));

        QTest::keyClick(page, Qt::Key_Up, Qt::AltModifier);
        QTest::keyClick(page, Qt::Key_Up, Qt::AltModifier);
        QTest::keyClick(page, Qt::Key_Up, Qt::AltModifier); // stays on the first verse
        QCOMPARE(w_->readingView().currentVerse(), (VersePlace{2, 1}));
        const QString first = ShownVerse::fault(w_->browser(), QStringLiteral("2 : 1"));
        QVERIFY2(first.isEmpty(), qPrintable(first));
    }

    // The search window is a window to assistive technology and its status
    // line carries the end of a search; the tree hands on its selected sura
    // on arriving; a library toggle tells which library and whether it is
    // on.  (Without a screen reader on the bus the bridge sends no events, so
    // what they would carry is read here.)
    void announcements() {
        frmFind find(*context_, w_->reader());
        QCOMPARE(QAccessible::queryAccessibleInterface(&find)->role(), QAccessible::Window);
        find.show();
        QVERIFY(QTest::qWaitForWindowExposed(&find, StateWait::kLimitMs));
        find.cmb_selected_Section->setCurrentIndex(1); // the translation
        find.chkIncludeAllChapters->setChecked(false);
        find.cmbChapters->setCurrentIndex(1);
        find.cmbWhat->setCurrentText(QStringLiteral("Beneficent"));
        find.cmdFindNow_Click();
        QCOMPARE(find.lstRes->count(), 2);
        QVERIFY(find.lblStatus->text().contains(QLatin1Char('2')));
        QCOMPARE(nameOf(find.lblStatus), find.lblStatus->text());
        find.close();

        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get(), StateWait::kLimitMs));
        w_->tree()->selectNode(w_->tree()->node(4)); // sura 2
        w_->tree()->setFocus(Qt::TabFocusReason);
        QAccessibleInterface* entry =
            QAccessible::queryAccessibleInterface(w_->tree())->focusChild();
        QVERIFY(entry);
        QCOMPARE(entry->text(QAccessible::Name), w_->tree()->node(4)->text(0));

        // The status bar shows a toggle's message for a few seconds, and a
        // toggle shows the page again before it returns: the message is taken
        // as it is shown.
        QString told;
        const auto telling = connect(w_->statusBar(), &QStatusBar::messageChanged, this,
                                     [&told](const QString& message) {
                                         if (!message.isEmpty())
                                             told = message;
                                     });
        context_->settings().setOrderString(QStringLiteral("1/2"));
        QTest::keyClick(w_->tree(), Qt::Key_3, Qt::ControlModifier);
        QCOMPARE(told, QStringLiteral("Transliteration on"));
        QTest::keyClick(w_->tree(), Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(told, QStringLiteral("English (Pickthall) off"));
        disconnect(telling);
        QCOMPARE(context_->settings().values().OrderString, QStringLiteral("1/3"));
        context_->settings().setOrderString(QStringLiteral("1/2"));
    }

    // The search window is no dialog, yet Enter in the keyword box searches.
    void enterSearches() {
        frmFind find(*context_, w_->reader());
        find.show();
        QVERIFY(QTest::qWaitForWindowExposed(&find, StateWait::kLimitMs));
        find.cmb_selected_Section->setCurrentIndex(1); // the translation
        find.chkIncludeAllChapters->setChecked(false);
        find.cmbChapters->setCurrentIndex(1);
        find.cmbWhat->setFocus();
        QTest::keyClicks(find.cmbWhat, QStringLiteral("Beneficent"));
        QTest::keyClick(find.cmbWhat, Qt::Key_Return);
        WAIT_COMPARE(find.lstRes->count(), 2); // 1:1 and 1:3
    }

    // Each window opened from the main window: every control is reached by
    // Tab and named for a screen reader, and Escape closes the window.
    void windowsFromTheKeyboard_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("window");
        QTest::newRow("search") << int(SearchCommandId::Search) << "frmFind";
        QTest::newRow("chapter information") << int(InfoCommandId::Information) << "frmInfo";
        QTest::newRow("go to verse") << int(BookmarkCommandId::GoToVerse) << "frmBookMarks";
        QTest::newRow("add bookmark") << int(BookmarkCommandId::AddBookmark) << "frmBookMarks";
        QTest::newRow("settings") << int(SettingsCommandId::Settings) << "frmLangSettings";
        QTest::newRow("about") << int(CommandId::About) << "frmAbout";
    }
    void windowsFromTheKeyboard() {
        QFETCH(int, command);
        QFETCH(QString, window);
        // The chapter information needs a sura chosen in the tree.
        w_->tree()->selectNode(w_->tree()->node(3));
        QString opened;
        QStringList notReached;
        QStringList notNamed;
        const QString escape = inspectWindowOf(command, [&](QWidget* shown) {
            opened = QString::fromLatin1(shown->metaObject()->className());
            notReached = unreachedByTab(shown);
            notNamed = unnamed(shown);
        });
        QCOMPARE(opened, window);
        QVERIFY2(notReached.isEmpty(), qPrintable(notReached.join(QStringLiteral(", "))));
        QVERIFY2(notNamed.isEmpty(), qPrintable(notNamed.join(QStringLiteral(", "))));
        QVERIFY2(escape.isEmpty(), qPrintable(escape));
    }
};

MIRAVEL_GUI_TEST_MAIN(TestAccessibility)

#include "tst_accessibility.moc"
