#pragma once

#include "FoldedText.h"

#include <QList>
#include <QString>
#include <QStringView>

// Arabic text reduced to its bare letters, so that a keyword typed with or
// without vowels, in the plain (imla'i) spelling or in the Uthmani one,
// finds the fully vowelled verse of either script.
//
// Left out: the harakat, shadda, sukun, madda sign, the small high and low
// Qur'anic marks, tatweel and invisible joiners.  Every run of white space
// is one space.  The alef forms with hamza and alef wasla read as bare alef,
// alef maksura (and the Persian yeh) as yaa, taa marbuta as haa, the
// Persian keheh as kaf.
//
// Where the two scripts spell a word differently, both read the same:
//  - The superscript alef is an alef (ٱلْكِتَـٰبُ as الكتاب); on a bare waw
//    it turns the waw into an alef (ٱلصَّلَوٰةَ as الصلاة), on alef maksura
//    inside a word too (هَدَىٰهُ as هداه), while at the end of a word the
//    maksura stays yaa (عَلَىٰ as على).  On a word's first yaa it is the
//    vocative يا that the Uthmani text joins to the next word (يَـٰقَوْمِ as
//    يا قوم, with a break that still keeps it one word for the highlight).
//  - The hamza on its seats (ء ئ ؤ, and the hamza above a tatweel or a
//    letter) is one letter.  With fatha before an alef it is the hamza of a
//    long ā, as in آ (ءَامَنُوا and ٱلْـَٔاخِرَةِ as آمنوا and الآخرة).  A
//    hamza on the line or above a tatweel is alef where the plain spelling
//    seats it on alef (أَرَءَيْتَ, يَسْـَٔلُونَ, ءَأَنتُمْ, أَءِذَا).
//  - The small waw and yeh after the pronoun haa are left out (بِهِۦ as به),
//    elsewhere they are the letter (دَاوُۥدَ as داوود).
//  - The lam of the article after alef wasla, with shadda, before yaa or a
//    superscript alef is two, as the plain spelling writes them (ٱلَّيْلِ,
//    ٱلَّـٰتِى as الليل, اللاتي).
//  - A bare waw before taa marbuta in صلوة, زكوة, حيوة, نجوة, مشكوة, منوة,
//    غدوة is the alef of the plain spelling, so that these are found as
//    typed without marks.
//
// The text is either as the libraries store it (character references) or
// plain Unicode.  An instance also keeps, for every folded code unit, the
// part of the stored text it came from, so that a match can be shown in the
// text as stored.
class ArabicFolding {
public:
    using Span = FoldedText::Span;

    // The folded text alone, written into `folded` (its capacity reused).
    static void fold(QStringView text, QString& folded);
    static QString fold(QStringView text);

    explicit ArabicFolding(QStringView stored);

    const QString& folded() const { return text_.folded(); }

    // The stored text of the whole words that hold every match of
    // `foldedKeyword` (ArabicKeyword::folded), from the first letter of a
    // word to the last mark on it, in text order; words that two matches
    // share make one span.
    QList<Span> wordsMatching(const QString& foldedKeyword) const;

private:
    FoldedText text_;
};

// A keyword compared with stored Arabic verses letter by letter.  Folded as
// a verse is, it also allows for what a reader's spelling leaves open: a
// typed bare alef finds the alef of آ, a typed hamza either kind; a typed
// superscript alef, like the alef that the plain spelling leaves out of a
// few words (ذلك، هذا، هؤلاء، هكذا، لكن، إله، الرحمن، أولئك), is found
// where the verse has it or not.  A keyword of marks alone folds to nothing
// and is found nowhere.
class ArabicKeyword {
public:
    explicit ArabicKeyword(QStringView typed);

    bool foundIn(QStringView storedVerse) const;
    // The same for a verse folded already (ArabicFolding::fold).
    bool foundInFolded(QStringView foldedVerse) const;
    // The folded keyword, with units that stand for a choice of letters:
    // what ArabicFolding::wordsMatching looks for.
    const QString& folded() const { return folded_; }

private:
    QString folded_;
    qsizetype literalPrefix_ = 0; // leading units that compare as themselves
    mutable QString verse_;       // reused for every verse
};
