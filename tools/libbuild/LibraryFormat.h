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

// `sura<TAB>verse<TAB>text` lines; '#' lines are comments.  Suras and verses
// must run in order without gaps.
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
