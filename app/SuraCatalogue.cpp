#include "SuraCatalogue.h"

#include "LibraryLayout.h"
#include "SuraVerses.h"

SuraCatalogue::SuraCatalogue(std::function<ResReader()> arabic) : arabic_(std::move(arabic)) {}

void SuraCatalogue::read(const ResReader& translation) {
    treeTexts_.clear();
    for (int sura = 1; sura <= LibraryLayout::kSuraCount; ++sura)
        treeTexts_.append(treeTextOf(sura, translation.LoadSTvar(sura)));
    englishNames_ =
        splitVerses(arabic_().LoadHtml(LibraryLayout::kNameList, QString()).value_or(QString()));
}

bool SuraCatalogue::isSura(int sura) {
    return sura >= 1 && sura <= LibraryLayout::kSuraCount;
}

int SuraCatalogue::verseCount(int sura) const {
    if (!isSura(sura))
        return 0;
    return SuraVerses::read(arabic_(), sura, false).storedVerseCount();
}

QString SuraCatalogue::treeTextOf(int sura, const QString& name) {
    return QStringLiteral("%1- %2").arg(sura, 3, 10, QLatin1Char('0')).arg(name);
}
