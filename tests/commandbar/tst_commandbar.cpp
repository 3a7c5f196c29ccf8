#include "CommandBars.h"

#include <QAccessible>
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

QIcon picture(Qt::GlobalColor colour) {
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

// The visible entries of a bar's widget: captions, "|" for a separator.
QStringList entries(QWidget* widget) {
    QStringList out;
    for (QAction* action : widget->actions())
        out << (action->isSeparator() ? QStringLiteral("|") : action->text());
    return out;
}

} // namespace

// A main window with a menu bar and the toolbar "Standard", built the way the
// program builds its bars.
class tst_CommandBar : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlsKeepTheirOrderAndGroups();
    void findAndPosition_data();
    void findAndPosition();
    void deleteRemovesTheControl();
    void invokedWithTheChosenControl();
    void toggleStateIsTheModels_data();
    void toggleStateIsTheModels();
    void enabledShowsAtOnce();
    void picturesByIdentifier();
    void homeButtonShowsCaptionBesideIcon();
    void barsLayoutChangedWhenTheRowIsHiddenOrShown();
    void everyButtonIsNamedByItsCaption_data();
    void everyButtonIsNamedByItsCaption();
    void theOverflowButtonIsNamed();
    void togglesReadAsToggles();

private:
    QMainWindow* window_ = nullptr;
    CommandBars* bars_ = nullptr;
    CommandBar* standard_ = nullptr;
    CommandBarControl* bookmarks_ = nullptr;
};

void tst_CommandBar::init() {
    window_ = new QMainWindow;
    bars_ = new CommandBars(window_);
    bars_->Prepare(true);
    bars_->Prepare();
    CommandBarControls* menus = bars_->ActiveMenuBar()->Controls();
    CommandBarControl* file = menus->Add(ControlKind::Popup, 201, "&File");
    file->CommandBar()->Controls()->Add(ControlKind::Button, 249, "Import favorites");
    file->CommandBar()->Controls()->Add(ControlKind::Button, 250, "Export favorites");
    file->CommandBar()->Controls()->Add(ControlKind::Button, 202, "&Print")->setBeginGroup(true);
    file->CommandBar()->Controls()->Add(ControlKind::Button, 203, "E&xit");
    menus->Add(ControlKind::Popup, 204, "&Search")
        ->CommandBar()
        ->Controls()
        ->Add(ControlKind::Button, 205, "Find");
    menus->Add(ControlKind::Popup, 206, "&View")
        ->CommandBar()
        ->Controls()
        ->Add(ControlKind::Button, 224, "Information");
    bookmarks_ = menus->Add(ControlKind::Popup, 209, "Bookmarks");
    bookmarks_->CommandBar()->Controls()->Add(ControlKind::Button, 210, "Add");
    bookmarks_->CommandBar()->Controls()->Add(ControlKind::Button, 211, "Delete");
    bookmarks_->CommandBar()->Controls()->Add(ControlKind::Button, 2101, "2:255");
    CommandBarControl* tools = menus->Add(ControlKind::Popup, 212, "&Tools");
    tools->CommandBar()->Controls()->Add(ControlKind::Button, 221, "Home");
    tools->CommandBar()->Controls()->Add(ControlKind::Button, 212, "Settings");

    standard_ = bars_->AddToolBar("Standard", 0);
    CommandBarControls* buttons = standard_->Controls();
    CommandBarControl* home = buttons->Add(ControlKind::Button, 221, "&Home");
    home->setStyle(3);
    home->setBeginGroup(true);
    buttons->Add(ControlKind::Button, 202, "&Print");
    buttons->Add(ControlKind::Button, 501, "-A-")->setBeginGroup(true);
    buttons->Add(ControlKind::Button, 502, "-T-");
    buttons->Add(ControlKind::Button, 503, QString::fromUtf8("-\u00fb-"));
}

void tst_CommandBar::cleanup() {
    delete window_;
    window_ = nullptr;
}

