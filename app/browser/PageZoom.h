#pragma once

#include <QObject>
#include <QPointer>

class QWebEngineView;

// Lets the reader zoom a view's page in the levels of ZoomSteps: Ctrl++ (or
// Ctrl+=) and Ctrl+- anywhere in the view's window, Ctrl+0 back to 100 %,
// and Ctrl with the mouse wheel over the page.  The page's own script is
// off, so the wheel is caught on its way into the engine's widget.
class PageZoom : public QObject {
    Q_OBJECT
public:
    explicit PageZoom(QWebEngineView* view);

    int percent() const { return percent_; }
    // Shows the page at `percent` (a level); no zoomed signal.
    void setPercent(int percent);

    void zoomIn();
    void zoomOut();
    void reset();

signals:
    // The reader changed the zoom to `percent`.
    void zoomed(int percent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void change(int percent);
    void addShortcut(const QKeySequence& keys, void (PageZoom::*action)());
    bool wheel(QEvent* event);

    QPointer<QWebEngineView> view_;
    const QObject* viewObject_; // the view, compared with, never used
    int percent_;
    int wheelRest_ = 0; // wheel turn not yet a whole notch (touchpads send bits)
};
