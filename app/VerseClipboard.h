#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The text that "Copy verse" puts on the clipboard: the verse's texts as the
// page shows them, in the page's order, one a line, then its label in
// brackets, "(2 : 255)".
namespace VerseClipboard {

// `texts` are the verse's paragraphs in the order the page shows them, as
// their markup holds them; runs of white space shrink to one space as on the
// page, and a paragraph with no text (a separator, a library without the
// verse) gives no line.  Nothing when `label` is no verse label
// ("sura : verse").
std::optional<QString> text(const QStringList& texts, const QString& label);

// `text` as the page lays it out: every run of HTML white space becomes one
// space, none stays at either end.
QString collapsedWhiteSpace(const QString& text);

} // namespace VerseClipboard
