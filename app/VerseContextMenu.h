#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

class BrowserView;
class QMenu;
class QWidget;

// The context menu of the reading page: "Copy verse" puts the verse under
// the pointer on the clipboard, and is disabled where there is no verse.
// It takes the place of the engine's own menu, whose entries (back, reload,
// view source, ...) have no use on the program's pages.
class VerseContextMenu : public QObject {
    Q_OBJECT
public:
    static const QString kCopyVerse;

    // Serves `view`, whose child it becomes.
    explicit VerseContextMenu(BrowserView* view);

    // The menu for `position` in the view's coordinates; the caller owns it.
    QMenu* menuAt(const QPoint& position, QWidget* parent = nullptr);
    // Puts the verse under `position` on the clipboard.  False, and the
    // clipboard untouched, where no verse is.
    bool copyVerseAt(const QPoint& position);

private:
    void popUp(const QPoint& position);

    BrowserView* view_;
    QPointer<QMenu> shown_;
};
