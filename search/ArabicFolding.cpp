#include "ArabicFolding.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

using Character = StoredCharacters::Character;

constexpr char16_t kHamza = 0x0621;
constexpr char16_t kAlef = 0x0627;
constexpr char16_t kHaa = 0x0647;
constexpr char16_t kKaf = 0x0643;
constexpr char16_t kLam = 0x0644;
constexpr char16_t kWaw = 0x0648;
constexpr char16_t kYaa = 0x064A;
constexpr char32_t kLeftOut = FoldedText::kLeftOut;

// Units of the folded text that stand for no single character of the text
// (private-use code points, which the folding leaves out of any text).
// The hamza of a long ā (آ, ءَا): one a reader may type as a bare alef.
constexpr char16_t kMaddaHamza = 0xE000;
// The break between the vocative يا and the word the Uthmani text joins it
// to: a keyword's space finds it, the highlight does not end a word there.
constexpr char16_t kJoinedBreak = 0xE001;
// In a folded keyword only: a choice of letters.
constexpr char16_t kAnyHamza = 0xE002;        // ء or kMaddaHamza
constexpr char16_t kMaybeMaddaHamza = 0xE003; // kMaddaHamza or nothing
constexpr char16_t kMaybeAlef = 0xE004;       // alef or nothing
constexpr char32_t kFirstOwnUnit = kMaddaHamza;
constexpr char32_t kLastOwnUnit = kMaybeAlef;

// In the table of the Arabic block: a character the walk reads itself, as it
// changes how its neighbours read.
constexpr char16_t kReadByTheWalk = 0xFFFF;

// How the Arabic block (U+0600..U+06FF) compares: the letter each character
// reads as, kLeftOut for the marks a reader need not type, or
// kReadByTheWalk.
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
        leaveOut(0x064B, 0x065F); // harakat, tanween, shadda, sukun, madda, hamza marks
        leaveOut(0x06D6, 0x06ED); // small high and low Qur'anic marks
        // Alef with hamza above and below, alef wasla, alef with wavy hamza
        // above and below.
        for (const char32_t alef : {0x0623, 0x0625, 0x0671, 0x0672, 0x0673})
            comparedAs[alef - kFirst] = kAlef;
        // The hamza on its seats: the plain and the Uthmani spelling seat it
        // differently.
        for (const char32_t hamza : {0x0624, 0x0626})
            comparedAs[hamza - kFirst] = kHamza;
        comparedAs[0x0649 - kFirst] = kYaa; // alef maksura
        comparedAs[0x06CC - kFirst] = kYaa; // Persian yeh, typed for both
        comparedAs[0x0629 - kFirst] = kHaa; // taa marbuta
        comparedAs[0x06A9 - kFirst] = kKaf; // Persian keheh
        // Alef with madda, tatweel, the harakat, shadda and sukun, hamza
        // above, superscript alef, small waw and yeh, small high yeh.
        for (const char32_t own : {0x0622, 0x0640, 0x064B, 0x064C, 0x064D, 0x064E, 0x064F, 0x0650,
                                   0x0651, 0x0652, 0x0654, 0x0670, 0x06E5, 0x06E6, 0x06E7})
            comparedAs[own - kFirst] = kReadByTheWalk;
    }
};

constexpr ArabicBlock kArabicBlock;

// The letter `c` (outside the Arabic block) is compared as, or kLeftOut.
inline char32_t comparedAs(char32_t c) {
    const bool furtherMarks = c >= 0x08D3 && c <= 0x08FF;
    const bool invisible = c >= 0x200B && c <= 0x200F; // zero-width space, joiners, direction
    const bool ownUnit = c >= kFirstOwnUnit && c <= kLastOwnUnit;
    return furtherMarks || invisible || ownUnit ? kLeftOut : c;
}

enum class Vowel : unsigned char { None, Fatha, Fathatan, Kasra, Damma, Sukun };

Vowel vowelOf(char32_t c) {
    switch (c) {
    case 0x064B:
        return Vowel::Fathatan;
    case 0x064E:
        return Vowel::Fatha;
    case 0x064C:
    case 0x064F:
        return Vowel::Damma;
    case 0x064D:
    case 0x0650:
        return Vowel::Kasra;
    case 0x0652:
        return Vowel::Sukun;
    default:
        return Vowel::None;
    }
}

