#include "CommandTable.h"

#include "AccessKeys.h"
#include "CommandBars.h"

#include <QAction>

#include <algorithm>

namespace {

bool samePlace(const CommandRow& a, const CommandRow& b) {
    return a.id == b.id && a.kind == b.kind && a.menuParent == b.menuParent &&
           (a.menuParent >= 0 || a.toolbarOrder == b.toolbarOrder);
}

QList<const CommandRow*> sortedBy(const QList<CommandRow>& rows,
                                  const std::function<bool(const CommandRow&)>& keep,
                                  int CommandRow::*order) {
    QList<const CommandRow*> chosen;
    for (const CommandRow& row : rows) {
        if (keep(row))
            chosen.append(&row);
    }
    std::stable_sort(
        chosen.begin(), chosen.end(),
        [order](const CommandRow* a, const CommandRow* b) { return a->*order < b->*order; });
    return chosen;
}

} // namespace

CommandRow CommandRow::popup(int id, CommandCaption caption, int order) {
    CommandRow row;
    row.id = id;
    row.kind = ControlKind::Popup;
    row.caption = std::move(caption);
    row.menuParent = 0;
    row.menuOrder = order;
    return row;
}

CommandRow CommandRow::item(int parent, int order, int id, CommandCaption caption, bool group,
                            QKeySequence shortcut) {
    CommandRow row;
    row.id = id;
    row.caption = std::move(caption);
    row.menuParent = parent;
    row.menuOrder = order;
    row.menuGroup = group;
    row.shortcut = std::move(shortcut);
    return row;
}

CommandRow CommandRow::toggleButton(int order, int id, const QString& caption, bool group,
                                    QKeySequence shortcut) {
    CommandRow row;
    row.id = id;
    row.caption = CommandCaption::text(caption);
    row.shortcut = std::move(shortcut);
    row.toggle = true;
    row.onToolbar(order, {}, group);
    return row;
}

CommandRow& CommandRow::onToolbar(int order, CommandCaption caption, bool group, int style) {
    toolbarOrder = order;
    toolbarCaption = std::move(caption);
    toolbarGroup = group;
    toolbarStyle = style;
    return *this;
}

CommandRow& CommandRow::asToggle() {
    toggle = true;
    return *this;
}

CommandRow& CommandRow::withIcon(const QString& themeName) {
    icon = themeName;
    return *this;
}

void CommandTable::addRow(const CommandRow& row) {
    for (CommandRow& existing : rows_) {
        if (samePlace(existing, row)) {
            existing = row;
            return;
        }
    }
    rows_.append(row);
}

const CommandRow* CommandTable::menuRow(int id, int kind) const {
    for (const CommandRow& row : rows_) {
        if (row.id == id && row.kind == kind && row.menuParent >= 0)
            return &row;
    }
    return nullptr;
}

void CommandTable::setHandler(int id, Handler handler) {
    handlers_.insert(id, std::move(handler));
}

void CommandTable::addMenuExtender(std::function<void(CommandBars*)> extender) {
    menuExtenders_.append(std::move(extender));
}

void CommandTable::setDynamicHandler(std::function<bool(int id)> owns, Handler handler) {
    dynamicHandlers_.append({std::move(owns), std::move(handler)});
}

void CommandTable::dispatch(CommandBarControl* control) const {
    const int id = control->Id();
    const QPointer<CommandBarControl> chosen(control);
    if (const auto handler = handlers_.constFind(id); handler != handlers_.cend() && *handler)
        (*handler)(control);
    const QList<DynamicHandler> dynamics = dynamicHandlers_; // a handler may add one
    for (const DynamicHandler& dynamic : dynamics) {
        if (chosen && dynamic.owns(id) && dynamic.handler)
            dynamic.handler(control);
    }
}

QMap<int, QIcon> CommandTable::icons() const {
    QMap<int, QIcon> icons;
    for (const CommandRow& row : rows_) {
        if (row.icon.isEmpty() || icons.contains(row.id))
            continue;
        const QIcon bundled(QStringLiteral(":/ui/icon-%1.png").arg(row.id));
        icons.insert(row.id, QIcon::fromTheme(row.icon, bundled));
    }
    return icons;
}

QString CommandTable::captionText(const CommandCaption& caption, const GuiText& guiText) {
    if (caption.number != 0 && guiText)
        return guiText(caption.number);
    return caption.fixed;
}

void CommandTable::buildMenus(CommandBars* bars, const GuiText& guiText) const {
    const auto build = [&](CommandBarControls* controls, int parent, const auto& self) -> void {
        const auto rows = sortedBy(
            rows_, [parent](const CommandRow& row) { return row.menuParent == parent; },
            &CommandRow::menuOrder);
        QStringList captions;
        for (const CommandRow* row : rows)
            captions.append(captionText(row->caption, guiText));
        // Every menu of the menu bar opens with Alt and a key, also those
        // whose caption is shared with a window title and comes without one.
        if (parent == 0)
            captions = AccessKeys::withAccessKeys(captions);
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const CommandRow* row = rows.at(i);
            CommandBarControl* control = controls->Add(row->kind, row->id, captions.at(i));
            control->setBeginGroup(row->menuGroup);
            control->setToggle(row->toggle);
            if (row->kind == ControlKind::Popup && control->CommandBar())
                self(control->CommandBar()->Controls(), row->id, self);
        }
    };
    build(bars->ActiveMenuBar()->Controls(), 0, build);
    for (const auto& extend : menuExtenders_)
        extend(bars);
}

CommandBar* CommandTable::buildToolBar(CommandBars* bars, const QString& name,
                                       const GuiText& guiText) const {
    CommandBar* bar = bars->AddToolBar(name, 0);
    const auto rows = sortedBy(
        rows_, [](const CommandRow& row) { return row.toolbarOrder >= 0; },
        &CommandRow::toolbarOrder);
    for (const CommandRow* row : rows) {
        const CommandCaption& caption =
            row->toolbarCaption.isEmpty() ? row->caption : row->toolbarCaption;
        CommandBarControl* control =
            bar->Controls()->Add(ControlKind::Button, row->id, captionText(caption, guiText));
        control->setBeginGroup(row->toolbarGroup);
        control->setStyle(row->toolbarStyle);
        control->setToggle(row->toggle);
    }
    return bar;
}

void CommandTable::applyShortcuts(CommandBars* bars) const {
    for (const CommandRow& row : rows_) {
        if (row.shortcut.isEmpty())
            continue;
        if (row.menuParent >= 0) {
            if (CommandBarControl* control = bars->ActiveMenuBar()->FindControl(row.id))
                control->action()->setShortcut(row.shortcut);
            continue;
        }
        for (int number = 1; number <= bars->BarCount(); ++number) {
            if (CommandBarControl* control = bars->Bar(number)->FindControl(row.id))
                control->setShortcut(row.shortcut);
        }
    }
}
