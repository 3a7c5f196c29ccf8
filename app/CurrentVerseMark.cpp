#include "CurrentVerseMark.h"

#include "PageScript.h"

namespace {

// A verse is the run of paragraphs before its label: its texts (main,
// Trans), the separators and the rule; the label of the verse before, or
// anything that is no verse paragraph (the title, the opening lines), ends it.
const char kMark[] = R"JS(
(function (text) {
  var body = document.body;
  if (!body) return false;
  function isLabel(e) { return e.tagName === 'P' && e.classList.contains('A1'); }
  function isPart(e) {
    if (e && e.tagName === 'SPAN' && e.hasAttribute('aria-hidden'))
      return true; // the "." after the texts
    return !!e && e.tagName === 'P' &&
           (e.className === '' || e.classList.contains('main') || e.classList.contains('Trans') ||
            e.classList.contains('tE'));
  }
  Array.prototype.forEach.call(body.querySelectorAll('[aria-current], [data-current-verse]'),
                                function (e) {
    ['aria-current', 'data-current-verse', 'tabindex', 'role', 'aria-label',
     'aria-describedby'].forEach(function (name) { e.removeAttribute(name); });
    if (e.id.indexOf('current-verse-') === 0) e.removeAttribute('id');
  });
  var labels = body.querySelectorAll(':scope > p.A1');
  for (var i = 0; i < labels.length; ++i) {
    var label = labels[i];
    if (label.textContent.trim() !== text) continue;
    var texts = [];
    for (var p = label.previousElementSibling; isPart(p); p = p.previousElementSibling) {
      if ((p.classList.contains('main') || p.classList.contains('Trans')) &&
          p.textContent.trim() !== '') {
        p.setAttribute('data-current-verse', '');
        texts.unshift(p);
      }
    }
    // A screen reader meets the verse at its label: named by it, described
    // by its texts in the order the page shows them.
    texts.forEach(function (p, k) { if (!p.id) p.id = 'current-verse-' + (k + 1); });
    label.setAttribute('aria-current', 'true');
    label.setAttribute('role', 'article');
    label.setAttribute('aria-label', text);
    label.setAttribute('aria-describedby', texts.map(function (p) { return p.id; }).join(' '));
    label.setAttribute('tabindex', '-1');
    label.focus({preventScroll: true});
    return true;
  }
  return false;
})(%1)
)JS";

// The middle of the label of the verse, in the page's pixels, after
// scrolling it into view if it is not.
const char kLabelPoint[] = R"JS(
(function (text) {
  var labels = document.querySelectorAll('body > p.A1');
  for (var i = 0; i < labels.length; ++i) {
    if (labels[i].textContent.trim() !== text) continue;
    var box = labels[i].getBoundingClientRect();
    if (box.top < 0 || box.bottom > window.innerHeight) {
      labels[i].scrollIntoView({block: 'center'});
      box = labels[i].getBoundingClientRect();
    }
    return [box.left + Math.min(box.width, 40) / 2, box.top + box.height / 2];
  }
  return null;
})(%1)
)JS";

} // namespace

namespace CurrentVerseMark {

QString markScript(const QString& label) {
    return QString::fromLatin1(kMark).arg(PageScript::literal(label.trimmed()));
}

QString labelPointScript(const QString& label) {
    return QString::fromLatin1(kLabelPoint).arg(PageScript::literal(label.trimmed()));
}

} // namespace CurrentVerseMark