// Words whose Uthmani spelling has a waw for the alef of the plain one
// before taa marbuta (صلوة، زكوة، حيوة، نجوة، مشكوة، منوة، غدوة), up to the
// waw.
constexpr std::array<std::u16string_view, 7> kWawForAlef{u"صلو",  u"زكو", u"حيو", u"نجو",
                                                         u"مشكو", u"منو", u"غدو"};

// Up to four units packed in 16 bits each, the last in the low bits: the
// mask of the last `count`, and the units of a stem.
constexpr quint64 maskOf(qsizetype count) {
    return count >= 4 ? ~quint64(0) : (quint64(1) << (16 * count)) - 1;
}

constexpr quint64 unitsOf(std::u16string_view units) {
    quint64 packed = 0;
    for (const char16_t unit : units)
        packed = packed << 16 | unit;
    return packed;
}

// Reads the characters of a text and tells a FoldedText sink what the
// folded text is made of.  A letter may read differently for what follows
// it (a hamza for its vowel and the letter after it, alef maksura for a
// superscript alef), so the walk keeps what it knows of the last two units
// of the word and settles the last one when the next letter comes.
template <typename Sink> class ArabicWalk {
public:
    ArabicWalk(Sink& sink, bool keyword) : sink_(sink), keyword_(keyword) {}

    void take(const Character& character) {
        const char32_t c = character.codePoint;
        if (c >= ArabicBlock::kFirst && c <= ArabicBlock::kLast) {
            const char16_t folded = kArabicBlock.comparedAs[c - ArabicBlock::kFirst];
            if (folded == kReadByTheWalk)
                readOwn(character);
            else if (folded == kLeftOut)
                sink_.leftOut(character);
            else
                letter(folded, character, c);
            return;
        }
        if (FoldedText::isWhiteSpace(c)) {
            if (afterSpace_) {
                sink_.leftOut(character);
            } else {
                keep(u' ', character, c);
                afterSpace_ = true;
            }
            endWord();
            return;
        }
        const char32_t folded = comparedAs(c);
        if (folded == kLeftOut) {
            sink_.leftOut(character);
        } else if (QChar::requiresSurrogates(folded)) {
            letter(QChar::highSurrogate(folded), character, c);
            keep(QChar::lowSurrogate(folded), character, c);
        } else {
            letter(char16_t(folded), character, c);
        }
    }

private:
    // What the walk knows of a unit of the current word.
    struct Unit {
        char16_t unit = 0;   // as it reads now
        char32_t source = 0; // the character that made it
        Vowel vowel = Vowel::None;
        bool shadda = false;
    };

    void readOwn(const Character& character) {
        const char32_t c = character.codePoint;
        switch (c) {
        case 0x0640: // tatweel: what comes on it may be a hamza
            sink_.leftOut(character);
            onTatweel_ = true;
            tatweelVowel_ = Vowel::None;
            return;
        case 0x0651: // shadda
            sink_.leftOut(character);
            if (!onTatweel_ && wordUnits_ > 0)
                last_.shadda = true;
            return;
        case 0x0622: // alef with madda: the hamza of a long ā
            letter(kMaddaHamza, character, c);
            keep(kAlef, character, c);
            return;
        case 0x0654:
            hamzaAbove(character);
            return;
        case 0x0670:
            superscriptAlef(character);
            return;
        case 0x06E5: // small waw
        case 0x06E6: // small yeh
            // After the pronoun haa only the length of its vowel (بِهِۦ).
            if (wordUnits_ > 0 && last_.unit == kHaa)
                sink_.leftOut(character);
            else
                letter(c == 0x06E5 ? kWaw : kYaa, character, c);
            return;
        case 0x06E7: // small high yeh, for a yaa the Uthmani text leaves out
            letter(kYaa, character, c);
            return;
        default: // a vowel
            sink_.leftOut(character);
            if (onTatweel_)
                tatweelVowel_ = vowelOf(c);
            else if (wordUnits_ > 0)
                last_.vowel = vowelOf(c);
            return;
        }
    }

    // A letter of the text: the one before it settles first.
    void letter(char16_t unit, const Character& character, char32_t source) {
        onTatweel_ = false;
        if (wordUnits_ > 0) {
            if (maksuraWithAlef_) {
                replaceLast(kAlef); // هَدَىٰهُ as هداه
                maksuraWithAlef_ = false;
            } else if (last_.unit == kHamza && !keyword_) {
                settleHamza(source);
            } else if (source == 0x064A && isDoubledLam()) {
                keep(kLam, character, source); // ٱلَّيْلِ as الليل
            } else if (source == 0x0629 && last_.unit == kWaw && last_.vowel == Vowel::None &&
                       wordEndsWithWawForAlef()) {
                replaceLast(kAlef);
            }
        }
        keep(unit, character, source);
    }

    // A hamza before the letter `next` of the same word.
    void settleHamza(char32_t next) {
        const Vowel vowel = last_.vowel;
        if (next == kAlef) {
            if (vowel == Vowel::Fatha)
                replaceLast(kMaddaHamza);
            return;
        }
        // A hamza the text writes on the line or above a tatweel, where the
        // plain spelling seats it on alef: at the start of a word, after the
        // interrogative alef, with fatha after fatha or sukun, and with sukun
        // after fatha.  A hamza on waw or yeh stays as written.
        if (vowel == Vowel::None || (last_.source != kHamza && last_.source != 0x0654))
            return;
        const bool first = wordUnits_ == 1;
        const bool afterQuestion =
            wordUnits_ == 2 && (before_.source == 0x0623 || before_.source == 0x0625);
        const bool afterConsonant =
            before_.unit != kAlef && before_.unit != kWaw && before_.unit != kYaa;
        const bool withFatha = vowel == Vowel::Fatha && afterConsonant &&
                               (before_.vowel == Vowel::Fatha || before_.vowel == Vowel::Sukun);
        const bool withSukun = vowel == Vowel::Sukun && before_.vowel == Vowel::Fatha;
        if (first || afterQuestion || withFatha || withSukun)
            replaceLast(kAlef);
    }

    void hamzaAbove(const Character& character) {
        if (onTatweel_ || wordUnits_ == 0) {
            const Vowel vowel = onTatweel_ ? tatweelVowel_ : Vowel::None;
            letter(kHamza, character, 0x0654);
            last_.vowel = vowel;
        } else if (last_.unit == kAlef) {
            sink_.leftOut(character); // alef with hamza written in two
        } else if ((last_.unit == kWaw || last_.unit == kYaa) && last_.vowel == Vowel::None) {
            sink_.leftOut(character); // waw or yeh with hamza written in two
            replaceLast(kHamza);
        } else {
            letter(kHamza, character, 0x0654);
        }
    }

    void superscriptAlef(const Character& character) {
        onTatweel_ = false;
        const bool bare = wordUnits_ > 0 && last_.vowel == Vowel::None;
        if (bare && last_.source == 0x0648) { // ٱلصَّلَوٰةَ
            sink_.leftOut(character);
            replaceLast(kAlef);
            last_.source = 0x0670;
            return;
        }
        if (bare && last_.source == 0x0649) { // عَلَىٰ, هَدَىٰهُ
            sink_.leftOut(character);
            maksuraWithAlef_ = true;
            last_.source = 0x0670;
            return;
        }
        if (wordUnits_ > 0 && last_.unit == kHamza && !keyword_) { // سَوْءَٰتِ
            replaceLast(kMaddaHamza);
            keep(kAlef, character, 0x0670);
            return;
        }
        const bool firstYaa = last_.source == 0x064A &&
                              (wordUnits_ == 1 || (wordUnits_ == 2 && before_.unit == kWaw));
        if (firstYaa) { // يَـٰقَوْمِ, وَيَـٰقَوْمِ
            keep(kAlef, character, 0x0670);
            keep(kJoinedBreak, character, 0x0670);
            endWord();
            afterSpace_ = true;
            return;
        }
        if (isDoubledLam())
            keep(kLam, character, 0x0670); // ٱلَّـٰتِى as اللاتي
        keep(keyword_ ? kMaybeAlef : kAlef, character, 0x0670);
    }

    // Whether the last unit is the lam of the article written once for two.
    bool isDoubledLam() const {
        return wordUnits_ >= 2 && last_.unit == kLam && last_.shadda && before_.source == 0x0671;
    }

    bool wordEndsWithWawForAlef() const {
        for (const std::u16string_view stem : kWawForAlef) {
            const auto length = qsizetype(stem.size());
            if (wordUnits_ >= length && (tail_ & maskOf(length)) == unitsOf(stem))
                return true;
        }
        return false;
    }

    void keep(char16_t unit, const Character& character, char32_t source) {
        sink_.keep(unit, character);
        afterSpace_ = false;
        before_ = last_;
        last_ = {unit, source};
        ++wordUnits_;
        tail_ = tail_ << 16 | unit;
    }

    void replaceLast(char16_t unit) {
        sink_.replaceLast(unit);
        last_.unit = unit;
        tail_ = (tail_ & ~maskOf(1)) | unit;
    }

    void endWord() {
        wordUnits_ = 0;
        last_ = before_ = {};
        maksuraWithAlef_ = false;
        onTatweel_ = false;
    }

    Sink& sink_;
    const bool keyword_;
    bool afterSpace_ = false;
    qsizetype wordUnits_ = 0; // units kept in the current word
    Unit last_;
    Unit before_;                  // the unit before last_, in the same word
    quint64 tail_ = 0;             // the last four units, last_ in the low 16 bits
    bool maksuraWithAlef_ = false; // last_ is alef maksura with a superscript alef
    bool onTatweel_ = false;
    Vowel tatweelVowel_ = Vowel::None;
};

