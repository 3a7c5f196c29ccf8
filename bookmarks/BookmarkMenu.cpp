#include "BookmarkMenu.h"

#include "BookmarksLog.h"
#include "BookMarkStore.h"
#include "CommandBars.h"
#include "CommandTable.h"

#include <QList>

CommandBar* BookmarkMenu::popup() const {
    if (!bars_ || !bars_->ActiveMenuBar())
        return nullptr;
    CommandBarControl* control =
        bars_->ActiveMenuBar()->Controls()->Find(ControlKind::Popup, kPopupId);
    return control ? control->CommandBar() : nullptr;
}

void BookmarkMenu::EnumBookMarks(const BookMarkStore& store) const {
    for (const QString& element : store.listed()) {
        bool isNumber = false;
        const int number = element.trimmed().toInt(&isNumber);
        if (!isNumber || BookMarkStore::menuId(number) == 0) {
            qCInfo(lcBookmarks) << "skipping the listed bookmark" << element;
            continue;
        }
        addEntry(number, store.name(element));
    }
}

void BookmarkMenu::addEntry(int number, const QString& caption) const {
    const int id = BookMarkStore::menuId(number);
    if (CommandBar* bar = popup(); bar && id != 0)
        bar->Controls()->Add(ControlKind::Button, id, caption);
}

void BookmarkMenu::removeEntry(int number) const {
    const int id = BookMarkStore::menuId(number);
    if (CommandBar* bar = popup(); bar && id != 0) {
        if (CommandBarControl* entry = bar->Controls()->Find(ControlKind::Button, id))
            entry->Delete();
    }
}

void BookmarkMenu::rebuild(const BookMarkStore& store) const {
    CommandBar* bar = popup();
    if (!bar)
        return;
    QList<CommandBarControl*> entries;
    for (int i = 1; i <= bar->Controls()->Count(); ++i) {
        CommandBarControl* control = bar->Controls()->Item(i);
        if (control && BookmarkCommandId::isEntry(control->Id()))
            entries << control;
    }
    for (CommandBarControl* entry : entries)
        entry->Delete();
    EnumBookMarks(store);
}
