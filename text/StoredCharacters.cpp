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
    const qsizetype limit = qMin(stored_.size(), at + kLongestReference);
    const qsizetype semicolon = stored_.mid(0, limit).indexOf(u';', at + 1);
    if (semicolon < 0)
        return false;
    const QStringView body = stored_.mid(at + 1, semicolon - at - 1);
    char32_t codePoint = 0;
    if (body.size() >= 2 && body.front() == u'#') {
        for (const QChar digit : body.mid(1)) {
            if (digit < u'0' || digit > u'9')
                return false;
            codePoint = codePoint * 10 + (digit.unicode() - u'0');
            if (codePoint > kLastCodePoint)
                return false;
        }
        if (codePoint == 0 || isSurrogate(codePoint))
            return false;
    } else {
        codePoint = namedReference(body);
        if (codePoint == 0)
            return false;
    }
    character = {codePoint, at, semicolon + 1};
    return true;
}

bool StoredCharacters::next(Character& character) {
    if (position_ >= stored_.size())
        return false;
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
