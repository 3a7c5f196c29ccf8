#pragma once

#include "StoredCharacters.h"

#include <QList>
#include <QString>
#include <QStringView>

// Text reduced to what a search compares, read from text as the libraries
// store it (character references) or plain Unicode: a letter rule tells what
// each character compares as, or that it is left out; every run of white
// space is one space.  An instance also keeps, for every folded code unit,
// the part of the stored text it came from, so that a match can be shown in
// the text as stored.
//
// A letter rule is a callable char32_t(char32_t) returning the letter a
// character compares as, or kLeftOut.
class FoldedText {
public:
    // A part of the stored text, [start, end).
    struct Span {
        qsizetype start = 0;
        qsizetype end = 0;
    };

    static constexpr char32_t kLeftOut = 0;

    // The folded text alone, written into `folded` (its capacity reused).
    template <typename LetterRule>
    static void fold(QStringView text, const LetterRule& rule, QString& folded);

    template <typename LetterRule> FoldedText(QStringView stored, const LetterRule& rule);

    const QString& folded() const { return folded_; }

    // The stored text of the whole words that hold every occurrence of
    // `foldedKeyword` (already folded), from the first letter of a word to
    // the last character left out after it, in text order; words that two
    // occurrences share make one span.
    QList<Span> wordsMatching(const QString& foldedKeyword) const;

private:
    // Walks `text` and tells `sink` what the folded text is made of:
    // keep(unit, character) for each folded code unit, leftOut(character)
    // for a character that adds nothing (left out by the rule, or white
    // space after white space).
    template <typename LetterRule, typename Sink>
    static void walk(QStringView text, const LetterRule& rule, Sink& sink);

    static bool isWhiteSpace(char32_t c) {
        if (c < 0x80)
            return c == U' ' || (c >= U'\t' && c <= U'\r');
        return c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
               c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
    }

    // The words that folded units [from, to) touch, in the stored text.
    Span wordsAt(qsizetype from, qsizetype to) const;

    void keep(char16_t unit, const StoredCharacters::Character& character) {
        folded_.append(QChar(unit));
        starts_.append(character.start);
        ends_.append(character.end);
    }
    // What is left out belongs to the letter before it.
    void leftOut(const StoredCharacters::Character& character) {
        if (!ends_.isEmpty())
            ends_.last() = character.end;
    }

    QString folded_;
    QList<qsizetype> starts_; // where folded unit i starts in the stored text
    QList<qsizetype> ends_;   // where it ends, what is left out after it included
};

template <typename LetterRule, typename Sink>
void FoldedText::walk(QStringView text, const LetterRule& rule, Sink& sink) {
    StoredCharacters characters(text);
    StoredCharacters::Character character;
    bool afterSpace = false;
    while (characters.next(character)) {
        if (isWhiteSpace(character.codePoint)) {
            if (afterSpace)
                sink.leftOut(character);
            else
                sink.keep(u' ', character);
            afterSpace = true;
            continue;
        }
        const char32_t letter = rule(character.codePoint);
        if (letter == kLeftOut) {
            sink.leftOut(character);
            continue;
        }
        afterSpace = false;
        if (QChar::requiresSurrogates(letter)) {
            sink.keep(QChar::highSurrogate(letter), character);
            sink.keep(QChar::lowSurrogate(letter), character);
        } else {
            sink.keep(char16_t(letter), character);
        }
    }
}

template <typename LetterRule>
void FoldedText::fold(QStringView text, const LetterRule& rule, QString& folded) {
    // Writes into a buffer as long as the text: no text folds to more code
    // units than it has.
    struct TextOnly {
        char16_t* out;
        void keep(char16_t unit, const StoredCharacters::Character&) { *out++ = unit; }
        void leftOut(const StoredCharacters::Character&) {}
    };
    folded.resize(text.size()); // keeps the capacity
    char16_t* const start = reinterpret_cast<char16_t*>(folded.data());
    TextOnly sink{start};
    walk(text, rule, sink);
    folded.truncate(sink.out - start);
}

template <typename LetterRule> FoldedText::FoldedText(QStringView stored, const LetterRule& rule) {
    walk(stored, rule, *this);
}
