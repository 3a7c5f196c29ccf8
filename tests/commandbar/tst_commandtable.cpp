#include "CommandBars.h"
#include "CommandTable.h"

#include <QAction>
#include <QMainWindow>
#include <QTest>

namespace {

QStringList captions(CommandBarControls* controls) {
    QStringList out;
    for (int i = 1; i <= controls->Count(); ++i) {
        CommandBarControl* control = controls->Item(i);
        out << (control->BeginGroup() ? QStringLiteral("|") : QString()) + control->Caption();
    }
    return out;
}

QString guiText(int number) {
    return QStringLiteral("gui%1").arg(number);
}

} // namespace

// The command table on its own: rows give the menus and the toolbar, and a
// chosen control reaches the handler registered for its identifier.
class tst_CommandTable : public QObject {
    Q_OBJECT

    std::unique_ptr<QMainWindow> window_;
    CommandBars* bars_ = nullptr;
    CommandTable table_;

private slots:
    void init() {
        window_ = std::make_unique<QMainWindow>();
        bars_ = new CommandBars(window_.get());
        table_ = CommandTable();
    }
    void cleanup() { window_.reset(); }

    void menusFollowTheRowOrder() {
        // Added out of order, and one popup sharing its identifier with an item.
        table_.addRow(CommandRow::popup(212, CommandCaption::text(QStringLiteral("&Go")), 2));
        table_.addRow(CommandRow::popup(201, CommandCaption::text(QStringLiteral("&File")), 1));
        table_.addRow(CommandRow::item(212, 2, 212, CommandCaption::gui(217)));
        table_.addRow(CommandRow::item(212, 1, 221, CommandCaption::gui(213)));
        table_.addRow(CommandRow::item(201, 2, 203, CommandCaption::gui(203), true));
        table_.addRow(
            CommandRow::item(201, 1, 202, CommandCaption::text(QStringLiteral("&Print"))));
        int extended = 0;
        table_.addMenuExtender(
            [&](CommandBars* bars) { extended = bars->ActiveMenuBar()->Controls()->Count(); });
        table_.buildMenus(bars_, &guiText);

        CommandBarControls* menu = bars_->ActiveMenuBar()->Controls();
        QCOMPARE(captions(menu), (QStringList{"&File", "&Go"}));
        QCOMPARE(captions(menu->Item(1)->CommandBar()->Controls()),
                 (QStringList{"&Print", "|gui203"}));
        QCOMPARE(captions(menu->Item(2)->CommandBar()->Controls()),
                 (QStringList{"gui213", "gui217"}));
        QCOMPARE(extended, 2); // after the menus were built
    }

    // Menus of the menu bar without a marker get the first free letter;
    // a marked one keeps its key, "&&" marks none; items are left alone.
    void menuBarCaptionsGetAccessKeys_data() {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("plain captions")
            << QStringList{"Search", "Bookmarks"} << QStringList{"&Search", "&Bookmarks"};
        QTest::newRow("first letter taken by a marked one")
            << QStringList{"Search", "&Settings", "Bookmarks"}
            << QStringList{"S&earch", "&Settings", "&Bookmarks"};
        QTest::newRow("escaped ampersand") << QStringList{"A&&B"} << QStringList{"&A&&B"};
        QTest::newRow("every letter taken")
            << QStringList{"&ab", "&ba", "ab", "9"} << QStringList{"&ab", "&ba", "ab", "&9"};
    }
    void menuBarCaptionsGetAccessKeys() {
        QFETCH(QStringList, given);
        QFETCH(QStringList, shown);
        for (int i = 0; i < given.size(); ++i) {
            table_.addRow(CommandRow::popup(300 + i, CommandCaption::text(given.at(i)), i));
            table_.addRow(CommandRow::item(300 + i, 1, 400 + i,
                                           CommandCaption::text(QStringLiteral("Item"))));
        }
        table_.buildMenus(bars_, &guiText);
        CommandBarControls* menu = bars_->ActiveMenuBar()->Controls();
        QCOMPARE(captions(menu), shown);
        QCOMPARE(captions(menu->Item(1)->CommandBar()->Controls()), QStringList{"Item"});
    }

    void aRowOfTheSamePlaceIsReplaced() {
        table_.addRow(CommandRow::popup(201, CommandCaption::text(QStringLiteral("&File")), 1));
        table_.addRow(CommandRow::item(201, 1, 249, CommandCaption::text(QStringLiteral("old"))));
        table_.addRow(CommandRow::item(201, 1, 249, CommandCaption::text(QStringLiteral("new"))));
        table_.buildMenus(bars_, &guiText);
        CommandBarControls* file =
            bars_->ActiveMenuBar()->Controls()->Item(1)->CommandBar()->Controls();
        QCOMPARE(captions(file), QStringList{"new"});
    }