void tst_CommandBar::controlsKeepTheirOrderAndGroups() {
    QCOMPARE(entries(window_->menuBar()),
             QStringList({"&File", "&Search", "&View", "Bookmarks", "&Tools"}));
    CommandBar* file = bars_->ActiveMenuBar()->Controls()->Item(1)->CommandBar();
    QCOMPARE(entries(file->widget()),
             QStringList({"Import favorites", "Export favorites", "|", "&Print", "E&xit"}));
    QCOMPARE(entries(standard_->widget()), QStringList({"|", "&Home", "&Print", "|", "-A-", "-T-",
                                                        QString::fromUtf8("-\u00fb-")}));

    // Clearing a group start takes its separator away again.
    standard_->Controls()->Item(3)->setBeginGroup(false);
    QVERIFY(!entries(standard_->widget()).mid(1).contains("|"));
    QCOMPARE(bars_->Bar(1), standard_);
    QCOMPARE(bars_->Bar(2), nullptr);
    QCOMPARE(standard_->Title(), QStringLiteral("Standard"));
}

void tst_CommandBar::findAndPosition_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("caption");
    QTest::newRow("top-level popup") << int(ControlKind::Popup) << 209 << "Bookmarks";
    QTest::newRow("item of a popup") << int(ControlKind::Button) << 205 << "Find";
    QTest::newRow("bookmark entry") << int(ControlKind::Button) << 2101 << "2:255";
    QTest::newRow("popup and item share 212") << int(ControlKind::Button) << 212 << "Settings";
    QTest::newRow("kind must match") << int(ControlKind::Button) << 209 << "";
    QTest::newRow("unknown") << int(ControlKind::Button) << 999 << "";
}

void tst_CommandBar::findAndPosition() {
    QFETCH(int, kind);
    QFETCH(int, id);
    QFETCH(QString, caption);
    CommandBarControl* found = bars_->ActiveMenuBar()->Controls()->Find(kind, id);
    QCOMPARE(found ? found->Caption() : QString(), caption);
    if (found)
        QCOMPARE(found->Type(), kind);
}

void tst_CommandBar::deleteRemovesTheControl() {
    CommandBarControls* menus = bars_->ActiveMenuBar()->Controls();
    QCOMPARE(menus->Item(4), bookmarks_);
    QCOMPARE(menus->Item(0), nullptr);
    QCOMPARE(menus->Item(6), nullptr);
    CommandBarControls* entriesOfBookmarks = bookmarks_->CommandBar()->Controls();
    CommandBarControl* entry = entriesOfBookmarks->Find(ControlKind::Button, 2101);
    QVERIFY(entry);
    QPointer<QAction> action = entry->action();
    entry->Delete();
    QCOMPARE(entriesOfBookmarks->Count(), 2);
    QCOMPARE(entriesOfBookmarks->Find(ControlKind::Button, 2101), nullptr);
    QCOMPARE(entries(bookmarks_->CommandBar()->widget()), QStringList({"Add", "Delete"}));
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(action.isNull());

    // A whole popup goes with its sub-bar.
    menus->Item(5)->Delete();
    QCOMPARE(menus->Count(), 4);
    QCOMPARE(menus->Find(ControlKind::Button, 221), nullptr);
}

void tst_CommandBar::invokedWithTheChosenControl() {
    QSignalSpy invoked(bars_, &CommandBars::CommandInvoked);
    CommandBarControl* menuPrint =
        bars_->ActiveMenuBar()->Controls()->Find(ControlKind::Button, 202);
    CommandBarControl* buttonPrint = standard_->Controls()->Find(ControlKind::Button, 202);
    QVERIFY(menuPrint != buttonPrint);
    buttonPrint->action()->trigger();
    menuPrint->action()->trigger();
    QCOMPARE(invoked.count(), 2);
    QCOMPARE(invoked.at(0).at(0).value<CommandBarControl*>(), buttonPrint);
    QCOMPARE(invoked.at(1).at(0).value<CommandBarControl*>(), menuPrint);
    QCOMPARE(invoked.at(1).at(0).value<CommandBarControl*>()->Id(), 202);

    // A handler may delete the control it was handed.
    CommandBarControl* entry = bars_->ActiveMenuBar()->Controls()->Find(ControlKind::Button, 2101);
    connect(bars_, &CommandBars::CommandInvoked, this, [](CommandBarControl* c) { c->Delete(); });
    entry->action()->trigger();
    QCOMPARE(bookmarks_->CommandBar()->Controls()->Count(), 2);
}

