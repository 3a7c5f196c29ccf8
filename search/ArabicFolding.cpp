#include "ArabicFolding.h"

namespace {

constexpr char16_t kAlef = 0x0627;
constexpr char16_t kYaa = 0x064A;
constexpr char16_t kHaa = 0x0647;
constexpr char16_t kKaf = 0x0643;
constexpr char32_t kLeftOut = FoldedText::kLeftOut;

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
inline char32_t comparedAs(char32_t c) {
    if (c >= ArabicBlock::kFirst && c <= ArabicBlock::kLast)
        return kArabicBlock.comparedAs[c - ArabicBlock::kFirst];
    const bool furtherMarks = c >= 0x08D3 && c <= 0x08FF;
    const bool invisible = c >= 0x200B && c <= 0x200F; // zero-width space, joiners, direction
    return furtherMarks || invisible ? kLeftOut : c;
}

const auto kArabicLetters = [](char32_t c) { return comparedAs(c); };

} // namespace

void ArabicFolding::fold(QStringView text, QString& folded) {
    FoldedText::fold(text, kArabicLetters, folded);
}

QString ArabicFolding::fold(QStringView text) {
    QString folded;
    fold(text, folded);
    return folded;
}

ArabicFolding::ArabicFolding(QStringView stored) : text_(stored, kArabicLetters) {}

bool ArabicKeyword::foundIn(QStringView storedVerse) const {
    if (folded_.isEmpty())
        return false;
    ArabicFolding::fold(storedVerse, verse_);
    return verse_.contains(folded_);
}
