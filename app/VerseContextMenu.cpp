#include "VerseContextMenu.h"

#include "BrowserView.h"
#include "VerseClipboard.h"
#include "VerseUnderPointer.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

#include <optional>

const QString VerseContextMenu::kCopyVerse = QStringLiteral("Copy verse");
const QKeySequence VerseContextMenu::kCopyVerseKey(Qt::CTRL | Qt::SHIFT | Qt::Key_C);

namespace {

std::optional<QString> clipboardText(const std::optional<VerseUnderPointer::Verse>& verse) {
    if (!verse)
        return std::nullopt;
    return VerseClipboard::text(verse->texts, verse->label);
}

void putOnClipboard(const QString& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(text);
}

} // namespace

VerseContextMenu::VerseContextMenu(BrowserView* view) : QObject(view), view_(view) {
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    // The engine asks for the menu while it handles the click, and answers
    // no script until the request has returned: the verse is looked up
    // right after.
    connect(view_, &QWidget::customContextMenuRequested, this, &VerseContextMenu::popUp,
            Qt::QueuedConnection);
}

QMenu* VerseContextMenu::menuAt(const QPoint& position, QWidget* parent) {
    auto* menu = new QMenu(parent);
    QAction* copy = menu->addAction(kCopyVerse);
    copy->setShortcut(kCopyVerseKey);
    copy->setShortcutVisibleInContextMenu(true);
    // The verse is the one under the pointer when the menu opened, whatever
    // the page does while the menu is open.
    const auto verse = VerseUnderPointer::at(*view_, position);
    const auto text = clipboardText(verse);
    copy->setEnabled(text.has_value());
    if (text)
        connect(copy, &QAction::triggered, menu, [copied = *text] { putOnClipboard(copied); });
    const auto place = verse ? VersePlace::fromLabel(verse->label) : std::nullopt;
    if (place && pointedAt)
        pointedAt(*place);
    for (const VerseAction& action : actions_) {
        QAction* entry = menu->addAction(action.caption);
        entry->setEnabled(place.has_value());
        if (place)
            connect(entry, &QAction::triggered, menu, [act = action.act, at = *place] { act(at); });
    }
    return menu;
}

void VerseContextMenu::addVerseAction(const QString& caption,
                                      std::function<void(const VersePlace&)> action) {
    actions_.append({caption, std::move(action)});
}

bool VerseContextMenu::copyVerseAt(const QPoint& position) {
    const auto text = clipboardText(VerseUnderPointer::at(*view_, position));
    if (text)
        putOnClipboard(*text);
    return text.has_value();
}

void VerseContextMenu::popUp(const QPoint& position) {
    if (shown_ && shown_->isVisible())
        return; // the menu of an earlier click is still open
    shown_ = menuAt(position, view_);
    shown_->setAttribute(Qt::WA_DeleteOnClose);
    shown_->popup(view_->mapToGlobal(position));
}
