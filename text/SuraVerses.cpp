#include "SuraVerses.h"

#include "LibraryLayout.h"
#include "ResReader.h"

SuraVerses::SuraVerses(QStringList elements, int sura, bool isTranslation)
    : elements_(std::move(elements)), sura_(sura), isTranslation_(isTranslation) {}

SuraVerses SuraVerses::read(const ResReader& reader, int sura, bool isTranslation) {
    const QString text =
        reader.LoadHtml(LibraryLayout::verseTextId(sura), QString()).value_or(QString());
    return SuraVerses(splitVerses(text), sura, isTranslation);
}

int SuraVerses::leadElements(int sura, bool isTranslation) {
    if (!isTranslation)
        return 0;
    if (sura == 58)
        return 2;
    return (sura == 47 || sura == 50 || sura == 57 || sura == 61) ? 1 : 0;
}

QString SuraVerses::shownVerse(int verse) const {
    const int lead = leadElements(sura_, isTranslation_);
    const qsizetype index = verse - 1 + lead;
    if (lead > 0)
        return elements_.value(index);
    for (qsizetype i = index; i >= 0 && i < elements_.size(); ++i) {
        if (!elements_.at(i).isEmpty())
            return elements_.at(i);
    }
    return {};
}

int SuraVerses::storedVerseCount() const {
    const qsizetype count = elements_.size() - 1 - leadElements(sura_, isTranslation_);
    return count > 0 ? int(count) : 0;
}

QString SuraVerses::storedVerse(int verse) const {
    if (verse < 1 || verse > storedVerseCount())
        return {};
    return elements_.at(verse - 1 + leadElements(sura_, isTranslation_));
}
