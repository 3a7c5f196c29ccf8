#pragma once

#include <QString>

// The bookmarks' commands.  The stored bookmarks join the Bookmarks popup as
// entries of their own, with the identifier "210" followed by the bookmark
// number.
namespace BookmarkCommandId {
enum : int {
    BookmarksPopup = 209,
    AddBookmark = 210,
    DeleteBookmark = 211,
    GoToVerse = 225,
    ImportFavorites = 249,
    ExportFavorites = 250,
    // The last entry of a Bookmarks popup too long for the screen.
    MoreBookmarks = 251,
};

// Whether an identifier is that of a bookmark entry: its decimal text begins
// with "210" and is longer than three characters.
inline bool isEntry(int id) {
    const QString digits = QString::number(id);
    return digits.startsWith(QLatin1String("210")) && digits.size() > 3;
}
} // namespace BookmarkCommandId
