#include "PageZoom.h"

#include "ZoomSteps.h"

#include <QChildEvent>
#include <QShortcut>
#include <QWebEngineView>
#include <QWheelEvent>

namespace {

// One notch of a mouse wheel, in eighths of a degree.
constexpr int kNotch = 120;

} // namespace

PageZoom::PageZoom(QWebEngineView* view)
    : QObject(view), view_(view), viewObject_(view), percent_(ZoomSteps::kNormal) {
    addShortcut(QKeySequence::ZoomIn, &PageZoom::zoomIn);
    // Ctrl++ needs Shift on many keyboards; Ctrl+= is the same key without it.
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), &PageZoom::zoomIn);
    addShortcut(QKeySequence::ZoomOut, &PageZoom::zoomOut);
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_0), &PageZoom::reset);
    // The engine puts its own widget into the view and may replace it with
    // each new renderer; the wheel reaches that widget, not the view.
    view->installEventFilter(this);
    for (QObject* child : view->children())
        child->installEventFilter(this);
}

void PageZoom::addShortcut(const QKeySequence& keys, void (PageZoom::*action)()) {
    auto* shortcut = new QShortcut(keys, view_, nullptr, nullptr, Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, action);
}

void PageZoom::setPercent(int percent) {
    percent_ = percent;
    if (view_ && !qFuzzyCompare(view_->zoomFactor(), ZoomSteps::factor(percent)))
        view_->setZoomFactor(ZoomSteps::factor(percent));
}

void PageZoom::zoomIn() {
    change(ZoomSteps::larger(percent_));
}

void PageZoom::zoomOut() {
    change(ZoomSteps::smaller(percent_));
}

void PageZoom::reset() {
    change(ZoomSteps::kNormal);
}

void PageZoom::change(int percent) {
    if (percent == percent_)
        return;
    setPercent(percent);
    emit zoomed(percent);
}

bool PageZoom::eventFilter(QObject* watched, QEvent* event) {
    // The view is still sent events while its QWidget part is destroyed,
    // before its children (this filter among them) go: it is then no
    // QWebEngineView any more, so it is told by address alone, never through
    // view_, which would cast it.
    if (watched == viewObject_ && event->type() == QEvent::ChildAdded)
        static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
    if (event->type() == QEvent::Wheel)
        return wheel(event);
    return QObject::eventFilter(watched, event);
}

bool PageZoom::wheel(QEvent* event) {
    auto* turn = static_cast<QWheelEvent*>(event);
    if (!(turn->modifiers() & Qt::ControlModifier))
        return false; // plain wheel: the page scrolls
    wheelRest_ += turn->angleDelta().y();
    for (; wheelRest_ >= kNotch; wheelRest_ -= kNotch)
        zoomIn();
    for (; wheelRest_ <= -kNotch; wheelRest_ += kNotch)
        zoomOut();
    turn->accept();
    return true;
}
