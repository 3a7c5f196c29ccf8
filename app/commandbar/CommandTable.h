#pragma once

#include <QIcon>
#include <QKeySequence>
#include <QList>
#include <QMap>
#include <QString>

#include <functional>

class CommandBar;
class CommandBarControl;
class CommandBars;

// Where a command's caption comes from: a GUI string by number, or fixed words.
struct CommandCaption {
    int number = 0; // GUI string number; 0 for a fixed caption
    QString fixed;

    static CommandCaption gui(int number) { return {number, {}}; }
    static CommandCaption text(const QString& words) { return {0, words}; }
    bool isEmpty() const { return number == 0 && fixed.isEmpty(); }
};

// One command of the main window: its identifier, caption, shortcut and
// where it stands in the menus and on the toolbar.  A popup heading of the
// menu bar is a row of kind ControlKind::Popup.
struct CommandRow {
    int id = 0;
    int kind = 1; // ControlKind::Button
    CommandCaption caption;
    QKeySequence shortcut;

    // In the menus: the popup it stands in (0: on the menu bar itself), its
    // place there (rows are ordered by it) and whether a separator goes first.
    // No menu placement when menuParent is negative.
    int menuParent = -1;
    int menuOrder = 0;
    bool menuGroup = false;

    // On the toolbar "Standard": its place (none when negative), the button's
    // own caption (the menu caption when empty), a separator first, the style.
    int toolbarOrder = -1;
    CommandCaption toolbarCaption;
    bool toolbarGroup = false;
    int toolbarStyle = 0;
    // A button that shows an on/off state (checkable even while off).
    bool toggle = false;
    // The name of its picture in the desktop's icon theme; the bundled
    // picture ":/ui/icon-<id>.png" stands in where the theme has none.
    QString icon;

    // A popup heading on the menu bar, at place `order`.
    static CommandRow popup(int id, CommandCaption caption, int order);
    // An item of popup `parent`, at place `order`.
    static CommandRow item(int parent, int order, int id, CommandCaption caption,
                           bool group = false, QKeySequence shortcut = {});
    // A toggle button on the toolbar only, at place `order`.
    static CommandRow toggleButton(int order, int id, const QString& caption, bool group = false,
                                   QKeySequence shortcut = {});
    // Shows an on/off state in the menu too.
    CommandRow& asToggle();
    // Puts this row on the toolbar too.
    CommandRow& onToolbar(int order, CommandCaption caption, bool group = false, int style = 0);
    CommandRow& withIcon(const QString& themeName);
};

// The main window's commands: the rows the menus and the toolbar are built
// from, and the handler each subsystem registers for its commands.  The
// chosen control reaches its handler through dispatch().  A subsystem may
// also put entries of its own into the menus (dynamic rows, such as one per
// stored bookmark) and name their identifiers with a dynamic handler.
class CommandTable {
public:
    using Handler = std::function<void(CommandBarControl* control)>;
    using GuiText = std::function<QString(int number)>;

    // Adds a row; a row of the same identifier, kind and placement is replaced.
    void addRow(const CommandRow& row);
    const QList<CommandRow>& rows() const { return rows_; }
    const CommandRow* menuRow(int id, int kind) const;

    void setHandler(int id, Handler handler);
    bool hasHandler(int id) const { return handlers_.contains(id); }
    // Runs `handler` for every chosen control whose identifier `owns`.
    void setDynamicHandler(std::function<bool(int id)> owns, Handler handler);

    // Runs the command of the chosen control, then, whatever the identifier,
    // the dynamic handlers that own it.  The control may be deleted by a
    // handler; the table does not touch it afterwards.
    void dispatch(CommandBarControl* control) const;

    // Builds the menu bar's popups and items in row order; a popup whose
    // caption marks no access key is given one (see AccessKeys).
    void buildMenus(CommandBars* bars, const GuiText& guiText) const;
    // Builds a toolbar from the rows with a toolbar place, in that order.
    CommandBar* buildToolBar(CommandBars* bars, const QString& name, const GuiText& guiText) const;
    // Gives every menu item with a shortcut in its row that shortcut, and
    // every toolbar button without a menu item its row's shortcut.
    void applyShortcuts(CommandBars* bars) const;

    // Runs after buildMenus, for subsystems that add entries of their own
    // (dynamic rows).
    void addMenuExtender(std::function<void(CommandBars* bars)> extender);

    static QString captionText(const CommandCaption& caption, const GuiText& guiText);
    // The pictures of the rows that name one, by identifier.
    QMap<int, QIcon> icons() const;

private:
    QList<CommandRow> rows_;
    QMap<int, Handler> handlers_;
    struct DynamicHandler {
        std::function<bool(int id)> owns;
        Handler handler;
    };
    QList<DynamicHandler> dynamicHandlers_;
    QList<std::function<void(CommandBars*)>> menuExtenders_;
};
