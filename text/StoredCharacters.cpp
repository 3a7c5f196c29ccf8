#include "StoredCharacters.h"

namespace {

constexpr char32_t kLastCodePoint = 0x10FFFF;
// Longer than any reference the libraries write ("&#1114111;").
constexpr qsizetype kLongestReference = 10;

bool isSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// A named reference the library builder writes, or 0.
char32_t namedReference(QStringView name) {
    if (name == u"amp")
        return U'&';
    if (name == u"lt")
        return U'<';
    if (name == u"gt")
        return U'>';
    return 0;
}

} // namespace

bool StoredCharacters::readReference(qsizetype at, Character& character) const {
    const QChar* const text = stored_.data();
    const qsizetype limit = qMin(stored_.size(), at + kLongestReference);
    qsizetype i = at + 1;
    if (i < limit && text[i] == u'#') {
        // Decimal, read in one pass: this is nearly every Arabic character.
        char32_t codePoint = 0;
        const qsizetype firstDigit = ++i;
        for (; i < limit && text[i] >= u'0' && text[i] <= u'9'; ++i)
            codePoint = codePoint * 10 + (text[i].unicode() - u'0');
        if (i == firstDigit || i >= limit || text[i] != u';' || codePoint == 0 ||
            codePoint > kLastCodePoint || isSurrogate(codePoint))
            return false;
        character = {codePoint, at, i + 1};
        return true;
    }
    while (i < limit && text[i] != u';')
        ++i;
    if (i >= limit)
        return false;
    const char32_t codePoint = namedReference(stored_.mid(at + 1, i - at - 1));
    if (codePoint == 0)
        return false;
    character = {codePoint, at, i + 1};
    return true;
}

bool StoredCharacters::nextSpecial(Character& character) {
    const qsizetype at = position_;
    const QChar first = stored_[at];
    if (first == u'&' && readReference(at, character)) {
        position_ = character.end;
        return true;
    }
    if (first.isHighSurrogate() && at + 1 < stored_.size() && stored_[at + 1].isLowSurrogate()) {
        character = {QChar::surrogateToUcs4(first, stored_[at + 1]), at, at + 2};
        position_ = at + 2;
        return true;
    }
    character = {first.unicode(), at, at + 1};
    position_ = at + 1;
    return true;
}
