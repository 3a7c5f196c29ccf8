#pragma once

#include "StoredCharacters.h"

#include <QList>
#include <QString>
#include <QStringView>

// Text reduced to what a search compares, read from text as the libraries
// store it (character references) or plain Unicode.  An instance also keeps,
// for every folded code unit, the part of the stored text it came from, so
// that a match can be shown in the text as stored.
//
// The simple folding is a letter rule: a callable char32_t(char32_t)
// returning the letter a character compares as, or kLeftOut; every run of
// white space is one space.  A folding that needs to see more than one
// character at a time is a walk instead: a callable walk(text, sink) that
// reads the characters of `text` (StoredCharacters) and tells the sink, in
// text order,
//   sink.keep(unit, character)  a folded code unit made from `character`,
//   sink.leftOut(character)     a character that adds nothing (it belongs to
//                               the unit kept before it),
//   sink.replaceLast(unit)      the last unit kept reads as `unit` after all.
// A walk writes at most two units for every code unit of the text.
class FoldedText {
public:
    // A part of the stored text, [start, end).
    struct Span {
        qsizetype start = 0;
        qsizetype end = 0;
    };

    // Where a keyword was found in the folded text; `at` is -1 for nowhere.
    struct Match {
        qsizetype at = -1;
        qsizetype length = 0;
    };

    static constexpr char32_t kLeftOut = 0;

    // The folded text alone, written into `folded` (its capacity reused).
    template <typename LetterRule>
    static void fold(QStringView text, const LetterRule& rule, QString& folded);
    template <typename Walk>
    static void foldBy(QStringView text, const Walk& walk, QString& folded);

    template <typename LetterRule> FoldedText(QStringView stored, const LetterRule& rule);
    template <typename Walk> static FoldedText foldedBy(QStringView stored, const Walk& walk);

    static bool isWhiteSpace(char32_t c) {
        if (c < 0x80)
            return c == U' ' || (c >= U'\t' && c <= U'\r');
        return c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
               c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
    }

    const QString& folded() const { return folded_; }

    // The stored text of the whole words that hold every occurrence of
    // `foldedKeyword` (already folded), from the first letter of a word to
    // the last character left out after it, in text order; words that two
    // occurrences share make one span.  Only a space ends a word.
    QList<Span> wordsMatching(const QString& foldedKeyword) const;
    // The same for the matches `find` tells: find(folded, from) is the first
    // match that starts at or after `from`.
    template <typename Find> QList<Span> wordsFound(const Find& find) const;

private:
    FoldedText() = default;

    // The sink of a walk that builds an instance.
    struct Builder {
        FoldedText& text;

        void keep(char16_t unit, const StoredCharacters::Character& character) {
            text.folded_.append(QChar(unit));
            text.starts_.append(character.start);
            text.ends_.append(character.end);
        }
        // What is left out belongs to the letter before it.
        void leftOut(const StoredCharacters::Character& character) {
            if (!text.ends_.isEmpty())
                text.ends_.last() = character.end;
        }
        void replaceLast(char16_t unit) { text.folded_.back() = QChar(unit); }
    };

    // The walk of a letter rule.
    template <typename LetterRule, typename Sink>
    static void walk(QStringView text, const LetterRule& rule, Sink& sink);

    // The words that folded units [from, to) touch, in the stored text.
    Span wordsAt(qsizetype from, qsizetype to) const;

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

template <typename Walk>
void FoldedText::foldBy(QStringView text, const Walk& walk, QString& folded) {
    // Writes into a buffer twice as long as the text, what a walk may write
    // at most.
    struct TextOnly {
        char16_t* out;
        void keep(char16_t unit, const StoredCharacters::Character&) { *out++ = unit; }
        void leftOut(const StoredCharacters::Character&) {}
        void replaceLast(char16_t unit) { out[-1] = unit; }
    };
    folded.resize(2 * text.size()); // keeps the capacity
    char16_t* const start = reinterpret_cast<char16_t*>(folded.data());
    TextOnly sink{start};
    walk(text, sink);
    folded.truncate(sink.out - start);
}

template <typename LetterRule>
void FoldedText::fold(QStringView text, const LetterRule& rule, QString& folded) {
    foldBy(
        text, [&rule](QStringView all, auto& sink) { walk(all, rule, sink); }, folded);
}

template <typename LetterRule> FoldedText::FoldedText(QStringView stored, const LetterRule& rule) {
    Builder builder{*this};
    walk(stored, rule, builder);
}

template <typename Walk> FoldedText FoldedText::foldedBy(QStringView stored, const Walk& walk) {
    FoldedText text;
    Builder builder{text};
    walk(stored, builder);
    return text;
}

template <typename Find> QList<FoldedText::Span> FoldedText::wordsFound(const Find& find) const {
    QList<Span> spans;
    for (Match match = find(QStringView(folded_), 0); match.at >= 0 && match.length > 0;
         match = find(QStringView(folded_), match.at + match.length)) {
        const Span words = wordsAt(match.at, match.at + match.length);
        if (!spans.isEmpty() && words.start <= spans.last().end)
            spans.last().end = qMax(spans.last().end, words.end);
        else
            spans.append(words);
    }
    return spans;
}
