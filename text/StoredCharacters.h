#pragma once

#include <QString>
#include <QStringView>

// Walks text as the libraries store it, 7-bit ASCII with every other
// character written as a decimal character reference ("&#1576;") and &, <
// and > as "&amp;", "&lt;" and "&gt;", one character at a time, telling
// where in the stored text each one stands.  Plain Unicode text (a typed
// keyword) walks the same way, a surrogate pair giving one character.  An
// ampersand that starts no reference is a character of its own.
class StoredCharacters {
public:
    struct Character {
        char32_t codePoint = 0;
        qsizetype start = 0; // in the stored text
        qsizetype end = 0;   // one past its last code unit
    };

    explicit StoredCharacters(QStringView stored) : stored_(stored) {}

    // The next character; false at the end of the text.
    bool next(Character& character);

private:
    // The reference starting at `at` (an '&'), or nothing.
    bool readReference(qsizetype at, Character& character) const;

    QStringView stored_;
    qsizetype position_ = 0;
};
