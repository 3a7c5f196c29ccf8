#pragma once

#include "RegistryStore.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>

// A set of bookmarks as it moves between computers: the numbers in list
// order and the "Name" of each.
struct BookmarkSet {
    QList<int> order;
    QMap<int, QString> names;

    bool operator==(const BookmarkSet&) const = default;
};

// The favourites file: UTF-8 text in the layout of the bookmark key,
//
//     Miravel favourites 1
//     [BookMarks]
//     BookMarks=2;1
//     [BookMarks\2]
//     Name=2:255  002- The Cow
//
// Values are taken from the first "=" to the end of the line; "\\", "\n" and
// "\r" in a value stand for a backslash and the two line breaks.  Blank
// lines and lines starting with "#" are skipped.  A file is taken only as a
// whole: see read().
namespace FavouritesFile {

// A file larger than this is refused unread.
inline constexpr qint64 kMaxFileSize = 1024 * 1024;
// The longest "Name" a file may carry.
inline constexpr int kMaxNameLength = 1000;

QByteArray write(const BookmarkSet& bookmarks);

// The bookmarks of a file, or nothing (and `why` says what was wrong) unless
// every line is valid: only the key "BookMarks" and its subkeys named by
// positive numbers of at most seven digits, the list value in the key, a
// non-empty "Name" of at most kMaxNameLength characters in each subkey, a
// list that names every subkey exactly once and nothing else (written bare or
// in double quotes), and no verse bookmarked twice.
std::optional<BookmarkSet> read(const QByteArray& content, QString* why = nullptr);

// The bookmark key as the store holds it, and back.  From the store only the
// listed bookmarks with a valid "Name" are taken (once each, and the first
// of each verse), so that what is exported can always be imported.
StoredKey toStoredKey(const BookmarkSet& bookmarks);
BookmarkSet fromStoredKey(const StoredKey& key);

// A bookmark number as a key name: 1 to 9999999, decimal, no leading zero.
std::optional<int> bookmarkNumber(const QString& text);

} // namespace FavouritesFile