    void toolbarTakesItsOwnCaptionsAndPlaces() {
        CommandRow home = CommandRow::item(212, 1, 221, CommandCaption::gui(213));
        home.toolbarOrder = 2;
        home.toolbarCaption = CommandCaption::text(QStringLiteral("&Home"));
        home.toolbarGroup = true;
        home.toolbarStyle = 3;
        CommandRow about = CommandRow::item(218, 1, 220, CommandCaption::gui(220));
        about.toolbarOrder = 1;
        CommandRow toggle;
        toggle.id = 501;
        toggle.caption = CommandCaption::text(QStringLiteral("-A-"));
        toggle.toolbarOrder = 3;
        for (const CommandRow& row : {home, about, toggle})
            table_.addRow(row);
        CommandBar* bar = table_.buildToolBar(bars_, QStringLiteral("Standard"), &guiText);
        QCOMPARE(captions(bar->Controls()), (QStringList{"gui220", "|&Home", "-A-"}));
        QCOMPARE(bar->Controls()->Item(2)->Style(), 3);
        QCOMPARE(bar->Title(), QStringLiteral("Standard"));
    }

    void shortcutsGoToTheMenuItems() {
        table_.addRow(CommandRow::popup(201, CommandCaption::text(QStringLiteral("&File")), 1));
        CommandRow print = CommandRow::item(201, 1, 202, CommandCaption::gui(202));
        print.shortcut = QKeySequence::Print;
        table_.addRow(print);
        table_.buildMenus(bars_, &guiText);
        table_.applyShortcuts(bars_);
        QCOMPARE(bars_->ActiveMenuBar()->FindControl(202)->action()->shortcut(),
                 QKeySequence(QKeySequence::Print));
    }

    // A toolbar button with no menu item is reached from the keyboard by its
    // shortcut, also while the toolbar row is hidden; a button whose command
    // has a menu item leaves the shortcut to the item, so no key is ambiguous.
    void toolbarOnlyButtonsTakeTheirShortcut() {
        table_.addRow(CommandRow::popup(201, CommandCaption::text(QStringLiteral("&File")), 1));
        CommandRow print = CommandRow::item(201, 1, 202, CommandCaption::gui(202));
        print.shortcut = QKeySequence::Print;
        table_.addRow(print.onToolbar(1, {}));
        table_.addRow(CommandRow::toggleButton(2, 503, QStringLiteral("-\u00fb-"), false,
                                               QKeySequence(Qt::CTRL | Qt::Key_3)));
        int invoked = 0;
        table_.setHandler(503, [&invoked](CommandBarControl*) { ++invoked; });
        QObject::connect(bars_, &CommandBars::CommandInvoked,
                         [this](CommandBarControl* control) { table_.dispatch(control); });
        table_.buildMenus(bars_, &guiText);
        CommandBar* bar = table_.buildToolBar(bars_, QStringLiteral("Standard"), &guiText);
        table_.applyShortcuts(bars_);

        QVERIFY(bar->FindControl(202)->action()->shortcut().isEmpty());
        QCOMPARE(bar->FindControl(503)->action()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_3));
        QVERIFY(bar->FindControl(503)->action()->toolTip().contains(QStringLiteral("Ctrl+3")));

        window_->resize(400, 300);
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        bar->setVisible(false);
        QTest::keyClick(window_.get(), Qt::Key_3, Qt::ControlModifier);
        QCOMPARE(invoked, 1);
    }

    // Entries a subsystem adds itself (dynamic rows) reach the handler that
    // owns their identifiers, after the identifier's own handler.
    void dispatchRunsTheHandlerThenTheDynamicRows() {
        QStringList ran;
        table_.setHandler(
            210, [&](CommandBarControl* c) { ran << QStringLiteral("add %1").arg(c->Id()); });
        table_.setHandler(
            7001, [&](CommandBarControl* c) { ran << QStringLiteral("own %1").arg(c->Id()); });
        table_.setDynamicHandler(
            [](int id) { return id > 7000 && id < 8000; },
            [&](CommandBarControl* c) { ran << QStringLiteral("entry %1").arg(c->Id()); });
        CommandBarControls* menu = bars_->ActiveMenuBar()->Controls();
        table_.dispatch(menu->Add(ControlKind::Button, 210, QStringLiteral("Add")));
        table_.dispatch(menu->Add(ControlKind::Button, 7002, QStringLiteral("2:255  x")));
        table_.dispatch(menu->Add(ControlKind::Button, 7001, QStringLiteral("both")));
        table_.dispatch(menu->Add(ControlKind::Button, 999, QStringLiteral("unknown")));
        QCOMPARE(ran, (QStringList{"add 210", "entry 7002", "own 7001", "entry 7001"}));
    }

    void aHandlerMayDeleteItsControl() {
        int entries = 0;
        table_.setHandler(2105, [](CommandBarControl* c) { c->Delete(); });
        table_.setDynamicHandler([](int id) { return id == 2105; },
                                 [&](CommandBarControl*) { ++entries; });
        CommandBarControls* menu = bars_->ActiveMenuBar()->Controls();
        table_.dispatch(menu->Add(ControlKind::Button, 2105, QStringLiteral("1:1  x")));
        QCoreApplication::processEvents();
        QCOMPARE(menu->Count(), 0);
        QCOMPARE(entries, 1); // the control lives on until control returns to the loop
    }
};

QTEST_MAIN(tst_CommandTable)
#include "tst_commandtable.moc"
