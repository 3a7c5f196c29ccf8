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

    // The next character; false at the end of the text.  Inline: a search
    // walks every character of the Arabic text.
    bool next(Character& character) {
        if (position_ >= stored_.size())
            return false;
        const char16_t unit = stored_[position_].unicode();
        if (unit != u'&' && !QChar::isSurrogate(unit)) {
            character = {unit, position_, position_ + 1};
            ++position_;
            return true;
        }
        return nextSpecial(character);
    }

private:
    // A reference, a surrogate pair, or a lone '&' or surrogate.
    bool nextSpecial(Character& character);
    // The reference starting at `at` (an '&'), or nothing.
    bool readReference(qsizetype at, Character& character) const;

    QStringView stored_;
    qsizetype position_ = 0;
};
