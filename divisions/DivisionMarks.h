#pragma once

#include "DivisionTable.h"

#include <QString>

// The marks of a sura page in its margin: where a part or a quarter of a
// hizb begins, the verse carries its name ("Juz' 2", "Hizb 3 ¼"); a verse
// with a prostration carries a quiet note.  A mark is decoration: it stands
// in a span of its own before the verse's first paragraph, kept from
// assistive technology (aria-hidden) like the page's other quiet parts, and
// takes no room in the flow, so the verse texts, the labels, what "Copy
// verse" copies and where the page scrolls all stay as they were.
namespace DivisionMarks {

// The class every mark carries.
inline constexpr char kMarkClass[] = "division-mark";

// Script that puts the marks of sura `sura` on its page (any marks placed
// before are taken away first); answers how many it placed.
QString placeScript(int sura, const QList<DivisionTable::Mark>& marks);

// The note of a verse with a prostration.
QString prostrationNote();

} // namespace DivisionMarks
