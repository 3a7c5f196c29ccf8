#pragma once

#include "ReadingPlace.h"

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <optional>

class AppContext;
class PageZoom;
class QLabel;
class QStatusBar;
class QTimer;
class QuranReader;
class VerseContextMenu;

// What the page of the main window does beyond showing a sura: the zoom and
// its panel in the status bar, the verse context menu, the print scripts,
// the reading place kept between runs, and the current verse.
//
// The current verse is the verse the reader last pointed at (the context
// menu), went to (go-to, a bookmark), moved to (the reading place at
// start-up) or stepped to with the verse keys; a page of another sura, or
// the start page, clears it.  The page shows it with a mark (its label in
// the highlight colour, a bar beside its texts) and gives it the focus, so
// a screen reader reads it.  Features that act on "this verse" read it
// here, follow currentVerseChanged, and add their entries to the verse
// context menu with addVerseAction.
class ReadingView : public QObject {
    Q_OBJECT
public:
    using VerseAction = std::function<void(const VersePlace& verse)>;

    // Serves the reader's view; the zoom panel joins `statusBar` when one is
    // given.
    ReadingView(AppContext& context, QuranReader& reader, QStatusBar* statusBar,
                QObject* parent = nullptr);

    std::optional<VersePlace> currentVerse() const { return current_; }
    void setCurrentVerse(const std::optional<VersePlace>& verse);
    // Composes the verse's sura and selects its label; the verse becomes
    // current when it is found.
    bool goToVerse(const VersePlace& verse);

    // Moves the current verse `step` verses on (-1: back) within its sura,
    // marks it, gives it the page's focus and scrolls it to the top of the
    // view.  Without a current verse, the verse at the top of the view
    // becomes current.  Nothing on a page without verses.
    void stepVerse(int step);
    // The verse context menu, and "Copy verse", on the current verse.
    void openVerseMenu();
    bool copyCurrentVerse();

    // The keys of the page (with the page focused): the next and previous
    // verse, and the verse menu; "Copy verse" is VerseContextMenu::kCopyVerseKey.
    static const QKeySequence kNextVerseKey;
    static const QKeySequence kPreviousVerseKey;
    static const QList<QKeySequence> kVerseMenuKeys;

    // Adds an entry to the verse context menu, after "Copy verse": it is
    // enabled over a verse and acts on that verse, which is then current.
    void addVerseAction(const QString& caption, VerseAction action);

    // Where the reader left off, when the reader keeps it (see ReadingPlace).
    std::optional<VersePlace> placeToOpen() const;
    // Notes the place on screen for the next start, when the reader keeps it.
    void keepPlace();

    QuranReader& reader() const { return reader_; }
    PageZoom* zoom() const { return zoom_; }
    // "Zoom 125%" at the right of the status bar, shown for a while after
    // the reader zooms; nothing without a status bar.
    QLabel* zoomPanel() const { return zoomPanel_; }
    VerseContextMenu* contextMenu() const { return menu_; }

signals:
    void currentVerseChanged();

private:
    void showZoom(int percent);
    void addVerseKeys();
    // The middle of the current verse's label in the view, scrolled into
    // view; nothing without a current verse on the page.
    std::optional<QPoint> currentLabelPoint();
    // Paints the mark of the current verse on the page (see CurrentVerseMark).
    void markCurrentVerse();
    void addZoomPanel(QStatusBar* statusBar);

    AppContext& context_;
    QuranReader& reader_;
    std::optional<VersePlace> current_;
    PageZoom* zoom_ = nullptr;
    VerseContextMenu* menu_ = nullptr;
    QLabel* zoomPanel_ = nullptr;
    QTimer* zoomShown_ = nullptr;
};
