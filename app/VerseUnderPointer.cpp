#include "VerseUnderPointer.h"

#include "BrowserView.h"

#include <QVariantMap>

namespace VerseUnderPointer {

namespace {

// A verse is a run of the body's paragraphs: its texts (class main, then
// Trans), the separators between them (a Trans paragraph holding only a
// picture, and the empty paragraph the separator's stray end tag makes), the
// rule (tE) and last its label (A1).  Anything else, such as the title table
// or the opening lines, belongs to no verse.
const char* const kVerseAtPoint = R"(
(function(x, y) {
  var body = document.body;
  if (!body || x < 0 || y < 0 || x >= window.innerWidth || y >= window.innerHeight)
    return null;
  function isPart(e) {
    if (e && e.tagName === 'SPAN' && e.hasAttribute('aria-hidden'))
      return true; // the "." after the texts, kept from screen readers
    return !!e && e.tagName === 'P' &&
           (e.className === '' || e.classList.contains('main') || e.classList.contains('Trans') ||
            e.classList.contains('tE') || e.classList.contains('A1'));
  }
  function isLabel(e) { return e.tagName === 'P' && e.classList.contains('A1'); }
  var hit = document.elementFromPoint(x, y);
  while (hit && hit.parentElement !== body)
    hit = hit.parentElement;
  if (!hit) {
    // Between two paragraphs, or on text standing in the body itself: the
    // first paragraph below the point.
    for (var e = body.firstElementChild; e && !hit; e = e.nextElementSibling) {
      if (e.getBoundingClientRect().bottom > y)
        hit = e;
    }
  }
  if (!isPart(hit))
    return null;
  var label = hit;
  while (!isLabel(label)) {
    label = label.nextElementSibling;
    if (!isPart(label))
      return null;
  }
  var texts = [];
  for (var p = label.previousElementSibling; isPart(p) && !isLabel(p); p = p.previousElementSibling) {
    if (p.classList.contains('main') || p.classList.contains('Trans'))
      texts.unshift(p.textContent);
  }
  return {label: label.textContent, texts: texts};
})(%1, %2)
)";

} // namespace

std::optional<Verse> at(BrowserView& view, const QPoint& position) {
    // The page measures in its own pixels, which the zoom enlarges.
    const double zoom = view.zoomFactor() > 0 ? view.zoomFactor() : 1.0;
    const auto answer = view.runScript(
        QString::fromLatin1(kVerseAtPoint).arg(position.x() / zoom).arg(position.y() / zoom));
    if (!answer || answer->typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap found = answer->toMap();
    Verse verse;
    verse.label = found.value(QStringLiteral("label")).toString();
    verse.texts = found.value(QStringLiteral("texts")).toStringList();
    return verse;
}

} // namespace VerseUnderPointer