template <typename Sink> void walkArabic(QStringView text, Sink& sink, bool keyword) {
    StoredCharacters characters(text);
    StoredCharacters::Character character;
    ArabicWalk<Sink> walk(sink, keyword);
    while (characters.next(character))
        walk.take(character);
}

const auto kVerseWalk = [](QStringView text, auto& sink) { walkArabic(text, sink, false); };
const auto kKeywordWalk = [](QStringView text, auto& sink) { walkArabic(text, sink, true); };

// Words whose plain spelling leaves out an alef that the verses have (as a
// superscript alef), with the place of that alef: the keyword looks for them
// with or without it.
struct LeftOutAlef {
    std::u16string_view letters;
    qsizetype at;
};
constexpr std::array<LeftOutAlef, 8> kLeftOutAlefs{{
    {u"ذلك", 1},  // ذلك، ذلكم، كذلك
    {u"هذ", 1},   // هذا، هذه، هذان
    {u"هءل", 1},  // هؤلاء
    {u"هكذا", 1}, //
    {u"لكن", 1},  // لكن، لكنا
    {u"اله", 2},  // إله، إلهكم
    {u"رحمن", 3}, // الرحمن
    {u"لءك", 1},  // أولئك
}};

bool isBreak(char16_t unit) {
    return unit == u' ' || unit == kJoinedBreak;
}

