#include "BookmarkMenu.h"

#include "BookmarksLog.h"
#include "BookMarkStore.h"
#include "CommandBars.h"
#include "CommandTable.h"

#include <QAction>
#include <QList>

namespace {

const QString kMoreCaption = QStringLiteral("More Bookmarks...");

// A menu reads "&" as the mark of an access key; a name shows as written.
QString shownAsWritten(QString caption) {
    return caption.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

CommandBar* BookmarkMenu::popup() const {
    if (!bars_ || !bars_->ActiveMenuBar())
        return nullptr;
    CommandBarControl* control =
        bars_->ActiveMenuBar()->Controls()->Find(ControlKind::Popup, kPopupId);
    return control ? control->CommandBar() : nullptr;
}

void BookmarkMenu::EnumBookMarks(const BookMarkStore& store) {
    // The stamp first: a save between it and the reading shows next time.
    stamp_ = store.stamp();
    // The names of the entries that fit only: the first ones of the list,
    // and one more, whose entry "More Bookmarks..." stands for the rest.
    const std::optional<StoredBookmarks> stored = store.readFirst(kMaxEntries + 1);
    if (!stored) {
        qCInfo(lcBookmarks) << "the bookmarks could not be read for the menu";
        return;
    }
    for (const QString& element : stored->listed()) {
        bool isNumber = false;
        const int number = element.trimmed().toInt(&isNumber);
        if (!isNumber || BookMarkStore::menuId(number) == 0) {
            qCInfo(lcBookmarks) << "skipping the listed bookmark" << element;
            continue;
        }
        addEntry(number, stored->name(element));
        if (isFull())
            break;
    }
}

int BookmarkMenu::entryCount() const {
    CommandBar* bar = popup();
    int count = 0;
    for (int i = 1; bar && i <= bar->Controls()->Count(); ++i) {
        if (BookmarkCommandId::isEntry(bar->Controls()->Item(i)->Id()))
            ++count;
    }
    return count;
}

bool BookmarkMenu::isFull() const {
    CommandBar* bar = popup();
    return bar && bar->Controls()->Find(ControlKind::Button, kMoreId);
}

void BookmarkMenu::addMoreEntry() const {
    if (CommandBar* bar = popup(); bar && !isFull()) {
        CommandBarControl* more = bar->Controls()->Add(ControlKind::Button, kMoreId, kMoreCaption);
        more->setBeginGroup(true);
    }
}

void BookmarkMenu::addEntry(int number, const QString& caption) const {
    const int id = BookMarkStore::menuId(number);
    CommandBar* bar = popup();
    if (!bar || id == 0 || isFull())
        return;
    if (entryCount() >= kMaxEntries) {
        addMoreEntry();
        return;
    }
    CommandBarControl* entry = bar->Controls()->Add(ControlKind::Button, id, caption);
    entry->action()->setText(shownAsWritten(caption));
}

void BookmarkMenu::removeEntry(int number) const {
    const int id = BookMarkStore::menuId(number);
    if (CommandBar* bar = popup(); bar && id != 0) {
        if (CommandBarControl* entry = bar->Controls()->Find(ControlKind::Button, id))
            entry->Delete();
    }
}

void BookmarkMenu::rebuild(const BookMarkStore& store) {
    CommandBar* bar = popup();
    if (!bar)
        return;
    QList<CommandBarControl*> entries;
    for (int i = 1; i <= bar->Controls()->Count(); ++i) {
        CommandBarControl* control = bar->Controls()->Item(i);
        if (control && (BookmarkCommandId::isEntry(control->Id()) || control->Id() == kMoreId))
            entries << control;
    }
    for (CommandBarControl* entry : entries)
        entry->Delete();
    EnumBookMarks(store);
}

void BookmarkMenu::refresh(const BookMarkStore& store) {
    if (store.stamp() != stamp_)
        rebuild(store);
}
