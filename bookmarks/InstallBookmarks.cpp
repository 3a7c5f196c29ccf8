#include "InstallBookmarks.h"

#include "AppContext.h"
#include "BookmarkCommands.h"
#include "CommandBars.h"
#include "SubsystemHost.h"

namespace {

enum Command : int {
    AddBookmark = 210,
    DeleteBookmark = 211,
    GoToVerse = 225,
    ImportFavourites = 249,
    ExportFavourites = 250,
};

} // namespace

void installBookmarks(SubsystemHost& host) {
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
    commands.setHandler(ImportFavourites, [bookmarks](CommandBarControl*) {
        if (bookmarks)
            bookmarks->importFavourites();
    });
    commands.setHandler(ExportFavourites, [bookmarks](CommandBarControl*) {
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
        bookmarks->bookmarks().menu().attach(bars);
        bookmarks->bookmarks().menu().EnumBookMarks(bookmarks->bookmarks().store());
    });
}