bool comparesAsItself(char16_t unit) {
    return !isBreak(unit) && (unit < kFirstOwnUnit || unit > kLastOwnUnit);
}

// The end of a match of pattern[p..] in `text` from `t` on, or -1.
qsizetype matchFrom(QStringView pattern, qsizetype p, QStringView text, qsizetype t) {
    for (; p < pattern.size(); ++p) {
        const char16_t unit = pattern[p].unicode();
        if (unit == kMaybeAlef || unit == kMaybeMaddaHamza) {
            const char16_t letter = unit == kMaybeAlef ? kAlef : kMaddaHamza;
            if (t < text.size() && text[t] == QChar(letter)) {
                const qsizetype end = matchFrom(pattern, p + 1, text, t + 1);
                if (end >= 0)
                    return end;
            }
            continue; // without it
        }
        if (t >= text.size())
            return -1;
        const char16_t found = text[t].unicode();
        const bool same = unit == kAnyHamza ? found == kHamza || found == kMaddaHamza
                          : isBreak(unit)   ? isBreak(found)
                                            : found == unit;
        if (!same)
            return -1;
        ++t;
    }
    return t;
}

// The first match of the folded keyword `pattern` in the folded `text` at
// or after `from`; its first `literalPrefix` units compare as themselves.
FoldedText::Match find(QStringView pattern, qsizetype literalPrefix, QStringView text,
                       qsizetype from) {
    if (pattern.isEmpty())
        return {};
    if (literalPrefix == pattern.size())
        return {text.indexOf(pattern, from), pattern.size()};
    // Where the literal prefix is, then the rest.  A plain loop: the first
    // letter is mostly a frequent one.
    const char16_t* const units = reinterpret_cast<const char16_t*>(text.utf16());
    const char16_t* const prefix = reinterpret_cast<const char16_t*>(pattern.utf16());
    const qsizetype last = text.size() - literalPrefix;
    for (qsizetype at = from; at <= last; ++at) {
        if (literalPrefix > 0 && (units[at] != prefix[0] ||
                                  !std::equal(prefix + 1, prefix + literalPrefix, units + at + 1)))
            continue;
        const qsizetype end = matchFrom(pattern, literalPrefix, text, at + literalPrefix);
        if (end >= 0)
            return {at, end - at};
    }
    return {};
}

