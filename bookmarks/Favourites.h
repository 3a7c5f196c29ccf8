#pragma once

#include "FavouritesFile.h"

#include <QString>

#include <optional>

class Settings;

// Moves the whole set of stored bookmarks to and from a favourites file.
// Failures come back with a reason a reader can be told.
class Favourites {
public:
    explicit Favourites(Settings& settings);

    // Writes the stored bookmarks to the file.  The file is written under a
    // temporary name and takes the place of an existing one only when it is
    // complete, so a failed export leaves the old file as it was; a pipe, a
    // device or a folder of that name is refused.
    bool exportTo(const QString& fileName, QString* why = nullptr) const;

    // The bookmarks of a favourites file: only a regular file (a pipe, a
    // device or a folder is refused without waiting on it) that is valid as
    // a whole.  Nothing, and `why` says why, otherwise.
    static std::optional<BookmarkSet> readFile(const QString& fileName, QString* why = nullptr);

    // The sound stored bookmarks, as an export writes them.
    std::optional<BookmarkSet> stored() const;

    // What replaceWith() replaced: how many bookmarks, and the file they
    // were kept in (empty when there were none).
    struct Replaced {
        int count = 0;
        QString keptIn;
    };
    // Replaces every stored bookmark by `bookmarks` in one step.  The
    // bookmarks it replaces are first written to a favourites file beside
    // the settings file, so that they can be imported again; when that
    // fails, nothing is replaced.
    std::optional<Replaced> replaceWith(const BookmarkSet& bookmarks, QString* why = nullptr) const;

    // readFile() and replaceWith() in one.  True when the bookmarks were
    // replaced.
    bool importFrom(const QString& fileName, QString* why = nullptr) const;

private:
    QString keepingFileName() const;

    Settings& settings_;
};
