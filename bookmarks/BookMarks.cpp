#include "BookMarks.h"

BookMarks::BookMarks(BookMarkStore::SuraTreeText suraTreeText, Settings& settings)
    : store_(std::move(suraTreeText), settings) {}

int BookMarks::AddBookMark(const QString& strmark) {
    const int number = store_.AddBookMark(strmark);
    if (number != 0)
        menu_.addEntry(number, store_.nameFor(strmark));
    return number;
}

bool BookMarks::RemoveBookMark(int number, const std::optional<QString>& expectedName) {
    if (!store_.RemoveBookMark(number, expectedName))
        return false;
    // A popup that left bookmarks out takes the next one in.
    if (menu_.isFull())
        menu_.rebuild(store_);
    else
        menu_.removeEntry(number);
    return true;
}