void tst_CommandBar::toggleStateIsTheModels_data() {
    QTest::addColumn<bool>("checked");
    QTest::newRow("checked") << true;
    QTest::newRow("unchecked") << false;
}

void tst_CommandBar::toggleStateIsTheModels() {
    QFETCH(bool, checked);
    CommandBarControl* toggle = standard_->FindControl(502);
    toggle->setChecked(checked);
    QCOMPARE(toggle->action()->isChecked(), checked);

    bool seenInHandler = !checked;
    connect(bars_, &CommandBars::CommandInvoked, this, [&](CommandBarControl* control) {
        seenInHandler = control->Checked();
        control->setChecked(!control->Checked()); // the dispatcher's inversion
    });
    toggle->action()->trigger();
    // The click itself changed nothing; the handler's inversion did.
    QCOMPARE(seenInHandler, checked);
    QCOMPARE(toggle->Checked(), !checked);
    QCOMPARE(toggle->action()->isChecked(), !checked);

    // A handler that refuses the change (the last library stays) leaves it as it was.
    disconnect(bars_, &CommandBars::CommandInvoked, this, nullptr);
    toggle->action()->trigger();
    QCOMPARE(toggle->Checked(), !checked);
    QCOMPARE(toggle->action()->isChecked(), !checked);
}

void tst_CommandBar::enabledShowsAtOnce() {
    CommandBarControl* back = standard_->Controls()->Item(1);
    back->setEnabled(false);
    QVERIFY(!back->action()->isEnabled());
    back->setEnabled(true);
    QVERIFY(back->action()->isEnabled());
    back->setCaption("&Start");
    QCOMPARE(back->action()->text(), QStringLiteral("&Start"));
}

void tst_CommandBar::picturesByIdentifier() {
    bars_->setIcons({{221, picture(Qt::red)}, {202, picture(Qt::blue)}, {209, picture(Qt::green)}});
    QVERIFY(!standard_->FindControl(221)->action()->icon().isNull());
    QVERIFY(!bars_->ActiveMenuBar()
                 ->Controls()
                 ->Find(ControlKind::Button, 202)
                 ->action()
                 ->icon()
                 .isNull());
    QVERIFY(standard_->FindControl(501)->action()->icon().isNull());
    // Menu titles keep their captions: a popup takes no picture.
    QVERIFY(bookmarks_->action()->icon().isNull());
    // Controls added later, or given another identifier, find their picture too.
    CommandBarControl* later = standard_->Controls()->Add(ControlKind::Button, 219, "Help");
    QVERIFY(later->action()->icon().isNull());
    later->setId(202);
    QVERIFY(!later->action()->icon().isNull());
}