qsizetype literalPrefixOf(QStringView pattern) {
    qsizetype length = 0;
    while (length < pattern.size() && comparesAsItself(pattern[length].unicode()))
        ++length;
    return length;
}

// The folded keyword with the choices a reader's spelling leaves open.
QString keywordPattern(const QString& folded) {
    QString letters = folded;
    for (const LeftOutAlef& word : kLeftOutAlefs) {
        const QString plain = QString::fromUtf16(word.letters.data(), word.letters.size());
        const QString withChoice = plain.first(word.at) + QChar(kMaybeAlef) + plain.sliced(word.at);
        letters.replace(plain, withChoice);
    }
    QString pattern;
    pattern.reserve(2 * letters.size());
    for (qsizetype i = 0; i < letters.size(); ++i) {
        const char16_t unit = letters.at(i).unicode();
        if (unit == kHamza) {
            pattern.append(QChar(kAnyHamza));
        } else if (unit == kMaddaHamza) {
            pattern.append(QChar(kMaybeMaddaHamza)); // آمنوا finds امنوا too
        } else if (unit == kAlef) {
            const char16_t before = i > 0 ? letters.at(i - 1).unicode() : 0;
            if (before != kHamza && before != kMaddaHamza)
                pattern.append(QChar(kMaybeMaddaHamza)); // الاخرة finds الآخرة
            pattern.append(QChar(unit));
        } else {
            pattern.append(QChar(unit));
        }
    }
    // What may be left out at the start changes nothing that is found.
    while (!pattern.isEmpty() &&
           (pattern.front() == QChar(kMaybeMaddaHamza) || pattern.front() == QChar(kMaybeAlef)))
        pattern.remove(0, 1);
    return pattern;
}

} // namespace

void ArabicFolding::fold(QStringView text, QString& folded) {
    FoldedText::foldBy(text, kVerseWalk, folded);
}

QString ArabicFolding::fold(QStringView text) {
    QString folded;
    fold(text, folded);
    return folded;
}

ArabicFolding::ArabicFolding(QStringView stored)
    : text_(FoldedText::foldedBy(stored, kVerseWalk)) {}

QList<ArabicFolding::Span> ArabicFolding::wordsMatching(const QString& foldedKeyword) const {
    const qsizetype literalPrefix = literalPrefixOf(foldedKeyword);
    return text_.wordsFound([&](QStringView folded, qsizetype from) {
        return find(foldedKeyword, literalPrefix, folded, from);
    });
}

ArabicKeyword::ArabicKeyword(QStringView typed) {
    QString folded;
    FoldedText::foldBy(typed, kKeywordWalk, folded);
    folded_ = keywordPattern(folded);
    literalPrefix_ = literalPrefixOf(folded_);
}

bool ArabicKeyword::foundIn(QStringView storedVerse) const {
    if (folded_.isEmpty())
        return false;
    ArabicFolding::fold(storedVerse, verse_);
    return foundInFolded(verse_);
}

bool ArabicKeyword::foundInFolded(QStringView foldedVerse) const {
    return find(folded_, literalPrefix_, foldedVerse, 0).at >= 0;
}
