#include "CharacterReferences.h"

#include <QLatin1StringView>
#include <QStringView>

#include <optional>

namespace CharacterReferences {

namespace {

// The scan below follows the engine's tokenizer only as far as it must to
// know where text is; wherever it could disagree with it, it copies more
// markup as written, never less.

bool isAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\f' || c == u'\r';
}

bool startsAt(QStringView text, qsizetype at, QLatin1StringView word,
              Qt::CaseSensitivity cs = Qt::CaseSensitive) {
    return text.mid(at).startsWith(word, cs);
}

qsizetype pastOrEnd(QStringView text, qsizetype found, qsizetype length) {
    return found < 0 ? text.size() : found + length;
}

// Past the end of the tag whose attributes start at `at`: quoted attribute
// values may hold ">".
qsizetype pastTag(QStringView text, qsizetype at) {
    const qsizetype n = text.size();
    qsizetype j = at;
    while (j < n) {
        const QChar c = text[j];
        if (c == u'>')
            return j + 1;
        if (isSpace(c) || c == u'/') {
            ++j;
            continue;
        }
        ++j; // an attribute name's first character may be anything else, "=" too
        while (j < n && !isSpace(text[j]) && text[j] != u'/' && text[j] != u'>' && text[j] != u'=')
            ++j;
        while (j < n && isSpace(text[j]))
            ++j;
        if (j >= n || text[j] != u'=')
            continue;
        ++j;
        while (j < n && isSpace(text[j]))
            ++j;
        if (j < n && (text[j] == u'"' || text[j] == u'\'')) {
            j = pastOrEnd(text, text.indexOf(text[j], j + 1), 1);
            continue;
        }
        while (j < n && !isSpace(text[j]) && text[j] != u'>')
            ++j;
    }
    return n;
}

// Where the literal text of element `name`, starting at `at`, ends: at its
// end tag's "<", or the end of the markup.
qsizetype endOfLiteralText(QStringView text, qsizetype at, QStringView name) {
    const QString closing = QStringLiteral("</") + name.toString();
    for (qsizetype j = text.indexOf(closing, at, Qt::CaseInsensitive); j >= 0;
         j = text.indexOf(closing, j + 1, Qt::CaseInsensitive)) {
        const qsizetype after = j + closing.size();
        if (after >= text.size() || isSpace(text[after]) || text[after] == u'/' ||
            text[after] == u'>')
            return j;
    }
    return text.size();
}

// Past the markup that starts with the "<" at `at` and that the parser
// reads without references; `at` + 1 where the "<" is text.
qsizetype pastMarkup(QStringView text, qsizetype at) {
    const qsizetype n = text.size();
    if (startsAt(text, at, QLatin1StringView("<!--"))) {
        const qsizetype body = at + 4;
        if (startsAt(text, body, QLatin1StringView(">")))
            return body + 1;
        if (startsAt(text, body, QLatin1StringView("->")))
            return body + 2;
        for (qsizetype j = text.indexOf(u"--", body); j >= 0; j = text.indexOf(u"--", j + 1)) {
            if (startsAt(text, j, QLatin1StringView("-->")))
                return j + 3;
            if (startsAt(text, j, QLatin1StringView("--!>")))
                return j + 4;
        }
        return n;
    }
    // Character data ends differently in and out of embedded pictures and
    // formulas; the rest is left as written.
    if (startsAt(text, at, QLatin1StringView("<![CDATA[")))
        return n;
    if (startsAt(text, at, QLatin1StringView("<!")) || startsAt(text, at, QLatin1StringView("<?")))
        return pastOrEnd(text, text.indexOf(u'>', at + 2), 1);
    if (startsAt(text, at, QLatin1StringView("</"))) {
        if (at + 2 < n && isAsciiLetter(text[at + 2]))
            return pastTag(text, at + 2);
        return pastOrEnd(text, text.indexOf(u'>', at + 2), 1);
    }
    if (at + 1 >= n || !isAsciiLetter(text[at + 1]))
        return at + 1;

    qsizetype nameEnd = at + 1;
    while (nameEnd < n && !isSpace(text[nameEnd]) && text[nameEnd] != u'/' && text[nameEnd] != u'>')
        ++nameEnd;
    const QStringView name = text.mid(at + 1, nameEnd - at - 1);
    const qsizetype tagEnd = pastTag(text, nameEnd);
    const auto is = [&](const char* literal) {
        return name.compare(QLatin1StringView(literal), Qt::CaseInsensitive) == 0;
    };
    if (is("plaintext"))
        return n;
    if (is("script")) {
        // A script that opens a comment may hide its own end tag.
        const qsizetype end = endOfLiteralText(text, tagEnd, name);
        return text.mid(tagEnd, end - tagEnd).contains(u"<!--") ? n : end;
    }
    for (const char* literal :
         {"style", "xmp", "iframe", "noembed", "noframes", "noscript", "title", "textarea"}) {
        if (is(literal))
            return endOfLiteralText(text, tagEnd, name);
    }
    return tagEnd;
}

int digitValue(QChar c, int base) {
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (base == 16 && c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (base == 16 && c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

// The character of the numeric reference at `at` ("&#" followed by digits
// and ";"), and the reference's length; nothing where it is to stay.
std::optional<QPair<char32_t, qsizetype>> referenceAt(QStringView text, qsizetype at) {
    const qsizetype n = text.size();
    qsizetype j = at + 2;
    int base = 10;
    if (j < n && (text[j] == u'x' || text[j] == u'X')) {
        base = 16;
        ++j;
    }
    const qsizetype digits = j;
    char32_t value = 0;
    while (j < n && j - digits < 8) {
        const int digit = digitValue(text[j], base);
        if (digit < 0)
            break;
        value = value * char32_t(base) + char32_t(digit);
        ++j;
    }
    if (j == digits || j >= n || text[j] != u';')
        return std::nullopt;
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    const bool nonCharacter = (value >= 0xFDD0 && value <= 0xFDEF) || (value & 0xFFFE) == 0xFFFE;
    if (value < 0xA0 || value > 0x10FFFF || surrogate || nonCharacter)
        return std::nullopt;
    return QPair<char32_t, qsizetype>{value, j + 1 - at};
}

} // namespace

QString expandedInText(const QString& markup) {
    if (!markup.contains(u"&#"))
        return markup;
    const QStringView text(markup);
    const qsizetype n = text.size();
    QString out;
    out.reserve(n);
    qsizetype copied = 0; // markup before this is in `out`
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c == u'<') {
            i = pastMarkup(text, i);
            continue;
        }
        if (c == u'&' && i + 1 < n && text[i + 1] == u'#') {
            if (const auto reference = referenceAt(text, i)) {
                out += text.mid(copied, i - copied);
                out += QStringView(QChar::fromUcs4(reference->first));
                i += reference->second;
                copied = i;
                continue;
            }
        }
        ++i;
    }
    out += text.mid(copied);
    return out;
}

} // namespace CharacterReferences
