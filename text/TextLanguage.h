#pragma once

#include <QString>

// The language of a library's text, where the library says it: a BCP 47
// tag ("fr", "ur", "zh-Hans") kept as its LANGUAGE.TXT.  The page sets it
// on the paragraphs, so that the browser picks the language's forms and a
// screen reader its voice, and sets right to left what is written so.
namespace TextLanguage {

inline const QString kResourceName = QStringLiteral("LANGUAGE.TXT");

// A well-formed tag: a language of two or three letters, then subtags of
// letters and digits after "-".
bool isTag(const QString& text);
// The tag for what a verse file's "Language:" line says: a tag as it is,
// or a language's English name ("French", "Urdu"); empty when unknown.
QString fromName(const QString& name);
// A guess from the characters of `sample` (a few verses): the script, and
// in Arabic and Latin script the letters only some languages use; empty
// when nothing tells.
QString guessFrom(QStringView sample);
// Whether text in the language `tag` runs right to left.
bool isRightToLeft(const QString& tag);

} // namespace TextLanguage
