#include "SearchEngine.h"

#include "AppSettings.h"
#include "ArabicFolding.h"
#include "LibraryLayout.h"
#include "ResReader.h"
#include "StoredTextCharacters.h"
#include "SuraVerses.h"
#include "TransliterationFolding.h"

#include <QElapsedTimer>

#include <optional>

QString SearchScope::libraryFile(int searchInItem, const AppSettings& settings) {
    switch (searchInItem) {
    case kTransliteration:
        return settings.TransliterationLibraryFile;
    case kTranslation:
        return settings.TranslationLibraryFile;
    case kArabic:
        return settings.ArabicLibraryFile;
    default:
        return {};
    }
}

Comparison SearchScope::comparisonOf(int searchInItem) {
    switch (searchInItem) {
    case kTransliteration:
        return Comparison::TransliterationLetters;
    case kArabic:
        return Comparison::ArabicLetters;
    default:
        return Comparison::StoredText;
    }
}

namespace {

bool isAscii(QStringView text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// The keyword in upper case, tested against verses the way the search
// compares: the verse in upper case, then a plain substring test on the
// stored text (so "&#" still finds a character reference); failing that,
// on the characters the stored text stands for, so that a word typed in
// any script finds a library that stores it as character references.
class UpperCaseMatch {
public:
    explicit UpperCaseMatch(const QString& keyword)
        : keyword_(keyword), upper_(keyword.toUpper()), upperIsAscii_(isAscii(upper_)) {}

    bool operator()(const QString& verse) const {
        if (storedTextHolds(verse))
            return true;
        // Only a reference or an escaped markup character reads as something
        // other than the stored text.
        if (!verse.contains(QLatin1Char('&')))
            return false;
        return StoredTextCharacters(verse).text().contains(keyword_, Qt::CaseInsensitive);
    }

private:
    bool storedTextHolds(const QString& verse) const {
        // The libraries hold 7-bit text.  For such a verse, upper-casing it
        // and searching is the same as an ASCII search without regard to
        // case (which needs no copy), and an upper-cased keyword with other
        // characters cannot occur in it.
        if (isAscii(verse))
            return upperIsAscii_ && verse.contains(upper_, Qt::CaseInsensitive);
        return verse.toUpper().contains(upper_);
    }

    QString keyword_;
    QString upper_;
    bool upperIsAscii_;
};

// Whether a stored verse holds the keyword, compared the given way.
class VerseMatch {
public:
    VerseMatch(const QString& keyword, Comparison comparison) {
        switch (comparison) {
        case Comparison::ArabicLetters:
            arabic_.emplace(keyword);
            break;
        case Comparison::TransliterationLetters:
            latin_.emplace(keyword);
            break;
        case Comparison::StoredText:
            upper_.emplace(keyword);
            break;
        }
    }

    bool operator()(const QString& verse) const {
        if (arabic_)
            return arabic_->foundIn(verse);
        if (latin_)
            return latin_->foundIn(verse);
        return (*upper_)(verse);
    }

private:
    std::optional<ArabicKeyword> arabic_;
    std::optional<TransliterationKeyword> latin_;
    std::optional<UpperCaseMatch> upper_;
};

} // namespace

SearchRange SearchRange::fromChapterItem(int selectedIndex, int itemData) {
    if (selectedIndex < 1)
        return wholeQuran();
    const int resource = LibraryLayout::verseTextId(itemData);
    return {resource, resource};
}

SearchEngine::SearchEngine(const ResReader& reader, bool isTranslation, Comparison comparison)
    : reader_(reader), isTranslation_(isTranslation), comparison_(comparison) {}

QString SearchEngine::searchingStatus(int entries) {
    return searchingStatus() + QLatin1Char('<') + QString::number(entries) +
           QStringLiteral("> Results");
}

QString SearchEngine::doneStatus(int entries) {
    return QStringLiteral(" Done .... <") + QString::number(entries) + QStringLiteral("> Results");
}

SearchEngine::Outcome SearchEngine::run(const QString& keyword, SearchRange range,
                                        const QStringList& chapterCaptions, FoundVerses& found,
                                        bool& cancelSearch, const Hooks& hooks) const {
    found.clear();
    Outcome outcome;
    const VerseMatch matches(keyword, comparison_);
    QElapsedTimer sinceYield;
    sinceYield.start();
    const auto timeToYield = [&] {
        if (hooks.timeToYield)
            return hooks.timeToYield();
        return sinceYield.hasExpired(kYieldIntervalMs);
    };
    for (int resource = range.first; resource <= range.last && !outcome.stoppedByUser; ++resource) {
        const int sura = resource - LibraryLayout::kVerseTextBase;
        // Past the translation's lead elements, and never the remainder
        // after the last "//".
        const SuraVerses verses = SuraVerses::read(reader_, sura, isTranslation_);
        const int count = verses.storedVerseCount();
        for (int verse = 1; verse <= count; ++verse) {
            const QString text = verses.storedVerse(verse);
            const bool match = matches(text);
            if (match) {
                found.set(resource, verse, text);
                ++outcome.matches;
                if (hooks.found)
                    hooks.found({ResultItem{resource, verse}, &chapterCaptions});
            }
            const bool yielding = timeToYield();
            if (yielding) {
                if (hooks.yield)
                    hooks.yield();
                sinceYield.restart();
            }
            // Cancel can only have been pressed while events ran, or
            // before the search: then it is asked at the first match.
            if (cancelSearch && (yielding || match)) {
                if (hooks.confirmCancel && hooks.confirmCancel()) {
                    outcome.stoppedByUser = true;
                    break;
                }
                cancelSearch = false;
                sinceYield.restart(); // the question took its own time
            }
        }
    }
    cancelSearch = false;
    return outcome;
}
