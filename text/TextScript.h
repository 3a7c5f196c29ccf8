#pragma once

#include <QStringView>

// The script a stored text (a verse as a library holds it, markup and
// character references included) is written in, as far as the page needs to
// know it: Arabic is set right to left in the Qur'anic face.
namespace TextScript {

// True when the first letter of the text is an Arabic one.  Markup, spaces,
// digits, signs and marks before it do not count, so a verse that opens with
// a span or a number is judged by its words.
bool isArabic(QStringView stored);

} // namespace TextScript
