#pragma once

#include <QObject>
#include <QString>

class BrowserView;
class QTimer;

// Follows which verse stands at the top of a sura page as the reader
// scrolls: the first verse whose label is not scrolled past, as the reading
// place counts it.  Scrolling is never held up for it: the page is asked at
// most once per interval while it moves, without waiting for the answer,
// and the answer finds the verse by halving the page's labels.
class TopVerseWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 100;

    explicit TopVerseWatch(BrowserView* view, QObject* parent = nullptr);

    // Asks the page again soon (a new page was placed, a verse gone to).
    void refresh();

    // The script that answers the label of the verse at the top, or null.
    static QString topLabelScript();

signals:
    // The label of the verse at the top ("2 : 142"), or an empty text on a
    // page without verses.
    void topLabelChanged(const QString& label);

private:
    void ask();

    BrowserView* view_;
    QTimer* throttle_;
    QString last_;
    bool answered_ = false;
};
