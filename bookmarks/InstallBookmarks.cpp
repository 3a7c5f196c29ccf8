#include "InstallBookmarks.h"

#include "AppContext.h"
#include "BookmarkCommands.h"
#include "CommandBars.h"
#include "CommandIds.h"
#include "SubsystemHost.h"

void installBookmarks(SubsystemHost& host) {
    using namespace CommandId;
    CommandTable& commands = host.context.commands();
    QPointer<BookmarkCommands> bookmarks =
        new BookmarkCommands(host.context, host.reader, host.mainWindow);

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
    commands.setBookmarkEntryHandler([bookmarks](CommandBarControl* control) {
        if (bookmarks && control)
            bookmarks->goToEntry(control->Caption());
    });
    commands.addMenuExtender([bookmarks](CommandBars* bars) {
        if (!bookmarks)
            return;
        bookmarks->attachMenu(bars);
    });
}
