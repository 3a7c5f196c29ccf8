#pragma once

#include "BookmarkCommandIds.h"
#include "CommandBars.h"

#include <QPointer>
#include <QString>

class BookMarkStore;

// The stored bookmarks' entries in the Bookmarks popup of the menu bar: one
// button per bookmark, below the popup's own items, with the identifier "210"
// followed by the bookmark number and the bookmark's "Name" as caption.
class BookmarkMenu {
public:
    // The identifier of the Bookmarks popup.
    static constexpr int kPopupId = BookmarkCommandId::BookmarksPopup;

    void attach(CommandBars* bars) { bars_ = bars; }
    // The popup's bar; nothing before the menus are built.
    CommandBar* popup() const;

    // Appends one entry per listed bookmark, in list order.
    void EnumBookMarks(const BookMarkStore& store) const;
    void addEntry(int number, const QString& caption) const;
    void removeEntry(int number) const;
    // Takes every bookmark entry out and enumerates the store again.
    void rebuild(const BookMarkStore& store) const;

private:
    QPointer<CommandBars> bars_;
};
