#pragma once

#include <QString>
#include <QStringList>

class ResReader;

// The verses of one sura as one text library holds them: the verse text
// split at "//", where the piece after the last "//" is no verse.  The
// translation library puts extra elements before verse 1 of a few suras (a
// translated basmala, a title line), which are no verses either; the page,
// the search and the go-to actions all number verses past them.
class SuraVerses {
public:
    SuraVerses() = default;
    SuraVerses(QStringList elements, int sura, bool isTranslation);

    // Reads sura `sura` (1..114) from the library `reader` is bound to.
    static SuraVerses read(const ResReader& reader, int sura, bool isTranslation);

    // How many extra elements stand before verse 1: one for suras 47, 50, 57
    // and 61, two for sura 58, in the translation library only.
    static int leadElements(int sura, bool isTranslation);

    // Verse `verse` (1-based) as a page shows it: past the lead elements;
    // elsewhere an empty element gives way to the next non-empty one, so a
    // library with a missing verse does not leave a hole.
    QString shownVerse(int verse) const;

    // The stored verses, lead elements and the remainder excluded; a verse
    // numbered from 1 is storedVerse(verse).
    int storedVerseCount() const;
    QString storedVerse(int verse) const;

    // The split pieces as stored, lead elements and remainder included.
    const QStringList& elements() const { return elements_; }
    int sura() const { return sura_; }
    bool isTranslation() const { return isTranslation_; }

private:
    QStringList elements_;
    int sura_ = 0;
    bool isTranslation_ = false;
};
