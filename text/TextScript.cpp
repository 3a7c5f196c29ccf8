#include "TextScript.h"

#include "StoredCharacters.h"

#include <QChar>

namespace TextScript {

bool isArabic(QStringView stored) {
    StoredCharacters characters(stored);
    StoredCharacters::Character c;
    bool inTag = false;
    while (characters.next(c)) {
        // A literal '<' opens a tag; an escaped one ("&lt;") is text.
        const bool literal = c.end - c.start == 1;
        if (inTag) {
            inTag = !(literal && c.codePoint == U'>');
            continue;
        }
        if (literal && c.codePoint == U'<') {
            inTag = true;
            continue;
        }
        if (QChar::isLetter(c.codePoint))
            return QChar::script(c.codePoint) == QChar::Script_Arabic;
    }
    return false;
}

} // namespace TextScript
