#include "FoundVerses.h"

#include "SearchLog.h"

bool FoundVerses::inTable(int resourceId, int verse) {
    return resourceId >= 0 && resourceId <= kMaxResource && verse >= 0 && verse <= kMaxVerse;
}

void FoundVerses::set(int resourceId, int verse, const QString& text) {
    if (!inTable(resourceId, verse)) {
        qCInfo(lcSearch) << "verse outside the result table:" << resourceId << verse;
        return;
    }
    verses_.insert(cell(resourceId, verse), text);
}

QString FoundVerses::at(int resourceId, int verse) const {
    return inTable(resourceId, verse) ? verses_.value(cell(resourceId, verse)) : QString();
}
