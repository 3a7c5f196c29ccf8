#pragma once

#include "ReadingPlace.h"

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <functional>

class BrowserView;
class QMenu;
class QWidget;

// The context menu of the reading page: "Copy verse" puts the verse under
// the pointer on the clipboard, and the verse actions added by the
// subsystems act on that verse; all are disabled where there is no verse.
// It takes the place of the engine's own menu, whose entries (back, reload,
// view source, ...) have no use on the program's pages.
class VerseContextMenu : public QObject {
    Q_OBJECT
public:
    static const QString kCopyVerse;
    // The key of "Copy verse" (the reading view's, on its current verse).
    static const QKeySequence kCopyVerseKey;

    // Serves `view`, whose child it becomes.
    explicit VerseContextMenu(BrowserView* view);

    // The menu for `position` in the view's coordinates; the caller owns it.
    QMenu* menuAt(const QPoint& position, QWidget* parent = nullptr);
    // Adds an entry after "Copy verse" that acts on the verse under the pointer.
    void addVerseAction(const QString& caption, std::function<void(const VersePlace&)> action);

    // Told the verse under the pointer whenever the menu opens over one.
    std::function<void(const VersePlace& verse)> pointedAt;

    // Puts the verse under `position` on the clipboard.  False, and the
    // clipboard untouched, where no verse is.
    bool copyVerseAt(const QPoint& position);
    // Opens the menu for `position`, unless one is open already.
    void popUp(const QPoint& position);

private:
    struct VerseAction {
        QString caption;
        std::function<void(const VersePlace&)> act;
    };

    BrowserView* view_;
    QList<VerseAction> actions_;
    QPointer<QMenu> shown_;
};
