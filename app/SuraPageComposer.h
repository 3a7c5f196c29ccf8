#pragma once

#include "ResReader.h"

#include <QString>
#include <QStringList>

#include <functional>

// What the composer needs of the page view.
class ComposerView {
public:
    virtual ~ComposerView() = default;
    // Loads the page at `address`; returns once it has loaded or given up.
    virtual void navigate(const QString& address) = 0;
    // True when the page on show is the template at `address` as an earlier
    // composition left it, which openTemplate can put back as loaded.
    virtual bool canReuseTemplate(const QString& address) const {
        (void)address;
        return false;
    }
    // Makes the template at `address` the page to fill: the page on show is
    // put back as loaded (scrolled to its top) where canReuseTemplate allows,
    // and loaded afresh otherwise.  A page put back changes on screen only
    // at the next flush or appendBody, in one piece with what was done to
    // it meanwhile.
    virtual void openTemplate(const QString& address) { navigate(address); }
    // Shows what was done to a page put back so far.
    virtual void flush() {}
    // The body's markup becomes its markup followed by `markup`.
    virtual void appendBody(const QString& markup) = 0;
    // Returns once the page has shown what was appended so far, or after
    // `timeoutMs`, or at once where the view cannot tell.
    virtual void waitUntilShown(int timeoutMs) { (void)timeoutMs; }
    // Every occurrence of `find` (compared without regard to case) in the
    // body's markup is replaced by `replacement`.
    virtual void replaceInBody(const QString& find, const QString& replacement) = 0;
    // The template's opening lines above the first verse: `basmala` (the
    // library's markup of the Arabic formula, empty for none) above the
    // English line, which shows only when `englishShown`.
    virtual void setOpening(const QString& basmala, bool englishShown) = 0;
    // The line under the basmala in the translation on show: `markup` (a
    // library's stored text) in the language `language`, or the template's
    // own line when `markup` is empty.
    virtual void setOpeningLine(const QString& markup, const QString& language) {
        (void)markup;
        (void)language;
    }
};

// What the composer needs of the main window.
struct ComposerHost {
    QString orderString;
    QString arabicLibraryFile;
    QString translationLibraryFile;
    QString transliterationLibraryFile;
    // A reader of a library file; the file is loaded afresh when not given.
    std::function<ResReader(const QString& file)> library;
    std::function<QString(const QString& pageName)> pageAddress;
    std::function<QString(int sura)> treeNodeText;
    std::function<QString(int sura)> englishName;
    std::function<void(int sura)> selectSuraNode;
    std::function<void()> focusTree;
    std::function<void()> yield;
    bool* cancelDisplay = nullptr;
    // Each verse's Arabic ends with the end-of-verse ornament and its number.
    bool verseEndMarks = false;
    // How long the page on show may stay before the loading page replaces
    // it, when the template on show is reused and reading takes that long.
    int loadingPageDelayMs = 100;
    // How long the second portion may wait for the first to be shown, and
    // how long (in characters of markup) it must be to wait at all: a short
    // one costs the engine less than a frame.
    int firstPortionShowMs = 100;
    int secondPortionWaitChars = 16384;
};

// Shows one sura: every verse from each displayed library in display order,
// a rule and the label "sura : verse", appended in four portions so that the
// first verses show early.  The template that an earlier composition left
// on show is reused rather than loaded again: emptied and titled at once,
// it is filled while the engine has cleared it; the loading page then shows
// only when reading takes long.  The second portion waits, briefly, for the
// first to be on screen, so that the engine draws the first verses before
// it reads the rest.  A paragraph written in Arabic is marked as such,
// so that the page sets it right to left in the Qur'anic face; the sura opens
// with its basmala in Arabic where one is printed above it.  `CancelDisplay`
// stops it at any step; a newer composition started from inside one of its
// yields stops it too, so a page never receives another sura's portions.
class SuraPageComposer {
public:
    // Fragments of the page markup.
    static const QString kFirstOpening;
    static const QString kOtherOpening;
    // The same for a text in Arabic.
    static const QString kFirstArabicOpening;
    static const QString kOtherArabicOpening;
    static const QString kParagraphEnd;
    static const QString kSeparator;
    static const QString kLastMark;
    static const QString kRule;
    static const QString kLabelOpening;
    // The template's title slot as this engine writes it out, and its fill.
    static const QString kTitleSlot;
    static const QString kTitleFill;

    // True when the page was placed whole; false when it was stopped or a
    // newer composition took over.
    bool DispalyHTML(int resourceId, ComposerHost& host, ComposerView& view);

    // The verse count of the last composition.
    int verseCount() const { return verseCount_; }

    // The portions [start, end) for a sura of `verseCount` verses.
    static QList<QPair<int, int>> portions(int verseCount);

private:
    int verseCount_ = 0;
    int generation_ = 0;
};
