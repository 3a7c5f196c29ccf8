#include "MainCommands.h"

#include "CommandBars.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "GuiStrings.h"

namespace {

CommandRow popup(int id, CommandCaption caption, int order) {
    CommandRow row;
    row.id = id;
    row.kind = ControlKind::Popup;
    row.caption = std::move(caption);
    row.menuParent = 0;
    row.menuOrder = order;
    return row;
}

CommandRow item(int parent, int order, int id, CommandCaption caption, bool group = false,
                QKeySequence shortcut = {}) {
    CommandRow row;
    row.id = id;
    row.caption = std::move(caption);
    row.menuParent = parent;
    row.menuOrder = order;
    row.menuGroup = group;
    row.shortcut = std::move(shortcut);
    return row;
}

CommandRow& onToolbar(CommandRow& row, int order, CommandCaption caption, bool group = false,
                      int style = 0) {
    row.toolbarOrder = order;
    row.toolbarCaption = std::move(caption);
    row.toolbarGroup = group;
    row.toolbarStyle = style;
    return row;
}

CommandRow button(int order, int id, const QString& caption, bool group = false) {
    CommandRow row;
    row.id = id;
    row.caption = CommandCaption::text(caption);
    onToolbar(row, order, {}, group);
    return row;
}

} // namespace

void addMainCommandRows(CommandTable& table) {
    using namespace CommandId;
    using C = CommandCaption;
    const auto add = [&table](const CommandRow& row) { table.addRow(row); };

    add(popup(FilePopup, C::gui(201), 1));
    add(item(FilePopup, 1, ImportFavorites, C::text(GuiStrings::importFavorites())));
    add(item(FilePopup, 2, ExportFavorites, C::text(GuiStrings::exportFavorites())));
    CommandRow print = item(FilePopup, 3, Print, C::gui(202), true, QKeySequence::Print);
    add(onToolbar(print, 8, C::text(QStringLiteral("&Print"))));
    add(item(FilePopup, 4, Exit, C::gui(203), false, QKeySequence(Qt::CTRL | Qt::Key_Q)));

    add(popup(SearchPopup, C::gui(204), 2));
    CommandRow search = item(SearchPopup, 1, Search, C::gui(205), false, QKeySequence::Find);
    add(onToolbar(search, 4, C::text(QStringLiteral("&Search")), true));

    add(popup(InformationPopup, C::gui(206), 3));
    CommandRow information =
        item(InformationPopup, 1, Information, C::text(GuiStrings::information()));
    add(onToolbar(information, 5, {}));

    add(popup(BookmarksPopup, C::text(GuiStrings::bookmarks()), 4));
    add(item(BookmarksPopup, 1, AddBookmark, C::gui(210)));
    add(item(BookmarksPopup, 2, DeleteBookmark, C::gui(211)));

    // The popup "Go" shares its identifier with its last item, Settings.
    add(popup(Settings, C::gui(212), 5));
    CommandRow home =
        item(Settings, 1, StartPage, C::gui(213), false, QKeySequence(Qt::ALT | Qt::Key_Home));
    add(onToolbar(home, 1, C::text(QStringLiteral("&Home")), true, 3));
    CommandRow back =
        item(Settings, 2, PreviousEntry, C::gui(214), false, QKeySequence(Qt::ALT | Qt::Key_Left));
    add(onToolbar(back, 2, C::text(QStringLiteral("&Back"))));
    CommandRow forward =
        item(Settings, 3, NextEntry, C::gui(215), false, QKeySequence(Qt::ALT | Qt::Key_Right));
    add(onToolbar(forward, 3, C::text(QStringLiteral("&Forward"))));
    CommandRow goTo = item(Settings, 4, GoToVerse, C::gui(216));
    add(onToolbar(goTo, 6, {}));
    CommandRow settings = item(Settings, 5, Settings, C::gui(217));
    add(onToolbar(settings, 7, {}));

    add(button(9, ToggleLibrary1, QStringLiteral("-A-"), true));
    add(button(10, ToggleLibrary2, QStringLiteral("-T-")));
    add(button(11, ToggleLibrary3, QStringLiteral("-\u00fb-")));

    add(popup(HelpPopup, C::gui(218), 6));
    CommandRow help = item(HelpPopup, 1, Help, C::gui(219), false, QKeySequence::HelpContents);
    add(onToolbar(help, 12, {}, true));
    CommandRow about = item(HelpPopup, 2, About, C::gui(220));
    add(onToolbar(about, 13, {}));
}
