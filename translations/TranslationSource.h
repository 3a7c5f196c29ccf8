#pragma once

#include "LibraryFormat.h"

#include <QList>
#include <QString>

#include <variant>

// A verse file the reader chose to add as a translation, read and checked
// whole: its verses, its comment lines (the translator and the terms of the
// text) and the name they suggest for it.
struct TranslationSource {
    // Larger files are no verse-by-verse translation (those are a few MiB).
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

    LibraryFormat::VerseFile file;
    QString suggestedName;
    // The language tag its "Language:" comment line gives; empty without one.
    QString language;
    // A guess from the letters of its verses, where the file says nothing.
    QString guessedLanguage;

    // The file at `path`, or the message that tells the reader what is wrong
    // with it.  `verseCounts`: the verse count of sura n at n - 1.
    static std::variant<TranslationSource, QString> read(const QString& path,
                                                         const QList<int>& verseCounts);

    // "Language (Name)" from comment lines "Language: ..." and "Name: ..."
    // (one of them alone, else "Translator: ..."); `fallback` when none.
    static QString nameFromComments(const QStringList& comments, const QString& fallback);
    // The tag of the "Language:" comment line; empty without a known one.
    static QString languageFromComments(const QStringList& comments);
};
