#include "VersePrintGroups.h"

namespace {

// Marks the blocks this code made, so that undoing them touches nothing else.
constexpr char kGroupClass[] = "miravel-print-group";

// A verse ends in its last paragraph with text (empty ones, such as the
// separators' pictures, are passed over), then the "." text, the rule and
// the label.  The search stops at the label of the verse before, so a verse
// without any text is not joined to the one above it.
constexpr char kGroup[] = R"JS(
(function(groupClass) {
  var body = document.body;
  if (!body) return 0;
  function isText(p) {
    return p.tagName === 'P' && (p.className === 'main' || p.className === 'Trans') &&
           p.textContent.trim() !== '';
  }
  // The "." after the texts, kept from screen readers in a span of its own.
  function isQuietDot(e) { return e.tagName === 'SPAN' && e.hasAttribute('aria-hidden'); }
  var made = 0;
  Array.prototype.forEach.call(body.querySelectorAll(':scope > p.A1'), function(label) {
    var first = label.previousElementSibling;
    while (first && (first.tagName === 'P' || isQuietDot(first)) && first.className !== 'A1' &&
           !isText(first))
      first = first.previousElementSibling;
    if (!first || !isText(first)) return;
    var group = document.createElement('div');
    group.className = groupClass;
    group.style.breakInside = 'avoid';
    body.insertBefore(group, first);
    for (var node = first; node;) {
      var next = node.nextSibling;
      group.appendChild(node);
      if (node === label) break;
      node = next;
    }
    ++made;
  });
  return made;
})('%1')
)JS";

constexpr char kUngroup[] = R"JS(
(function(groupClass) {
  var groups = document.querySelectorAll('div.' + groupClass);
  Array.prototype.forEach.call(groups, function(group) {
    var parent = group.parentNode;
    while (group.firstChild) parent.insertBefore(group.firstChild, group);
    parent.removeChild(group);
  });
  return groups.length;
})('%1')
)JS";

} // namespace

namespace VersePrintGroups {

QString groupScript() {
    return QString::fromLatin1(kGroup).arg(QLatin1String(kGroupClass));
}

QString ungroupScript() {
    return QString::fromLatin1(kUngroup).arg(QLatin1String(kGroupClass));
}

} // namespace VersePrintGroups
