#include "InstallBookmarks.h"

#include "AppContext.h"
#include "BookmarkCommandIds.h"
#include "BookmarkCommands.h"
#include "CommandBars.h"
#include "CommandIds.h"
#include "GuiStrings.h"
#include "ReadingView.h"
#include "SubsystemHost.h"

namespace {

// The Bookmarks popup, the favourites in File and go-to in Go.
void addBookmarkRows(CommandTable& table) {
    using namespace BookmarkCommandId;
    using C = CommandCaption;
    const auto add = [&table](const CommandRow& row) { table.addRow(row); };
    add(CommandRow::item(CommandId::FilePopup, 1, ImportFavorites,
                         C::text(GuiStrings::importFavorites())));
    add(CommandRow::item(CommandId::FilePopup, 2, ExportFavorites,
                         C::text(GuiStrings::exportFavorites())));
    add(CommandRow::popup(BookmarksPopup, C::text(GuiStrings::bookmarks()), 4));
    add(CommandRow::item(BookmarksPopup, 1, AddBookmark, C::gui(210)));
    add(CommandRow::item(BookmarksPopup, 2, DeleteBookmark, C::gui(211)));
    CommandRow goTo = CommandRow::item(CommandId::GoPopup, 4, GoToVerse, C::gui(216));
    add(goTo.onToolbar(6, {}).withIcon(QStringLiteral("go-jump")));
}

} // namespace

void installBookmarks(SubsystemHost& host) {
    using namespace BookmarkCommandId;
    CommandTable& commands = host.context.commands();
    addBookmarkRows(commands);
    QPointer<BookmarkCommands> bookmarks =
        new BookmarkCommands(host.context, host.reader, host.mainWindow);
    const QPointer<ReadingView> view = &host.view;
    bookmarks->currentVerse = [view] {
        return view ? view->currentVerse() : std::optional<VersePlace>();
    };

    const auto showDialog = [bookmarks](qint16 mode) {
        return [bookmarks, mode](CommandBarControl*) {
            if (bookmarks)
                bookmarks->showDialog(mode);
        };
    };
    commands.setHandler(AddBookmark, showDialog(1));
    commands.setHandler(DeleteBookmark, showDialog(2));
    commands.setHandler(GoToVerse, showDialog(3));
    commands.setHandler(MoreBookmarks, showDialog(4));
    commands.setHandler(ImportFavorites, [bookmarks](CommandBarControl*) {
        if (bookmarks)
            bookmarks->importFavourites();
    });
    commands.setHandler(ExportFavorites, [bookmarks](CommandBarControl*) {
        if (bookmarks)
            bookmarks->exportFavourites();
    });
    // The stored bookmarks are rows of their own, made from the store.
    commands.setDynamicHandler(&isEntry, [bookmarks](CommandBarControl* control) {
        if (bookmarks && control)
            bookmarks->goToEntry(control->Caption());
    });
    commands.addMenuExtender([bookmarks](CommandBars* bars) {
        if (!bookmarks)
            return;
        bookmarks->attachMenu(bars);
    });
}
