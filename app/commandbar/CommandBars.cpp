#include "CommandBars.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int kStyleIconAndCaption = 3;

// Hidden only when someone hid it: a bar of a window not yet shown counts
// as shown.
bool isShown(const QWidget* widget) {
    return !(widget->isHidden() && widget->testAttribute(Qt::WA_WState_ExplicitShowHide));
}

Qt::ToolBarArea areaOf(int position) {
    switch (position) {
    case 1:
        return Qt::BottomToolBarArea;
    case 2:
        return Qt::LeftToolBarArea;
    case 3:
        return Qt::RightToolBarArea;
    default:
        return Qt::TopToolBarArea;
    }
}

} // namespace

// ---- CommandBarControl ----

CommandBarControl::CommandBarControl(::CommandBar* bar, int kind, int id, const QString& caption)
    : QObject(bar), bar_(bar),
      kind_(kind == ControlKind::Popup ? ControlKind::Popup : ControlKind::Button), id_(id),
      caption_(caption) {
    QWidget* host = bar->widget();
    if (kind_ == ControlKind::Popup) {
        menu_ = new QMenu(caption, host);
        subBar_ = new ::CommandBar(bar->owner(), menu_, caption, this);
        action_ = menu_->menuAction();
    } else {
        action_ = new QAction(caption, this);
        connect(action_, &QAction::triggered, this, &CommandBarControl::onTriggered);
    }
    bar->appendAction(action_);
    if (kind_ == ControlKind::Popup) {
        if (auto* button = qobject_cast<QToolButton*>(
                qobject_cast<QToolBar*>(host)
                    ? static_cast<QToolBar*>(host)->widgetForAction(action_)
                    : nullptr))
            button->setPopupMode(QToolButton::InstantPopup);
    }
    showIcon();
    showToolTip();
}

CommandBarControl::~CommandBarControl() {
    delete menu_;
}

void CommandBarControl::setId(int id) {
    id_ = id;
    showIcon();
}

void CommandBarControl::setCaption(const QString& caption) {
    caption_ = caption;
    action_->setText(caption);
    if (menu_)
        menu_->setTitle(caption);
    showToolTip();
}

void CommandBarControl::setChecked(bool checked) {
    checked_ = checked;
    showState();
}

void CommandBarControl::setToggle(bool toggle) {
    toggle_ = toggle;
    showState();
}

void CommandBarControl::setEnabled(bool enabled) {
    enabled_ = enabled;
    showState();
}

void CommandBarControl::setBeginGroup(bool beginGroup) {
    beginGroup_ = beginGroup;
    placeSeparator();
}

void CommandBarControl::setStyle(int style) {
    style_ = style;
    showStyle();
}

void CommandBarControl::setShortcut(const QKeySequence& shortcut) {
    action_->setShortcut(shortcut);
    // An action works its shortcut only while a widget it stands in is
    // shown; the window keeps it working when the toolbar row is hidden.
    if (bar_ && bar_->owner()->window_)
        bar_->owner()->window_->addAction(action_);
    showToolTip();
}

void CommandBarControl::Delete() {
    if (!bar_)
        return;
    bar_->controls_.remove(this);
    bar_->widget()->removeAction(action_);
    delete separator_;
    if (menu_)
        menu_->hide();
    bar_ = nullptr;
    deleteLater();
}

// Only a checked control or a toggle is checkable, so an unchecked menu item
// shows no empty box; the toolkit's own flip is undone when it is chosen.
void CommandBarControl::showState() {
    const QSignalBlocker blocker(action_);
    action_->setCheckable(checked_ || toggle_);
    action_->setChecked(checked_);
    action_->setEnabled(enabled_);
}

void CommandBarControl::showIcon() {
    if (kind_ == ControlKind::Button && bar_)
        action_->setIcon(bar_->owner()->icon(id_));
}

void CommandBarControl::showStyle() {
    auto* toolBar = bar_ ? qobject_cast<QToolBar*>(bar_->widget()) : nullptr;
    if (!toolBar)
        return;
    if (auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(action_)))
        button->setToolButtonStyle(style_ == kStyleIconAndCaption ? Qt::ToolButtonTextBesideIcon
                                                                  : toolBar->toolButtonStyle());
}

// A button's tooltip, which screen readers read as its description, names
// its shortcut; the button itself is named by its caption.
void CommandBarControl::showToolTip() {
    const QKeySequence shortcut = action_->shortcut();
    if (shortcut.isEmpty())
        action_->setToolTip(QString()); // the caption
    else
        action_->setToolTip(QStringLiteral("%1 (%2)").arg(
            action_->iconText(), shortcut.toString(QKeySequence::NativeText)));
}

