#include "MainCommands.h"

#include "CommandBars.h"
#include "CommandIds.h"
#include "CommandTable.h"

void addMainCommandRows(CommandTable& table) {
    using namespace CommandId;
    using C = CommandCaption;
    const auto add = [&table](const CommandRow& row) { table.addRow(row); };

    // The subsystems put their items into File (favourites at 1 and 2) and
    // Go (go to a verse at 4, settings at 5), and their popups between File
    // and Go (search 2, information 3, bookmarks 4).
    add(CommandRow::popup(FilePopup, C::gui(201), 1));
    CommandRow print =
        CommandRow::item(FilePopup, 3, Print, C::gui(202), true, QKeySequence::Print);
    add(print.onToolbar(8, C::text(QStringLiteral("&Print")))
            .withIcon(QStringLiteral("document-print")));
    add(CommandRow::item(FilePopup, 4, Exit, C::gui(203), false,
                         QKeySequence(Qt::CTRL | Qt::Key_Q)));

    add(CommandRow::popup(GoPopup, C::gui(212), 5));
    CommandRow home = CommandRow::item(GoPopup, 1, StartPage, C::gui(213), false,
                                       QKeySequence(Qt::ALT | Qt::Key_Home));
    add(home.onToolbar(1, C::text(QStringLiteral("&Home")), true, 3)
            .withIcon(QStringLiteral("go-home")));
    CommandRow back = CommandRow::item(GoPopup, 2, PreviousEntry, C::gui(214), false,
                                       QKeySequence(Qt::ALT | Qt::Key_Left));
    add(back.onToolbar(2, C::text(QStringLiteral("&Back")))
            .withIcon(QStringLiteral("go-previous")));
    CommandRow forward = CommandRow::item(GoPopup, 3, NextEntry, C::gui(215), false,
                                          QKeySequence(Qt::ALT | Qt::Key_Right));
    add(forward.onToolbar(3, C::text(QStringLiteral("&Forward")))
            .withIcon(QStringLiteral("go-next")));

    // The library toggles stand on the toolbar and, with their shortcuts and
    // the libraries' captions, in View after the chapter information.
    add(CommandRow::toggleButton(9, ToggleLibrary1, QStringLiteral("-A-"), true));
    add(CommandRow::toggleButton(10, ToggleLibrary2, QStringLiteral("-T-")));
    add(CommandRow::toggleButton(11, ToggleLibrary3, QStringLiteral("-\u00fb-")));
    const int toggles[] = {ToggleLibrary1, ToggleLibrary2, ToggleLibrary3};
    for (int code = 1; code <= 3; ++code) {
        CommandRow toggle =
            CommandRow::item(ViewPopup, 1 + code, toggles[code - 1], C::gui(222 + code), code == 1,
                             QKeySequence(Qt::CTRL | (Qt::Key_0 + code)));
        add(toggle.asToggle());
    }

    add(CommandRow::popup(HelpPopup, C::gui(218), 6));
    CommandRow help =
        CommandRow::item(HelpPopup, 1, Help, C::gui(219), false, QKeySequence::HelpContents);
    add(help.onToolbar(12, {}, true).withIcon(QStringLiteral("help-contents")));
    CommandRow about = CommandRow::item(HelpPopup, 2, About, C::gui(220));
    add(about.onToolbar(13, {}));
}
