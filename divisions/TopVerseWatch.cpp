#include "TopVerseWatch.h"

#include "BrowserView.h"

#include <QPointer>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace {

// The labels stand in page order, so their tops grow down the page: the
// first one at or below the top of the view is found by halving.  Past the
// last label, the last verse is the nearest.
const char kTopLabel[] = R"JS(
(function () {
  if (!document.body) return null;
  var labels = document.querySelectorAll('body > p.A1');
  if (!labels.length) return null;
  var low = 0, high = labels.length;
  while (low < high) {
    var middle = (low + high) >> 1;
    if (labels[middle].getBoundingClientRect().top >= 0) high = middle;
    else low = middle + 1;
  }
  return labels[Math.min(low, labels.length - 1)].textContent.trim();
})()
)JS";

} // namespace

TopVerseWatch::TopVerseWatch(BrowserView* view, QObject* parent)
    : QObject(parent), view_(view), throttle_(new QTimer(this)) {
    throttle_->setSingleShot(true);
    throttle_->setInterval(kIntervalMs);
    connect(throttle_, &QTimer::timeout, this, &TopVerseWatch::ask);
    // The first move of a scroll starts the interval; the moves within it
    // are answered together at its end.
    connect(view->page(), &QWebEnginePage::scrollPositionChanged, this, [this] {
        if (!throttle_->isActive())
            throttle_->start();
    });
    connect(view->page(), &QWebEnginePage::loadFinished, this, &TopVerseWatch::refresh);
}

QString TopVerseWatch::topLabelScript() {
    return QString::fromLatin1(kTopLabel);
}

void TopVerseWatch::refresh() {
    if (!throttle_->isActive())
        throttle_->start();
}

void TopVerseWatch::ask() {
    const QPointer<TopVerseWatch> self(this);
    view_->page()->runJavaScript(
        topLabelScript(), QWebEngineScript::ApplicationWorld, [self](const QVariant& answer) {
            if (!self)
                return;
            const QString label = answer.isNull() ? QString() : answer.toString();
            if (self->answered_ && label == self->last_)
                return;
            self->answered_ = true;
            self->last_ = label;
            emit self->topLabelChanged(label);
        });
}
