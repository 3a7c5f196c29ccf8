#pragma once

#include "StoredBookmarks.h"

class Settings;

#include <QList>
#include <QString>

#include <functional>
#include <optional>

// The stored bookmarks: the list value of the bookmark key (bookmark numbers
// joined by ";", in the order they were added) and one subkey per number
// whose "Name" is the mark, two spaces and the sura's tree text.  Reached
// through the settings, which announce every change.  Every call reads the
// store afresh, the whole key at once; a change reads, decides and saves as
// one step under the store's lock, so two copies of the program never choose
// the same number or undo each other's change.
class BookMarkStore {
public:
    // The text of the sura tree's entry with key "c" + sura; nothing when the
    // tree has no such entry.
    using SuraTreeText = std::function<std::optional<QString>(int sura)>;
    using Entry = StoredBookmarks::Entry;

    BookMarkStore(SuraTreeText suraTreeText, Settings& settings);

    // Bookmark numbers have at most seven digits, so that "210" followed by
    // the number fits a signed 32-bit menu identifier.
    static constexpr int kMaxNumber = 9'999'999;

    // The lowest number whose "Name" is empty or absent (freed numbers are used
    // again); 0 when every number is taken.
    int NextBookMark() const;
    // The sura's display name for a mark ("2:255" gives sura 2's tree text).
    std::optional<QString> GetFullName(const QString& strmark) const;
    // The "Name" a new bookmark of the mark gets: the mark, two spaces and
    // the sura's display name.
    QString nameFor(const QString& strmark) const;
    // Whether a listed bookmark already has this mark.
    bool Dublicated(const QString& strmark) const;
    // Stores a new bookmark for the mark; its number, or 0 when nothing was
    // stored (the mark is bookmarked already, or the save failed).
    int AddBookMark(const QString& strmark);
    // Deletes bookmark n's subkey and takes n out of the list; with
    // `expectedName`, only while n still has that name (so a bookmark that
    // another copy or an import changed meanwhile is left alone).  Whether
    // it was deleted.
    bool RemoveBookMark(int n, const std::optional<QString>& expectedName = std::nullopt);

    // The whole key in one reading; nothing when the store cannot be read.
    std::optional<StoredBookmarks> read() const;
    // The whole list, but the names of its first `count` elements only: as
    // much as a menu shows, however many bookmarks are stored.
    std::optional<StoredBookmarks> readFirst(int count) const;
    // The listed bookmarks in list order, from one reading.
    QList<Entry> entries() const;
    // The list value split at ";" (elements as stored).
    QStringList listed() const;
    QString list() const;
    QString name(const QString& number) const;
    QString name(int number) const { return name(QString::number(number)); }
    // Changes whenever the user's settings file is saved (by any copy of the
    // program); empty when there is no file.
    QString stamp() const;

    // "210" followed by the number; 0 when that is no valid identifier.
    static int menuId(int number);
    // The list with the first element equal to n (as a number) taken out.
    static QString listWithout(const QString& list, int n);

private:
    StoredBookmarks readOrEmpty() const;

    SuraTreeText suraTreeText_;
    Settings& settings_;
};
