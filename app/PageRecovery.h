#pragma once

#include "ReadingPlace.h"
#include "RestartBudget.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStatusBar>

#include <optional>

class ReadingView;
class TopVerseWatch;

// Shows the reading view's page again when its renderer process ends
// before its time (it crashed, or the system ended it), which leaves the
// view blank: a sura page is composed again with the verse that stood at
// the top of the view at the top again, and the current verse kept; any
// other page is loaded again.  The status bar says so.  A renderer that
// keeps ending is not restarted without end: past kRestarts within
// kSpanMs, the status bar asks the reader to choose a page instead.
class PageRecovery : public QObject {
    Q_OBJECT
public:
    static constexpr int kRestarts = 3;
    static constexpr qint64 kSpanMs = 60000;

    PageRecovery(ReadingView& reading, QStatusBar* statusBar, QObject* parent = nullptr);

    // The sura and the verse at the top of its page that would be shown
    // again now; nothing on a page without verses.
    std::optional<VersePlace> placeToShow() const { return place_; }

    static QString shownAgainNote();
    static QString gaveUpNote();

signals:
    // The page was shown again after its renderer ended.
    void pageShownAgain();
    // The renderer ended once more than the budget allows; the view stays
    // blank until the reader chooses a page.
    void gaveUp();

private:
    void onRendererLost();
    // Waits for a composition that is running: it ends at once on a lost
    // renderer, and the page it was composing is then the one to show.
    void showAgainWhenIdle();
    void showAgain();
    void noteTopLabel(const QString& label);
    void tell(const QString& text, int timeoutMs);

    ReadingView& reading_;
    QPointer<QStatusBar> statusBar_;
    TopVerseWatch* watch_;
    RestartBudget budget_{kRestarts, kSpanMs};
    QElapsedTimer clock_;
    std::optional<VersePlace> place_;
    bool pending_ = false;
};
