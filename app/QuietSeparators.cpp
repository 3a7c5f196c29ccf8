#include "QuietSeparators.h"

namespace {

const char kQuiet[] = R"JS(
(function () {
  var body = document.body;
  if (!body) return 0;
  var marked = 0;
  Array.prototype.forEach.call(body.children, function (e) {
    if (e.tagName !== 'P' || e.hasAttribute('aria-hidden')) return;
    // Only pictures and the empty paragraphs the separators leave: an empty
    // verse text is a fault that stays in sight.
    var picture = e.textContent.trim() === '' &&
                  (e.className === '' || e.classList.contains('tE') ||
                   (e.classList.contains('Trans') && e.querySelector('img') !== null));
    if (!picture) return;
    e.setAttribute('aria-hidden', 'true');
    ++marked;
  });
  var dots = [];
  for (var node = body.firstChild; node; node = node.nextSibling) {
    if (node.nodeType === Node.TEXT_NODE && node.data.trim() === '.') dots.push(node);
  }
  dots.forEach(function (dot) {
    var quiet = document.createElement('span');
    quiet.setAttribute('aria-hidden', 'true');
    body.insertBefore(quiet, dot);
    quiet.appendChild(dot);
  });
  return marked + dots.length;
})()
)JS";

} // namespace

namespace QuietSeparators {

QString script() {
    return QString::fromLatin1(kQuiet);
}

} // namespace QuietSeparators
