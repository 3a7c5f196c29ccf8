#pragma once

#include "BookmarkCommandIds.h"
#include "CommandBars.h"

#include <QPointer>
#include <QString>

class BookMarkStore;

// The stored bookmarks' entries in the Bookmarks popup of the menu bar: one
// button per bookmark, below the popup's own items, with the identifier "210"
// followed by the bookmark number and the bookmark's "Name" as caption.  The
// popup shows the first kMaxEntries bookmarks of the list; when there are
// more, a last entry "More Bookmarks..." leads to a list of them all.
class BookmarkMenu {
public:
    // The identifier of the Bookmarks popup.
    static constexpr int kPopupId = BookmarkCommandId::BookmarksPopup;
    static constexpr int kMoreId = BookmarkCommandId::MoreBookmarks;
    // As many entries as a screen 768 pixels high shows below the menu bar
    // and the popup's own items.
    static constexpr int kMaxEntries = 25;

    void attach(CommandBars* bars) { bars_ = bars; }
    // The popup's bar; nothing before the menus are built.
    CommandBar* popup() const;

    // Appends one entry per listed bookmark, in list order, read from the
    // store in one go.
    void EnumBookMarks(const BookMarkStore& store);
    // Appends an entry, or the entry "More Bookmarks..." when the popup is
    // full.
    void addEntry(int number, const QString& caption) const;
    void removeEntry(int number) const;
    // Takes every bookmark entry out and enumerates the store again.
    void rebuild(const BookMarkStore& store);
    // Rebuilds when the store was saved since the entries were made, so that
    // another copy's changes show when the popup next opens.
    void refresh(const BookMarkStore& store);
    // Whether the popup leaves out some of the bookmarks.
    bool isFull() const;

private:
    int entryCount() const;
    void addMoreEntry() const;

    QPointer<CommandBars> bars_;
    QString stamp_;
};
