#include "SearchEngine.h"

#include "AppSettings.h"
#include "LibraryLayout.h"
#include "ResReader.h"
#include "SuraVerses.h"

QString SearchScope::libraryFile(int searchInItem, const AppSettings& settings) {
    switch (searchInItem) {
    case kTransliteration:
        return settings.TransliterationLibraryFile;
    case kTranslation:
        return settings.TranslationLibraryFile;
    default:
        return {};
    }
}

SearchRange SearchRange::fromChapterItem(int selectedIndex, int itemData) {
    if (selectedIndex < 1)
        return wholeQuran();
    const int resource = LibraryLayout::verseTextId(itemData);
    return {resource, resource};
}

SearchEngine::SearchEngine(const ResReader& reader, bool isTranslation)
    : reader_(reader), isTranslation_(isTranslation) {}

QString SearchEngine::doneStatus(int entries) {
    return QStringLiteral(" Done .... <") + QString::number(entries) + QStringLiteral("> Results");
}

SearchEngine::Outcome SearchEngine::run(const QString& keyword, SearchRange range,
                                        const QStringList& chapterCaptions, FoundVerses& found,
                                        bool& cancelSearch, const Hooks& hooks) const {
    found.clear();
    Outcome outcome;
    const QString upperKeyword = keyword.toUpper();
    for (int resource = range.first; resource <= range.last && !outcome.stoppedByUser; ++resource) {
        const int sura = resource - LibraryLayout::kVerseTextBase;
        // Past the translation's lead elements, and never the remainder
        // after the last "//".
        const SuraVerses verses = SuraVerses::read(reader_, sura, isTranslation_);
        const int count = verses.storedVerseCount();
        for (int verse = 1; verse <= count; ++verse) {
            const QString text = verses.storedVerse(verse);
            if (!text.toUpper().contains(upperKeyword))
                continue;
            found.set(resource, verse, text);
            const ResultItem item{resource, verse};
            ++outcome.matches;
            if (hooks.found)
                hooks.found({item, item.text(chapterCaptions.value(sura))});
            if (hooks.yield)
                hooks.yield();
            if (cancelSearch) {
                if (hooks.confirmCancel && hooks.confirmCancel()) {
                    outcome.stoppedByUser = true;
                    break;
                }
                cancelSearch = false;
            }
        }
    }
    cancelSearch = false;
    return outcome;
}