void tst_CommandBar::homeButtonShowsCaptionBesideIcon() {
    auto* toolBar = qobject_cast<QToolBar*>(standard_->widget());
    QVERIFY(toolBar);
    auto* home =
        qobject_cast<QToolButton*>(toolBar->widgetForAction(standard_->FindControl(221)->action()));
    auto* print =
        qobject_cast<QToolButton*>(toolBar->widgetForAction(standard_->FindControl(202)->action()));
    QVERIFY(home && print);
    QCOMPARE(home->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    QVERIFY(print->toolButtonStyle() != Qt::ToolButtonTextBesideIcon);
}

void tst_CommandBar::barsLayoutChangedWhenTheRowIsHiddenOrShown() {
    QSignalSpy changed(bars_, &CommandBars::BarsLayoutChanged);
    // A row nobody hid counts as shown before its window is.
    QVERIFY(bars_->Bar(1)->Visible());
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    QVERIFY(bars_->Bar(1)->Visible());
    QCOMPARE(changed.count(), 0);

    // The entry the bars' context menu offers for the row.
    auto* toolBar = qobject_cast<QToolBar*>(standard_->widget());
    std::unique_ptr<QMenu> offered(window_->createPopupMenu());
    QVERIFY(offered);
    QVERIFY(offered->actions().contains(toolBar->toggleViewAction()));
    toolBar->toggleViewAction()->trigger();
    QVERIFY(!bars_->Bar(1)->Visible());
    QCOMPARE(changed.count(), 1);
    toolBar->toggleViewAction()->trigger();
    QVERIFY(bars_->Bar(1)->Visible());
    QCOMPARE(changed.count(), 2);

    standard_->setVisible(false);
    QVERIFY(!bars_->Bar(1)->Visible());
    QCOMPARE(changed.count(), 3);
    standard_->setVisible(false);
    QCOMPARE(changed.count(), 3);
    // Minimising the window is no change of the bars.
    window_->showMinimized();
    window_->showNormal();
    QTest::qWait(50);
    QCOMPARE(changed.count(), 3);
}

void tst_CommandBar::everyButtonIsNamedByItsCaption_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::newRow("caption beside its picture") << 221 << "Home";
    QTest::newRow("picture only") << 202 << "Print";
    QTest::newRow("toggle, checked") << 501 << "-A-";
    QTest::newRow("toggle, unchecked") << 502 << "-T-";
    QTest::newRow("toggle, non-ASCII caption") << 503 << QString::fromUtf8("-\u00fb-");
}

// What a screen reader reads for each toolbar button, whatever it shows.
void tst_CommandBar::everyButtonIsNamedByItsCaption() {
    QFETCH(int, id);
    QFETCH(QString, name);
    bars_->setIcons({{221, picture(Qt::red)}, {202, picture(Qt::blue)}});
    standard_->FindControl(501)->setChecked(true);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    auto* toolBar = qobject_cast<QToolBar*>(standard_->widget());
    CommandBarControl* control = standard_->FindControl(id);
    QWidget* button = toolBar->widgetForAction(control->action());
    QVERIFY(button);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(button);
    QVERIFY(face);
    QCOMPARE(face->text(QAccessible::Name), name);

    // A caption changed later renames the button.
    control->setCaption(QStringLiteral("&New ") + name);
    QCOMPARE(face->text(QAccessible::Name), QStringLiteral("New ") + name);
}

// The row's own button for what a narrow window leaves off it.
void tst_CommandBar::theOverflowButtonIsNamed() {
    auto* toolBar = qobject_cast<QToolBar*>(standard_->widget());
    const auto buttons = toolBar->findChildren<QToolButton*>();
    QVERIFY(!buttons.isEmpty());
    for (QToolButton* button : buttons) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(button);
        QVERIFY2(!face->text(QAccessible::Name).isEmpty(), qPrintable(button->objectName()));
    }
}

// An unchecked toggle reads as a toggle that is off, not as a plain button;
// choosing it still leaves the state to whoever handles the command.
void tst_CommandBar::togglesReadAsToggles() {
    auto* toolBar = qobject_cast<QToolBar*>(standard_->widget());
    CommandBarControl* on = standard_->FindControl(501);
    CommandBarControl* off = standard_->FindControl(503);
    for (CommandBarControl* toggle : {on, off})
        toggle->setToggle(true);
    on->setChecked(true);
    const auto stateOf = [toolBar](CommandBarControl* control) {
        return QAccessible::queryAccessibleInterface(toolBar->widgetForAction(control->action()))
            ->state();
    };
    QVERIFY(stateOf(on).checkable);
    QVERIFY(stateOf(on).checked);
    QVERIFY(stateOf(off).checkable);
    QVERIFY(!stateOf(off).checked);
    off->action()->trigger();
    QVERIFY(!off->Checked());
    QVERIFY(!off->action()->isChecked());
}

QTEST_MAIN(tst_CommandBar)
#include "tst_commandbar.moc"
