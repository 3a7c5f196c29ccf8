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

// A caption as read out: without the marker of its access key ("&&" is a
// plain "&").
QString spokenCaption(const QString& caption) {
    QString spoken;
    spoken.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && ++i >= caption.size())
            break;
        spoken.append(caption.at(i));
    }
    return spoken;
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
    showName();
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
    showName();
}

void CommandBarControl::setChecked(bool checked) {
    checked_ = checked;
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
    showName();
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

// Only a checked control is checkable, so an unchecked menu item shows no
// empty box and the toolkit never has a state of its own to flip.
void CommandBarControl::showState() {
    const QSignalBlocker blocker(action_);
    action_->setCheckable(checked_);
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

// A toolbar button is named by its caption whatever it shows (a picture
// alone, or a caption of letters a screen reader's voice may not have), and
// its tooltip names its shortcut.
void CommandBarControl::showName() {
    auto* toolBar = bar_ ? qobject_cast<QToolBar*>(bar_->widget()) : nullptr;
    QWidget* button = toolBar ? toolBar->widgetForAction(action_) : nullptr;
    if (!button)
        return;
    const QString name = spokenCaption(caption_);
    button->setAccessibleName(name);
    const QKeySequence shortcut = action_->shortcut();
    action_->setToolTip(shortcut.isEmpty() ? name
                                           : QStringLiteral("%1 (%2)").arg(
                                                 name, shortcut.toString(QKeySequence::NativeText)));
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
