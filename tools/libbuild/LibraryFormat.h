#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// The plain-text side of a text library: reading the tab-separated sources
// and writing resources in the library's text layout.
namespace LibraryFormat {

// Verse texts of one library: sura number -> verses in order.
using VerseMap = QMap<int, QStringList>;

struct ParseError {
    QString message;
};

// A verse file as read: the verses and its '#' comment lines (without the
// '#'), which name the translator and the terms of the text.  Notes are a
// page or two; past kMaxCommentLines lines or kMaxCommentChars characters
// the rest is counted, not kept, so that a file of a million comment lines
// costs no more to show than a real one.
inline constexpr qsizetype kMaxCommentLines = 1000;
inline constexpr qsizetype kMaxCommentChars = 64 * 1024;
struct VerseFile {
    VerseMap verses;
    QStringList comments;
};

// Verse files: UTF-8 lines `sura<TAB>verse<TAB>text` or `sura|verse|text`
// (the common exchange layout); '#' lines are comments, blank lines are
// skipped.  Suras and verses run in order from 1 without gaps or repeats.
// With `verseCounts` (the verse count of sura n at n - 1) every verse of all
// 114 suras must be there, no more; without, any leading run of suras will
// do.  The error tells the line and what is wrong with it.
std::optional<VerseFile> parseVerseFile(const QByteArray& bytes, const QList<int>& verseCounts = {},
                                        ParseError* error = nullptr);
std::optional<VerseMap> readVerseFile(const QString& path, ParseError* error = nullptr);
// `sura<TAB>text` lines: extra elements put before verse 1, in file order.
std::optional<QMap<int, QStringList>> readLeadFile(const QString& path,
                                                   ParseError* error = nullptr);
// `id<TAB>text` lines.
std::optional<QMap<int, QString>> readStringsFile(const QString& path, ParseError* error = nullptr);

// Plain text as 7-bit ASCII markup: &, < and > escaped, every other
// non-ASCII character as a decimal character reference, and a "//" written
// so that it cannot be taken for a verse separator.
QByteArray toAsciiMarkup(const QString& plainText);
// The inverse of toAsciiMarkup for the references it writes.
QString fromAsciiMarkup(const QString& markup);

// A verse resource: every element followed by " // " and CR LF, then three
// zero bytes as the remainder after the last separator.
QByteArray verseResource(const QStringList& plainElements);

} // namespace LibraryFormat
