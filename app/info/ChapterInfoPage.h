#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class ResReader;

// The markup of the chapter information page: the introduction of one sura,
// or the general introduction, with its known headings turned into heading
// paragraphs.  Headings are written between "#" signs in the stored text;
// one that is not known stays as it stands, "#" signs included.
namespace ChapterInfoPage {

// The argument as the sura tree gives it (its key without the first
// character): "nglish" is the general introduction, a number N the chapter
// information of sura N.  Nothing for any other text.
std::optional<int> resourceFor(const QString& argument);

// The known headings in the order they are replaced.
const QStringList& knownHeadings();
// The paragraph that replaces a heading.
QString headingParagraph(const QString& heading);

// The body markup for a stored text: `cutText` removed (without regard to
// case), the text put into the "Trans" span, the known headings replaced.
QString body(const QString& text, const QString& cutText);

// Reads the text and the cut text from the library `reader` is bound to;
// nothing when the argument names no text.
std::optional<QString> bodyFor(const ResReader& reader, const QString& argument);

// Whether the argument names the general introduction.
bool isIntroduction(const QString& argument);

// The notice of a translation the reader added (its file's comment lines,
// kept as its NOTICE.TXT), as a section for the general introduction: the
// lines as plain text, never as markup.  Empty when the library has none.
QString addedTranslationNotice(const ResReader& library);

} // namespace ChapterInfoPage
