#pragma once

#include "Comparison.h"
#include "FoundVerses.h"
#include "ResultItem.h"

#include <QString>
#include <QStringList>

#include <functional>

class ResReader;
struct AppSettings;

// Which text library a search reads, by the item of the "Search in" box:
// 0 the transliteration, 1 the translation, 2 the Arabic text compared
// letter by letter; with no item selected no library is loaded and the
// program's own (Arabic) text is searched as stored.
namespace SearchScope {
inline constexpr int kTransliteration = 0;
inline constexpr int kTranslation = 1;
inline constexpr int kArabic = 2;
// The library file for the item; empty for none.
QString libraryFile(int searchInItem, const AppSettings& settings);
Comparison comparisonOf(int searchInItem);
} // namespace SearchScope

// The resource numbers of the suras one search covers, both ends included.
struct SearchRange {
    int first = 101;
    int last = 214;

    static SearchRange wholeQuran() { return {}; }
    // From the chapter box: an index below 1 (the whole Qur'an, or nothing
    // selected) covers all suras, any other item the sura in its item value.
    static SearchRange fromChapterItem(int selectedIndex, int itemData);
};

// One matching verse; its entry text is made when the list asks for it.
struct SearchHit {
    ResultItem item;
    // By sura number: the list given to run(), so a hit kept past the
    // search must not outlive that list.
    const QStringList* chapterCaptions = nullptr;

    QString entryText() const {
        return item.text(chapterCaptions ? chapterCaptions->value(item.sura()) : QString());
    }
};

// Scans the verses of one text library for a keyword, sura by sura: each
// verse of the translation is the stored text as it is (markup and
// character references included), compared in upper case as a plain
// substring, or failing that the characters it stands for, compared
// without regard to case (a translation added in any script); the Arabic
// text and the transliteration are compared by their letters
// (ArabicFolding, TransliterationFolding).  A verse matches once however
// often the keyword occurs in it.  The search lets the caller run pending
// events about once a frame, however many or few verses match, and looks at
// the cancel flag then (and at the first match, for a Cancel pressed before
// the search).
class SearchEngine {
public:
    struct Hooks {
        // A match, in search order (ascending sura, then verse).
        std::function<void(const SearchHit& hit)> found;
        // Lets pending window events run.
        std::function<void()> yield;
        // Whether it is time to yield, asked after every verse; unset, the
        // search yields once kYieldIntervalMs have passed since the last time.
        std::function<bool()> timeToYield;
        // Asks whether the user really wants to stop; true for Yes.
        std::function<bool()> confirmCancel;
    };

    // About one frame: the window stays responsive and Cancel is answered
    // at once, while the list is not redrawn for every match.
    static constexpr qint64 kYieldIntervalMs = 16;

    struct Outcome {
        int matches = 0;
        bool stoppedByUser = false;
    };

    // `reader` is bound to the library to search; verses of the translation
    // are numbered past its lead elements, as its pages show them.
    SearchEngine(const ResReader& reader, bool isTranslation,
                 Comparison comparison = Comparison::StoredText);

    // Searches `range`; `chapterCaptions` holds the sura captions by sura
    // number (element 0 unused).  Every match is kept in `found` (cleared
    // first).  `cancelSearch` is the window's cancel flag: read whenever the
    // search has yielded and cleared when the search ends.
    Outcome run(const QString& keyword, SearchRange range, const QStringList& chapterCaptions,
                FoundVerses& found, bool& cancelSearch, const Hooks& hooks) const;

    static QString askCancelText() {
        return QStringLiteral("Do you want to cancel your search ??");
    }
    static QString zeroResultsText() {
        return QStringLiteral("Your Search   has zero  results !!!!");
    }
    static QString emptyKeywordText() { return QStringLiteral("Please enter search keyword "); }
    static QString searchingStatus() { return QStringLiteral(" Searching .... "); }
    // While the search runs, with the entries found so far.
    static QString searchingStatus(int entries);
    static QString doneStatus(int entries);

private:
    const ResReader& reader_;
    bool isTranslation_;
    Comparison comparison_;
};
