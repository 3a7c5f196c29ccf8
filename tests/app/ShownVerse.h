#pragma once

#include "BrowserView.h"
#include "PageScript.h"
#include "StateWait.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <cstdlib>
#include <optional>

// How a verse gone to must look on the real page: its label painted in the
// highlight colour, its first paragraph near the top of the view (a sura's
// first verses, below the page's heading, stand where the page's top leaves
// them, in the upper half).
namespace ShownVerse {

inline const QColor kHighlight(0x1A, 0x5F, 0xB4);

struct Geometry {
    QRect label;          // the label's box in the view's pixels
    int firstTextTop = 0; // top of the verse's first text paragraph
    int viewHeight = 0;
    bool pageAtTop = false; // nothing above to scroll away (a sura's first verses)
};

inline std::optional<Geometry> geometryOf(BrowserView* view, const QString& label) {
    const auto answer = view->runScript(QStringLiteral(R"((function (text) {
  var labels = document.querySelectorAll('p.A1');
  for (var i = 0; i < labels.length; ++i) {
    if (labels[i].textContent.trim() !== text) continue;
    var first = null;
    for (var p = labels[i].previousElementSibling;
         p && (p.tagName === 'SPAN' || (p.tagName === 'P' && !p.classList.contains('A1') &&
         (p.className === '' || p.classList.contains('main') || p.classList.contains('Trans') ||
          p.classList.contains('tE'))));
         p = p.previousElementSibling)
      if (p.classList.contains('main') || p.classList.contains('Trans')) first = p;
    var b = labels[i].getBoundingClientRect();
    return [b.left, b.top, b.width, b.height, first ? first.getBoundingClientRect().top : -1e6,
            window.scrollY];
  }
  return null;
})(%1))")
                                            .arg(PageScript::literal(label)),
                                        StateWait::kLimitMs);
    if (!answer || answer->toList().size() != 6)
        return std::nullopt;
    const QVariantList v = answer->toList();
    const double zoom = view->zoomFactor();
    Geometry g;
    g.label = QRect(qRound(v[0].toDouble() * zoom), qRound(v[1].toDouble() * zoom),
                    qRound(v[2].toDouble() * zoom), qRound(v[3].toDouble() * zoom));
    g.firstTextTop = qRound(v[4].toDouble() * zoom);
    g.viewHeight = view->height();
    g.pageAtTop = v[5].toDouble() <= 0;
    return g;
}

// The share of the pixels of `box` (inset by a pixel) in the highlight colour.
inline double highlightShare(const QImage& image, QRect box) {
    box = box.adjusted(1, 1, -1, -1).intersected(image.rect());
    if (box.isEmpty())
        return 0;
    int near = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - kHighlight.red()) < 32 &&
                std::abs(c.green() - kHighlight.green()) < 32 &&
                std::abs(c.blue() - kHighlight.blue()) < 32)
                ++near;
        }
    }
    return double(near) / (box.width() * box.height());
}

// Empty when the verse labelled `label` shows as a go-to leaves it on the
// page as painted now; otherwise what is wrong.
inline QString faultNow(BrowserView* view, const QString& label) {
    const auto g = geometryOf(view, label);
    if (!g)
        return QStringLiteral("no label %1 on the page").arg(label);
    if (g->firstTextTop < 0 ||
        g->firstTextTop > (g->pageAtTop ? g->viewHeight / 2 : g->viewHeight / 4))
        return QStringLiteral("the verse's first paragraph is at %1 px of %2")
            .arg(g->firstTextTop)
            .arg(g->viewHeight);
    const QImage image = StateWait::paintedPicture(view);
    if (image.isNull())
        return QStringLiteral("the page painted no new frame");
    const double share = highlightShare(image, g->label);
    if (share >= 0.6)
        return QString();
    return QStringLiteral("%1% of the label's box in the highlight colour")
        .arg(qRound(share * 100));
}

// Empty when the verse labelled `label` comes to show as a go-to leaves it;
// otherwise what is still wrong.  The page settles on its own time (verses
// are laid out as they come near the window), so it is looked at afresh on
// every newly painted picture until it holds.
inline QString fault(BrowserView* view, const QString& label) {
    QString why;
    (void)StateWait::until([&] {
        why = faultNow(view, label);
        return why.isEmpty();
    });
    return why;
}

} // namespace ShownVerse
