#pragma once

#include "BrowserView.h"

#include <QColor>
#include <QImage>
#include <QTest>
#include <QWidget>

#include <cstdlib>
#include <utility>

// How the GUI tests wait: for the state a check needs (a page loaded, a
// frame painted, a window shown, a condition true), never for a time, so
// that a slow or loaded machine makes a test slower, not red.  The one
// limit only ends a test that is truly broken; it costs nothing when things
// work, and stays below the test programs' own time limit so that a broken
// test still says what it waited for.
namespace StateWait {

inline constexpr int kLimitMs = 3 * 60 * 1000;

// Handles events until `ready` holds; false when the limit ran out first.
template <typename Ready> bool until(Ready&& ready) {
    return QTest::qWaitFor(std::forward<Ready>(ready), kLimitMs);
}

// Waits until the page has begun two more frames: the first lays out and
// paints what was changed before the call, the second begins once that is
// on its way to the screen.  The page's own JavaScript is off; scripts of
// the application's world still run and get the page's frames.
inline bool framesBegun(BrowserView* view) {
    static int round = 0;
    const int mine = ++round;
    if (!view->runScript(QStringLiteral("window.testFrames = 0; requestAnimationFrame(function () {"
                                        "  requestAnimationFrame(function () {"
                                        "    window.testFrames = %1; }); }); true")
                             .arg(mine),
                         kLimitMs))
        return false;
    return until([&] {
        return view->runScript(QStringLiteral("window.testFrames === %1").arg(mine), kLimitMs)
            .value_or(false)
            .toBool();
    });
}

namespace detail {

inline bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 16 && std::abs(a.green() - b.green()) < 16 &&
           std::abs(a.blue() - b.blue()) < 16;
}

// Gives the mark in the page's top left corner `colour`, making it first.
// It hangs from the document's root, outside the body that the program
// writes and reads, and is hidden from assistive technology.
inline bool paintMark(BrowserView* view, const QColor& colour) {
    return view
        ->runScript(QStringLiteral(R"((function (colour) {
  var mark = window.testFrameMark;
  if (!mark || !mark.isConnected) {
    mark = document.createElement('div');
    mark.setAttribute('aria-hidden', 'true');
    mark.style.cssText = 'position: fixed; left: 0; top: 0; width: 4px; height: 4px;' +
                         ' margin: 0; z-index: 2147483647; pointer-events: none;';
    document.documentElement.appendChild(mark);
    window.testFrameMark = mark;
  }
  mark.style.backgroundColor = colour;
  return true;
})('%1'))")
                        .arg(colour.name()),
                    kLimitMs)
        .value_or(false)
        .toBool();
}

} // namespace detail

// A picture of `surface` (the view, or the widget its page is painted on)
// that shows the page as it is now, every change made before the call
// painted.  The engine paints on its own time and a grab shows the last
// frame that reached the window, which may be older: a mark in the page's
// top left corner changes colour twice, and the picture is taken once the
// second colour is on it.  Every picture shows the mark in that same
// colour, so that two pictures differ only where the page does.  Null when
// the page never showed the mark.
inline QImage paintedPicture(BrowserView* view, QWidget* surface = nullptr) {
    if (!surface)
        surface = view;
    static const QColor changing(0xFF, 0x00, 0xFF);
    static const QColor steady(0x00, 0xFF, 0x00);
    QImage picture;
    for (const QColor& colour : {changing, steady}) {
        if (!detail::paintMark(view, colour))
            return {};
        const bool shown = until([&] {
            picture = surface->grab().toImage().convertToFormat(QImage::Format_RGB32);
            return !picture.isNull() && detail::near(picture.pixelColor(0, 0), colour);
        });
        if (!shown)
            return {};
    }
    return picture;
}

} // namespace StateWait

// A QVERIFY or QCOMPARE of a state that comes on its own time: waited for
// until it holds (StateWait::kLimitMs at most), then checked.
#define WAIT_VERIFY(expr) QVERIFY2(StateWait::until([&] { return bool(expr); }), #expr)
#define WAIT_COMPARE(actual, expected)                                                             \
    do {                                                                                           \
        (void)StateWait::until([&] { return bool((actual) == (expected)); });                      \
        QCOMPARE(actual, expected);                                                                \
    } while (false)
