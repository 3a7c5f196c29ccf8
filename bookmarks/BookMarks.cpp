#include "BookMarks.h"

BookMarks::BookMarks(BookMarkStore::SuraTreeText suraTreeText, QString application)
    : store_(std::move(suraTreeText), std::move(application)) {}

int BookMarks::AddBookMark(const QString& strmark) {
    const int number = store_.AddBookMark(strmark);
    if (number != 0)
        menu_.addEntry(number, store_.name(number));
    return number;
}

void BookMarks::RemoveBookMark(int number) {
    store_.RemoveBookMark(number);
    menu_.removeEntry(number);
}
