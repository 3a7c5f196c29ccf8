#pragma once

#include "FoldedText.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The Latin transliteration reduced to its bare letters, so that a reader
// need not type its diacritics: letters with diacritics read as their base
// letter (ḥ as h, ā as a, ṣ as s), case is ignored, the signs for ʿayn and
// hamza (` and ', and ʿ ʾ ‘ ’ as typed) and combining marks are left out;
// every run of white space is one space.  The text is either as the
// libraries store it (character references) or plain Unicode.  An instance
// also keeps the way back to the stored text, as ArabicFolding does.
class TransliterationFolding {
public:
    using Span = FoldedText::Span;

    static void fold(QStringView text, QString& folded);
    static QString fold(QStringView text);

    explicit TransliterationFolding(QStringView stored);

    const QString& folded() const { return text_.folded(); }

    // The stored words that hold every occurrence of `foldedKeyword`.
    QList<Span> wordsMatching(const QString& foldedKeyword) const {
        return text_.wordsMatching(foldedKeyword);
    }

private:
    FoldedText text_;
};

// A keyword compared with stored transliterated verses letter by letter.
// Inside a verse the text elides the vowel of the article and of "allāh"
// ("bismi llāhi r-raḥmāni", "bil-ghaybi"), so a word of the keyword that
// starts with the article ("al-", "ar-", "ash-", "all…") is looked for
// without its first "a": "ar-rahman" finds "ar-raḥmān" and "r-raḥmān" alike.
// A reader may type the article's hyphen as a space ("ar rahman"): such a
// keyword is looked for both as typed and with the hyphen.
class TransliterationKeyword {
public:
    explicit TransliterationKeyword(QStringView typed);

    bool foundIn(QStringView storedVerse) const;
    // The folded forms looked for: the keyword as typed, then with the
    // hyphen after a word that may be the article, where it has one.
    const QStringList& forms() const { return forms_; }

private:
    QStringList forms_;
    mutable QString verse_; // reused for every verse
};
