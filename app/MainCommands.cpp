#include "MainCommands.h"

#include "CommandBars.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "GuiStrings.h"

void addMainCommandRows(CommandTable& table) {
    using namespace CommandId;
    using C = CommandCaption;
    const auto add = [&table](const CommandRow& row) { table.addRow(row); };

    add(CommandRow::popup(FilePopup, C::gui(201), 1));
    add(CommandRow::item(FilePopup, 1, ImportFavorites, C::text(GuiStrings::importFavorites())));
    add(CommandRow::item(FilePopup, 2, ExportFavorites, C::text(GuiStrings::exportFavorites())));
    CommandRow print =
        CommandRow::item(FilePopup, 3, Print, C::gui(202), true, QKeySequence::Print);
    add(print.onToolbar(8, C::text(QStringLiteral("&Print"))));
    add(CommandRow::item(FilePopup, 4, Exit, C::gui(203), false,
                         QKeySequence(Qt::CTRL | Qt::Key_Q)));

    add(CommandRow::popup(SearchPopup, C::gui(204), 2));
    CommandRow search =
        CommandRow::item(SearchPopup, 1, Search, C::gui(205), false, QKeySequence::Find);
    add(search.onToolbar(4, C::text(QStringLiteral("&Search")), true));

    add(CommandRow::popup(InformationPopup, C::gui(206), 3));
    CommandRow information =
        CommandRow::item(InformationPopup, 1, Information, C::text(GuiStrings::information()));
    add(information.onToolbar(5, {}));

    add(CommandRow::popup(BookmarksPopup, C::text(GuiStrings::bookmarks()), 4));
    add(CommandRow::item(BookmarksPopup, 1, AddBookmark, C::gui(210)));
    add(CommandRow::item(BookmarksPopup, 2, DeleteBookmark, C::gui(211)));

    // The popup "Go" shares its identifier with its last item, Settings.
    add(CommandRow::popup(Settings, C::gui(212), 5));
    CommandRow home = CommandRow::item(Settings, 1, StartPage, C::gui(213), false,
                                       QKeySequence(Qt::ALT | Qt::Key_Home));
    add(home.onToolbar(1, C::text(QStringLiteral("&Home")), true, 3));
    CommandRow back = CommandRow::item(Settings, 2, PreviousEntry, C::gui(214), false,
                                       QKeySequence(Qt::ALT | Qt::Key_Left));
    add(back.onToolbar(2, C::text(QStringLiteral("&Back"))));
    CommandRow forward = CommandRow::item(Settings, 3, NextEntry, C::gui(215), false,
                                          QKeySequence(Qt::ALT | Qt::Key_Right));
    add(forward.onToolbar(3, C::text(QStringLiteral("&Forward"))));
    CommandRow goTo = CommandRow::item(Settings, 4, GoToVerse, C::gui(216));
    add(goTo.onToolbar(6, {}));
    CommandRow settings = CommandRow::item(Settings, 5, Settings, C::gui(217));
    add(settings.onToolbar(7, {}));

    // The toggles have no menu items: their shortcuts reach them from the keyboard.
    add(CommandRow::toggleButton(9, ToggleLibrary1, QStringLiteral("-A-"), true,
                                 QKeySequence(Qt::CTRL | Qt::Key_1)));
    add(CommandRow::toggleButton(10, ToggleLibrary2, QStringLiteral("-T-"), false,
                                 QKeySequence(Qt::CTRL | Qt::Key_2)));
    add(CommandRow::toggleButton(11, ToggleLibrary3, QStringLiteral("-\u00fb-"), false,
                                 QKeySequence(Qt::CTRL | Qt::Key_3)));

    add(CommandRow::popup(HelpPopup, C::gui(218), 6));
    CommandRow help =
        CommandRow::item(HelpPopup, 1, Help, C::gui(219), false, QKeySequence::HelpContents);
    add(help.onToolbar(12, {}, true));
    CommandRow about = CommandRow::item(HelpPopup, 2, About, C::gui(220));
    add(about.onToolbar(13, {}));
}
