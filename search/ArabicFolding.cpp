#include "ArabicFolding.h"

#include "StoredCharacters.h"

namespace {

constexpr char16_t kAlef = 0x0627;
constexpr char16_t kYaa = 0x064A;
constexpr char16_t kHaa = 0x0647;
constexpr char16_t kKaf = 0x0643;
constexpr char32_t kLeftOut = 0;

// White space by Unicode; tested without a table look-up, as nearly every
// character of the text is an Arabic letter or mark.
bool isWhiteSpace(char32_t c) {
    if (c < 0x80)
        return c == U' ' || (c >= U'\t' && c <= U'\r');
    return c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 ||
           c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

// How the Arabic block (U+0600..U+06FF) compares: the letter each character
// reads as, or kLeftOut for the marks a reader need not type.
struct ArabicBlock {
    static constexpr char32_t kFirst = 0x0600;
    static constexpr char32_t kLast = 0x06FF;
    char16_t comparedAs[kLast - kFirst + 1] = {};

    constexpr ArabicBlock() {
        for (char32_t c = kFirst; c <= kLast; ++c)
            comparedAs[c - kFirst] = char16_t(c);
        const auto leaveOut = [this](char32_t first, char32_t last) {
            for (char32_t c = first; c <= last; ++c)
                comparedAs[c - kFirst] = char16_t(kLeftOut);
        };
        leaveOut(0x0610, 0x061A); // small high signs
        leaveOut(0x061C, 0x061C); // Arabic letter mark
        leaveOut(0x0640, 0x0640); // tatweel
        leaveOut(0x064B, 0x065F); // harakat, tanween, shadda, sukun, hamza marks
        leaveOut(0x0670, 0x0670); // superscript alef
        leaveOut(0x06D6, 0x06ED); // small high and low Qur'anic marks
        // Alef with madda, with hamza above and below, alef wasla, alef with
        // wavy hamza above and below.
        for (const char32_t alef : {0x0622, 0x0623, 0x0625, 0x0671, 0x0672, 0x0673})
            comparedAs[alef - kFirst] = kAlef;
        comparedAs[0x0649 - kFirst] = kYaa; // alef maksura
        comparedAs[0x06CC - kFirst] = kYaa; // Persian yeh, typed for both
        comparedAs[0x0629 - kFirst] = kHaa; // taa marbuta
        comparedAs[0x06A9 - kFirst] = kKaf; // Persian keheh
    }
};

constexpr ArabicBlock kArabicBlock;

// The letter `c` is compared as, or kLeftOut.
char32_t comparedAs(char32_t c) {
    if (c >= ArabicBlock::kFirst && c <= ArabicBlock::kLast)
        return kArabicBlock.comparedAs[c - ArabicBlock::kFirst];
    const bool furtherMarks = c >= 0x08D3 && c <= 0x08FF;
    const bool invisible = c >= 0x200B && c <= 0x200F; // zero-width space, joiners, direction
    return furtherMarks || invisible ? kLeftOut : c;
}

// Walks `text` and tells `sink` what the folded text is made of:
// keep(unit, character) for each folded code unit, leftOut(character) for a
// character that adds nothing (a mark, or white space after white space).
template <typename Sink> void foldInto(QStringView text, Sink& sink) {
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
        const char32_t letter = comparedAs(character.codePoint);
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

// Writes the folded units into a buffer as long as the text: no text folds
// to more code units than it has.
struct TextOnly {
    char16_t* out;
    void keep(char16_t unit, const StoredCharacters::Character&) { *out++ = unit; }
    void leftOut(const StoredCharacters::Character&) {}
};

struct WithPlaces {
    QString& folded;
    QList<qsizetype>& starts;
    QList<qsizetype>& ends;
    void keep(char16_t unit, const StoredCharacters::Character& character) {
        folded.append(QChar(unit));
        starts.append(character.start);
        ends.append(character.end);
    }
    // A mark belongs to the letter before it.
    void leftOut(const StoredCharacters::Character& character) {
        if (!ends.isEmpty())
            ends.last() = character.end;
    }
};

} // namespace

void ArabicFolding::fold(QStringView text, QString& folded) {
    folded.resize(text.size()); // keeps the capacity
    char16_t* const start = reinterpret_cast<char16_t*>(folded.data());
    TextOnly sink{start};
    foldInto(text, sink);
    folded.truncate(sink.out - start);
}

QString ArabicFolding::fold(QStringView text) {
    QString folded;
    fold(text, folded);
    return folded;
}

ArabicFolding::ArabicFolding(QStringView stored) {
    WithPlaces sink{folded_, starts_, ends_};
    foldInto(stored, sink);
}

ArabicFolding::Span ArabicFolding::wordsAt(qsizetype from, qsizetype to) const {
    const auto isSpace = [this](qsizetype i) { return folded_.at(i) == u' '; };
    // A match that starts or ends with a space already ends its word there.
    if (!isSpace(from)) {
        while (from > 0 && !isSpace(from - 1))
            --from;
    }
    if (!isSpace(to - 1)) {
        while (to < folded_.size() && !isSpace(to))
            ++to;
    }
    return {starts_.at(from), ends_.at(to - 1)};
}

QList<ArabicFolding::Span> ArabicFolding::wordsMatching(const QString& foldedKeyword) const {
    QList<Span> spans;
    if (foldedKeyword.isEmpty())
        return spans;
    for (qsizetype at = folded_.indexOf(foldedKeyword); at >= 0;
         at = folded_.indexOf(foldedKeyword, at + foldedKeyword.size())) {
        const Span words = wordsAt(at, at + foldedKeyword.size());
        if (!spans.isEmpty() && words.start <= spans.last().end)
            spans.last().end = qMax(spans.last().end, words.end);
        else
            spans.append(words);
    }
    return spans;
}

bool ArabicKeyword::foundIn(QStringView storedVerse) const {
    if (folded_.isEmpty())
        return false;
    ArabicFolding::fold(storedVerse, verse_);
    return verse_.contains(folded_);
}
