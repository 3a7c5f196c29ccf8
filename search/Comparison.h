#pragma once

// How a search compares the keyword with the verses of a library.
enum class Comparison {
    // The stored text as it is, markup and character references included,
    // in upper case (the translation).
    StoredText,
    // Arabic letters only: the character references read, vowel and
    // recitation marks left out and the letter variants folded on both
    // sides (the Arabic text).
    ArabicLetters,
    // Latin letters only: the character references read, diacritics, the
    // signs for ʿayn and hamza and case left out (the transliteration).
    TransliterationLetters,
};
