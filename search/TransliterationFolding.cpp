#include "TransliterationFolding.h"

namespace {

constexpr char32_t kLeftOut = FoldedText::kLeftOut;

// The Latin letters with diacritics (Latin-1 Supplement to Latin Extended-B,
// and Latin Extended Additional): each as its base letter in lower case.
class LatinLetters {
public:
    LatinLetters() {
        for (char32_t c = kFirst; c <= kLast; ++c)
            table_[c - kFirst] = char16_t(baseLetter(c));
        for (char32_t c = kAdditionalFirst; c <= kAdditionalLast; ++c)
            additional_[c - kAdditionalFirst] = char16_t(baseLetter(c));
        table_[0x0127 - kFirst] = u'h'; // ħ, written by some for ḥ
    }

    // The letter `c` reads as, or 0 outside these blocks.
    char32_t at(char32_t c) const {
        if (c >= kFirst && c <= kLast)
            return table_[c - kFirst];
        if (c >= kAdditionalFirst && c <= kAdditionalLast)
            return additional_[c - kAdditionalFirst];
        return 0;
    }

private:
    static constexpr char32_t kFirst = 0x00A0;
    static constexpr char32_t kLast = 0x024F;
    static constexpr char32_t kAdditionalFirst = 0x1E00;
    static constexpr char32_t kAdditionalLast = 0x1EFF;

    static char32_t baseLetter(char32_t c) {
        while (QChar::decompositionTag(c) == QChar::Canonical) {
            const QString parts = QChar::decomposition(c);
            if (parts.isEmpty())
                break;
            c = parts.at(0).unicode();
        }
        return QChar::toLower(c);
    }

    char16_t table_[kLast - kFirst + 1] = {};
    char16_t additional_[kAdditionalLast - kAdditionalFirst + 1] = {};
};

const LatinLetters kLatin;

inline char32_t comparedAs(char32_t c) {
    if (c < 0x80) {
        if (c >= U'A' && c <= U'Z')
            return c - U'A' + U'a';
        return c == U'\'' || c == U'`' ? kLeftOut : c;
    }
    const bool combiningMark = c >= 0x0300 && c <= 0x036F;
    // ʹ ʻ ʼ ʽ ʾ ʿ, the acute accent and the typographic quotes, typed for
    // ʿayn and hamza.
    const bool apostrophe =
        (c >= 0x02B9 && c <= 0x02BF) || c == 0x00B4 || c == 0x2018 || c == 0x2019;
    if (combiningMark || apostrophe)
        return kLeftOut;
    if (const char32_t latin = kLatin.at(c))
        return latin;
    return QChar::toLower(c);
}

const auto kTransliterationLetters = [](char32_t c) { return comparedAs(c); };

bool isAsciiLetter(QChar c) {
    return c >= u'a' && c <= u'z';
}

// Whether the word starting at `at` begins with the article: "a" and one
// or two letters before a hyphen ("al-", "ar-", "ash-"), or "all" before a
// letter ("allāh", "alladhīna", "allatī").
bool startsWithArticle(const QString& text, qsizetype at) {
    if (text.at(at) != u'a')
        return false;
    const qsizetype rest = text.size() - at;
    if (rest >= 4 && text.at(at + 1) == u'l' && text.at(at + 2) == u'l' &&
        isAsciiLetter(text.at(at + 3)))
        return true;
    for (qsizetype letters = 1; letters <= 2; ++letters) {
        if (rest < letters + 2)
            return false;
        if (!isAsciiLetter(text.at(at + letters)))
            return false;
        if (text.at(at + letters + 1) == u'-')
            return true;
    }
    return false;
}

} // namespace

void TransliterationFolding::fold(QStringView text, QString& folded) {
    FoldedText::fold(text, kTransliterationLetters, folded);
}

QString TransliterationFolding::fold(QStringView text) {
    QString folded;
    fold(text, folded);
    return folded;
}

TransliterationFolding::TransliterationFolding(QStringView stored)
    : text_(stored, kTransliterationLetters) {}

namespace {

// `folded` with the first "a" of every word that starts with the article
// left out.
QString withoutArticleVowels(const QString& folded) {
    QString result;
    result.reserve(folded.size());
    for (qsizetype i = 0; i < folded.size(); ++i) {
        const bool wordStart = i == 0 || folded.at(i - 1) == u' ';
        if (wordStart && startsWithArticle(folded, i))
            continue; // its "a"
        result.append(folded.at(i));
    }
    return result;
}

// `folded` with a hyphen for the space after every word of "a" and one or
// two letters that comes before another word ("ar rahman", "al hamdu").
QString withArticleHyphens(const QString& folded) {
    QString result = folded;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const bool wordStart = i == 0 || result.at(i - 1) == u' ';
        if (!wordStart || result.at(i) != u'a')
            continue;
        for (qsizetype letters = 1; letters <= 2 && i + letters + 2 <= result.size(); ++letters) {
            if (!isAsciiLetter(result.at(i + letters)))
                break;
            const qsizetype after = i + letters + 1;
            if (result.at(after) == u' ' && after + 1 < result.size() &&
                isAsciiLetter(result.at(after + 1))) {
                result[after] = u'-';
                break;
            }
        }
    }
    return result;
}

} // namespace

TransliterationKeyword::TransliterationKeyword(QStringView typed) {
    const QString folded = TransliterationFolding::fold(typed);
    forms_.append(withoutArticleVowels(folded));
    const QString hyphened = withArticleHyphens(folded);
    if (hyphened != folded)
        forms_.append(withoutArticleVowels(hyphened));
}

bool TransliterationKeyword::foundIn(QStringView storedVerse) const {
    if (forms_.first().isEmpty())
        return false;
    TransliterationFolding::fold(storedVerse, verse_);
    for (const QString& form : forms_) {
        if (verse_.contains(form))
            return true;
    }
    return false;
}
