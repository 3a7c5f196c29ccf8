#include "ArabicFolding.h"

#include "StoredCharacters.h"

namespace {

constexpr char16_t kAlef = 0x0627;
constexpr char16_t kYaa = 0x064A;
constexpr char16_t kHaa = 0x0647;
constexpr char16_t kKaf = 0x0643;
constexpr char32_t kLeftOut = 0;

bool isWhiteSpace(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n' || (c > 0x7F && QChar::isSpace(c));
}

// The marks a reader need not type.
bool isLeftOut(char32_t c) {
    return (c >= 0x0610 && c <= 0x061A)     // small high signs
           || c == 0x061C                   // Arabic letter mark
           || (c >= 0x064B && c <= 0x065F)  // harakat, tanween, shadda, sukun, hamza marks
           || c == 0x0640                   // tatweel
           || c == 0x0670                   // superscript alef
           || (c >= 0x06D6 && c <= 0x06ED)  // small high and low Qur'anic marks
           || (c >= 0x08D3 && c <= 0x08FF)  // further Qur'anic marks
           || (c >= 0x200B && c <= 0x200F); // zero-width space, joiners, direction marks
}

// The letter `c` is compared as, or kLeftOut.
char32_t comparedAs(char32_t c) {
    if (isLeftOut(c))
        return kLeftOut;
    switch (c) {
    case 0x0622: // alef with madda
    case 0x0623: // alef with hamza above
    case 0x0625: // alef with hamza below
    case 0x0671: // alef wasla
    case 0x0672: // alef with wavy hamza above
    case 0x0673: // alef with wavy hamza below
        return kAlef;
    case 0x0649: // alef maksura
    case 0x06CC: // Persian yeh, typed for both
        return kYaa;
    case 0x0629: // taa marbuta
        return kHaa;
    case 0x06A9: // Persian keheh
        return kKaf;
    default:
        return c;
    }
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

struct TextOnly {
    QString& folded;
    void keep(char16_t unit, const StoredCharacters::Character&) { folded.append(QChar(unit)); }
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
    folded.resize(0); // keeps the capacity
    TextOnly sink{folded};
    foldInto(text, sink);
}

QString ArabicFolding::fold(QStringView text) {
    QString folded;
    folded.reserve(text.size());
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
