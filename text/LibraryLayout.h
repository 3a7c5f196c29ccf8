#pragma once

#include <QString>

// Where a text library keeps its texts.  Every library, the program's own
// included, has this layout; the library builder writes it and the reader
// reads it.
//   CUSTOM/<id>       numbered text resource, raw bytes
//   HTML/<NAME>       named HTML resource (names matched without regard to case)
//   STRINGTABLE/<id>  string-table entry, UTF-8 text
namespace LibraryLayout {

inline constexpr int kSuraCount = 114;
// Verse texts: 100 + the sura number (101..214).
inline constexpr int kVerseTextBase = 100;
// Chapter information: 214 + the sura number (215..328).
inline constexpr int kChapterInfoBase = 214;
// The general introduction and the list of English sura names.
inline constexpr int kIntroduction = 329;
inline constexpr int kNameList = 330;
// The basmala printed above each sura, split at "//" like a verse text:
// element n - 1 for sura n, empty where none is printed (suras 1 and 9).
inline constexpr int kBasmalaList = 331;

inline constexpr int verseTextId(int sura) {
    return kVerseTextBase + sura;
}
inline constexpr int chapterInfoId(int sura) {
    return kChapterInfoBase + sura;
}
// The sura a verse-text id names; 0 outside 101..214.
inline constexpr int suraOfVerseTextId(int id) {
    const int sura = id - kVerseTextBase;
    return sura >= 1 && sura <= kSuraCount ? sura : 0;
}

inline QString customPath(int id) {
    return QStringLiteral("CUSTOM/%1").arg(id);
}
inline QString htmlFolder() {
    return QStringLiteral("HTML");
}
inline QString htmlPath(const QString& name) {
    return htmlFolder() + QLatin1Char('/') + name;
}
inline QString stringTablePath(int id) {
    return QStringLiteral("STRINGTABLE/%1").arg(id);
}

} // namespace LibraryLayout
