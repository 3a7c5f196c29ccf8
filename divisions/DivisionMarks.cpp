#include "DivisionMarks.h"

#include "PageScript.h"

namespace {

// The marks' look; the reading themes give them their colours.  A mark is
// a block of no height, so the verses do not move; its note hangs in the
// margin beside the verse's first line, on the side the first text starts
// from (the right of Arabic, the left of a translation).
const char kStyle[] = R"CSS(
span.division-mark { display: block; position: relative; height: 0; }
span.division-mark > span.division-note {
  position: absolute; top: 4px; right: 2px; width: 56px;
  font-family: Verdana, Arial, Helvetica, sans-serif; font-size: 10px; line-height: 13px;
  text-align: center; color: #1F3F5F;
}
span.division-mark.at-left > span.division-note { right: auto; left: 2px; }
span.division-note > span { display: block; }
span.division-note > span.part-start { font-weight: bold; border-top: 1px solid currentColor; }
span.division-note > span.prostration { font-style: italic; }
)CSS";

// A verse is the run of paragraphs before its label (as the page's other
// scripts see it); the mark goes before the first of them.
const char kPlace[] = R"JS(
(function (sura, marks, style, markClass) {
  var body = document.body;
  if (!body) return -1;
  var sheet = document.getElementById('miravel-division-style');
  if (!sheet && document.head) {
    sheet = document.createElement('style');
    sheet.id = 'miravel-division-style';
    sheet.textContent = style;
    document.head.appendChild(sheet);
  }
  Array.prototype.forEach.call(body.querySelectorAll(':scope > span.' + markClass),
                                function (e) { body.removeChild(e); });
  function isPart(e) {
    if (e && e.tagName === 'SPAN' && e.hasAttribute('aria-hidden'))
      return true;
    return !!e && e.tagName === 'P' &&
           (e.className === '' || e.classList.contains('main') || e.classList.contains('Trans') ||
            e.classList.contains('tE'));
  }
  var byLabel = {};
  marks.forEach(function (m) { byLabel[sura + ' : ' + m.verse] = m; });
  var placed = 0;
  Array.prototype.forEach.call(body.querySelectorAll(':scope > p.A1'), function (label) {
    var mark = byLabel[label.textContent.trim()];
    if (!mark) return;
    var first = label;
    for (var p = label.previousElementSibling; isPart(p); p = p.previousElementSibling)
      first = p;
    if (first === label) return;
    var span = document.createElement('span');
    span.className = markClass;
    span.setAttribute('aria-hidden', 'true');
    if (first.tagName === 'P' && first.getAttribute('dir') !== 'rtl')
      span.classList.add('at-left');
    var note = document.createElement('span');
    note.className = 'division-note';
    mark.lines.forEach(function (line) {
      var part = document.createElement('span');
      part.className = line[0];
      part.textContent = line[1];
      note.appendChild(part);
    });
    span.appendChild(note);
    body.insertBefore(span, first);
    ++placed;
  });
  return placed;
})(%1, [%2], %3, %4)
)JS";

QString line(const char* kind, const QString& text) {
    return QStringLiteral("[%1, %2]")
        .arg(PageScript::literal(QLatin1String(kind)), PageScript::literal(text));
}

} // namespace

namespace DivisionMarks {

QString prostrationNote() {
    return QStringLiteral("prostration");
}

QString placeScript(int sura, const QList<DivisionTable::Mark>& marks) {
    QStringList entries;
    for (const DivisionTable::Mark& mark : marks) {
        QStringList lines;
        if (mark.part)
            lines << line("part-start", DivisionNames::part(mark.part));
        if (mark.quarter)
            lines << line("quarter-start", DivisionNames::quarter(mark.quarter));
        if (mark.prostration)
            lines << line("prostration", prostrationNote());
        entries << QStringLiteral("{verse: %1, lines: [%2]}")
                       .arg(mark.verse)
                       .arg(lines.join(QLatin1String(", ")));
    }
    return QString::fromLatin1(kPlace).arg(QString::number(sura), entries.join(QLatin1String(", ")),
                                           PageScript::literal(QString::fromLatin1(kStyle)),
                                           PageScript::literal(QLatin1String(kMarkClass)));
}

} // namespace DivisionMarks
