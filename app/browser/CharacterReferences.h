#pragma once

#include <QString>

// The text libraries write every Arabic letter and most Latin ones with a
// diacritic as a numeric character reference ("&#1575;"), which makes a
// sura's markup twice as long as its text and costs the engine as much
// again to read.  Markup sent to a page goes with those references in text
// written as the characters they stand for: the page the engine builds from
// it is the same.
namespace CharacterReferences {

// `markup` with every numeric reference ("&#1575;", "&#x627;") in text
// between tags written as its character.  Left as written: references to
// characters below U+00A0 (markup characters, and those the parser maps to
// others), to surrogates, non-characters and beyond U+10FFFF, references
// without their ";", and everything in tags, comments, character data
// sections and elements whose text the parser takes literally (script,
// style and the like), where the parser does not read references.
QString expandedInText(const QString& markup);

} // namespace CharacterReferences
