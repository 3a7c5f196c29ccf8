#pragma once

#include <QString>

#include <optional>

// The key of a bookmark: sura and verse, written "2:255" (a mark), and shown
// under a verse as its label "2 : 255".
struct VerseMark {
    int sura = 0;
    int verse = 0;

    QString text() const;  // "2:255"
    QString label() const; // "2 : 255"

    // Reads a mark; nothing unless it is decimal sura ":" verse with the
    // sura in 1..114 and the verse from 1.
    static std::optional<VerseMark> fromText(const QString& mark);
    // The mark a bookmark's caption or "Name" begins with: the text before
    // its first space.
    static std::optional<VerseMark> fromCaption(const QString& caption);
    // The text before the first space of a caption (the whole when none).
    static QString markOf(const QString& caption);
};
