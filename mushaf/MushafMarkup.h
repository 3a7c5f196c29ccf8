#pragma once

#include <QString>

// What the sura page adds to the Arabic text to set it as a printed mushaf
// does, without changing a letter of it: the stored text stays as it is
// (copy and search read it so), only markup is put around it.
namespace MushafMarkup {

// Tanzil's text writes each pause mark, and the prostration sign, after a
// space, where a line may break, so that the mark would open the next line
// over the wrong word.  Each word followed by such marks is wrapped in a
// span that does not wrap (class "pw"), so the marks stay with it.  `stored`
// is a verse as the libraries hold it (characters as references, or plain).
QString keepMarksWithWords(const QString& stored);

// Whether `c` is a pause mark (U+06D6 to U+06DC) or the prostration sign.
bool isPauseMark(char32_t c);

// `number` in Arabic-Indic digits, each as a character reference, as the
// end-of-verse ornament shows it.
QString arabicIndicNumber(int number);

} // namespace MushafMarkup
