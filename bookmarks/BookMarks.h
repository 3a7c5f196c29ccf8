#pragma once

#include "BookmarkMenu.h"
#include "BookMarkStore.h"

// The bookmarks of a run: the store and the menu entries kept in step, so
// that adding or removing a bookmark shows in the Bookmarks menu at once.
class BookMarks {
public:
    BookMarks(BookMarkStore::SuraTreeText suraTreeText, Settings& settings);

    BookMarkStore& store() { return store_; }
    const BookMarkStore& store() const { return store_; }
    BookmarkMenu& menu() { return menu_; }

    // Stores a bookmark for the mark and appends its menu entry; its number,
    // or 0 when nothing was stored.
    int AddBookMark(const QString& strmark);
    // Removes the stored bookmark (only while it still has `expectedName`,
    // when given) and its menu entry; whether it was removed.
    bool RemoveBookMark(int number, const std::optional<QString>& expectedName = std::nullopt);

private:
    BookMarkStore store_;
    BookmarkMenu menu_;
};
