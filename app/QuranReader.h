#pragma once

#include "ReadingPlace.h"
#include "SuraPageComposer.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include "BrowserView.h"
#include "SuraTree.h"

class AppContext;

// The reading view's one door: it owns the page composer and the cancel
// flag and shows what every part of the program asks for (a sura, the start
// page, one of the program's own pages filled with markup, a verse).  Links
// clicked in its pages come back here: res pages open in the view, web
// addresses go to the desktop shell.
class QuranReader : public QObject {
    Q_OBJECT
public:
    QuranReader(AppContext& context, BrowserView* view, SuraTree* tree, QObject* parent = nullptr);

    // Composes sura n (1..114) in the view; true when the page was placed
    // whole (suraShown follows), false when it was stopped or superseded.
    bool showSura(int sura);
    // The sura of the tree's selected entry; 0 when that entry is no sura
    // (the site link, the root) or nothing is selected.
    int selectedSura() const;
    // The key of the tree's selected entry ("Main", "English", "c1".."c114");
    // empty when nothing is selected.
    QString selectedEntryKey() const;
    // The composer's entry under its resource id (100 + the sura number).
    bool DispalyHTML(int resourceId);
    // The same through another page view and way of yielding (a benchmark
    // puts a stopwatch on both).
    bool composeWith(int resourceId, ComposerView& view, const std::function<void()>& yield);
    // Stops a running composition, shows the start page and marks the tree's
    // first entry (the Home command).
    void showStartPage();
    // Stops a running composition and shows the start page, from the tree's
    // root entry.
    void showRootPage();
    // Loads the program's own page `pageName` into `view` and makes
    // `bodyMarkup` its body.
    static void showOwnPage(BrowserView* view, const QString& pageName, const QString& bodyMarkup);

    // Composes the sura and selects the label "sura : verse", searched from
    // the top and matched whole, so that verse 25 never lands on 250; the
    // page scrolls so that the verse starts near the top of the view.  True
    // when the label was found and selected.
    bool goToVerse(int sura, int verse);

    // Composes the sura and scrolls its page so that the verse starts at the
    // top of the view.  True when the page was placed whole and the verse
    // found on it.
    bool showPlace(const VersePlace& place);
    // The verse at the top of the sura page on screen: the first whose label
    // is not scrolled past.  Nothing on a page without verses.
    std::optional<VersePlace> placeOnScreen() const;
    // The number of verses of sura `sura` in text library 1, which fixes them
    // (as the context's catalogue counts them).
    int verseCount(int sura) const;

    // True while a sura page is being composed (a composition yields to
    // events, which may start another inside it).
    bool isComposing() const { return composing_ > 0; }

    // The flag that stops a running composition (`CancelDisplay`).
    bool& CancelDisplay() { return cancelDisplay_; }
    void cancel() { cancelDisplay_ = true; }

    const SuraPageComposer& composer() const { return composer_; }
    BrowserView* view() const { return view_; }
    // The page address of one of the program's own HTML resources.
    static QString pageAddress(const QString& name);

signals:
    // A sura page (or the start page) has been fully placed.
    void pageShown();
    // The status text of a sura whose page was placed whole.
    void suraShown(int sura, const QString& treeText);
    // The start page has taken the place of any sura page.
    void startPageShown();
    // A verse was found on its sura page and selected or scrolled to.
    void verseShown(int sura, int verse);

private:
    void onLinkClicked(const QUrl& url);

    AppContext& context_;
    QPointer<BrowserView> view_;
    QPointer<SuraTree> tree_;
    SuraPageComposer composer_;
    bool cancelDisplay_ = false;
    int composing_ = 0; // compositions running, one inside another
};
