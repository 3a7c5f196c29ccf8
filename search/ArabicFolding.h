#pragma once

#include "FoldedText.h"

#include <QList>
#include <QString>
#include <QStringView>

// Arabic text reduced to its bare letters, so that a keyword typed with or
// without vowels finds the fully vowelled verse: the harakat, shadda, sukun,
// superscript alef, the small high and low Qur'anic marks, tatweel and
// invisible joiners are left out; the alef forms with hamza or madda and
// alef wasla read as bare alef, alef maksura (and the Persian yeh) as yaa,
// taa marbuta as haa, the Persian keheh as kaf; every run of white space is
// one space.  The text is either as the libraries store it (character
// references) or plain Unicode.  An instance also keeps, for every folded
// code unit, the part of the stored text it came from, so that a match can
// be shown in the text as stored.
class ArabicFolding {
public:
    using Span = FoldedText::Span;

    // The folded text alone, written into `folded` (its capacity reused).
    static void fold(QStringView text, QString& folded);
    static QString fold(QStringView text);

    explicit ArabicFolding(QStringView stored);

    const QString& folded() const { return text_.folded(); }

    // The stored text of the whole words that hold every occurrence of
    // `foldedKeyword` (already folded), from the first letter of a word to
    // the last mark on it, in text order; words that two occurrences share
    // make one span.
    QList<Span> wordsMatching(const QString& foldedKeyword) const {
        return text_.wordsMatching(foldedKeyword);
    }

private:
    FoldedText text_;
};

// A keyword compared with stored Arabic verses letter by letter.  A keyword
// of marks alone folds to nothing and is found nowhere.
class ArabicKeyword {
public:
    explicit ArabicKeyword(QStringView typed) : folded_(ArabicFolding::fold(typed)) {}

    bool foundIn(QStringView storedVerse) const;
    const QString& folded() const { return folded_; }

private:
    QString folded_;
    mutable QString verse_; // reused for every verse
};
