#pragma once

#include <QString>

// Moves the whole set of stored bookmarks to and from a favourites file.
class Favourites {
public:
    explicit Favourites(QString application = QStringLiteral("Miravel"));

    // Writes the stored bookmarks to the file.  The file is written under a
    // temporary name and takes the place of an existing one only when it is
    // complete, so a failed export leaves the old file as it was.
    bool exportTo(const QString& fileName) const;

    // Replaces every stored bookmark by those of the file, in one step, when
    // the whole file is valid; otherwise leaves the store untouched.  True
    // when the bookmarks were replaced.
    bool importFrom(const QString& fileName) const;

private:
    QString application_;
};