void CommandBarControl::placeSeparator() {
    if (!bar_)
        return;
    if (beginGroup_ && !separator_) {
        separator_ = new QAction(this);
        separator_->setSeparator(true);
        bar_->widget()->insertAction(action_, separator_);
    } else if (!beginGroup_ && separator_) {
        delete separator_;
    }
}

void CommandBarControl::onTriggered() {
    showState(); // undo the toolkit's own toggle
    if (bar_)
        emit bar_->owner()->CommandInvoked(this);
}

// ---- CommandBarControls ----

CommandBarControl* CommandBarControls::Add(int kind, int id, const QString& caption) {
    auto* control = new CommandBarControl(bar_, kind, id, caption);
    controls_.push_back(control);
    return control;
}

CommandBarControl* CommandBarControls::Find(int kind, int id) const {
    for (CommandBarControl* control : controls_) {
        if (control->Type() == kind && control->Id() == id)
            return control;
        if (control->CommandBar())
            if (CommandBarControl* inner = control->CommandBar()->Controls()->Find(kind, id))
                return inner;
    }
    return nullptr;
}

CommandBarControl* CommandBarControls::Item(int position) const {
    if (position < 1 || position > Count())
        return nullptr;
    return controls_[std::size_t(position - 1)];
}

void CommandBarControls::remove(CommandBarControl* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

// ---- CommandBar ----

CommandBar::CommandBar(CommandBars* owner, QWidget* widget, const QString& title, QObject* parent)
    : QObject(parent), owner_(owner), widget_(widget), title_(title) {}

CommandBarControl* CommandBar::FindControl(int id) const {
    CommandBarControl* found = nullptr;
    eachControl([&](CommandBarControl* control) {
        if (!found && control->Id() == id)
            found = control;
    });
    return found;
}

bool CommandBar::Visible() const {
    return isShown(widget_);
}

void CommandBar::setVisible(bool visible) {
    widget_->setVisible(visible);
    owner_->noteToolBarShown(this);
}

void CommandBar::appendAction(QAction* action) {
    widget_->addAction(action);
}

void CommandBar::eachControl(const std::function<void(CommandBarControl*)>& visit) const {
    for (CommandBarControl* control : controls_.controls_) {
        visit(control);
        if (control->CommandBar())
            control->CommandBar()->eachControl(visit);
    }
}

// ---- CommandBars ----

CommandBars::CommandBars(QMainWindow* window)
    : QObject(window), window_(window),
      menuBar_(new CommandBar(this, window->menuBar(), QStringLiteral("Menu Bar"), this)) {}

CommandBar* CommandBars::AddToolBar(const QString& name, int position) {
    auto* toolBar = new QToolBar(name, window_);
    toolBar->setObjectName(name);
    // The row stays where it is; it can be hidden and shown again from the
    // bars' context menu.
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    // The button that shows what a narrow window leaves off the row has no
    // caption of its own; a screen reader would meet it nameless.
    for (auto* button : toolBar->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
        if (button->accessibleName().isEmpty() && !button->defaultAction())
            button->setAccessibleName(QStringLiteral("More buttons"));
    }
    window_->addToolBar(areaOf(position), toolBar);
    auto* bar = new CommandBar(this, toolBar, name, this);
    toolBars_.push_back(bar);
    shown_[bar] = bar->Visible();
    connect(toolBar, &QToolBar::visibilityChanged, this, [this, bar] { noteToolBarShown(bar); });
    connect(toolBar->toggleViewAction(), &QAction::triggered, this,
            [this, bar] { noteToolBarShown(bar); });
    return bar;
}

CommandBar* CommandBars::Bar(int number) const {
    if (number < 1 || number > BarCount())
        return nullptr;
    return toolBars_[std::size_t(number - 1)];
}

void CommandBars::setIcons(const QMap<int, QIcon>& icons) {
    icons_ = icons;
    const auto refresh = [](CommandBarControl* control) { control->showIcon(); };
    menuBar_->eachControl(refresh);
    for (CommandBar* bar : toolBars_)
        bar->eachControl(refresh);
}

void CommandBars::noteToolBarShown(CommandBar* bar) {
    if (!shown_.contains(bar))
        return; // the menu bar and sub-bars do not move the layout
    const bool shown = bar->Visible();
    if (shown_.value(bar) == shown)
        return;
    shown_[bar] = shown;
    emit BarsLayoutChanged(0, 0, 0, 0);
}
