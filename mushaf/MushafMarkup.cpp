#include "MushafMarkup.h"

#include "StoredCharacters.h"

#include <QStringList>
#include <QStringView>

#include <algorithm>

namespace MushafMarkup {

namespace {

const QString kSpanStart = QStringLiteral("<span class='pw'>");
const QString kSpanEnd = QStringLiteral("</span>");

// A word made of pause marks only.
bool isMarkWord(QStringView word) {
    if (word.isEmpty())
        return false;
    StoredCharacters walk(word);
    StoredCharacters::Character character;
    while (walk.next(character)) {
        if (!isPauseMark(character.codePoint))
            return false;
    }
    return true;
}

} // namespace

bool isPauseMark(char32_t c) {
    return (c >= 0x06D6 && c <= 0x06DC) || c == 0x06E9;
}

QString keepMarksWithWords(const QString& stored) {
    // Nearly every verse has no mark (stored as "&#17..;" or as itself): it
    // is passed on as it is.
    const bool mayHoldMark = stored.contains(QLatin1String("&#17")) ||
                             std::any_of(stored.cbegin(), stored.cend(),
                                         [](QChar c) { return isPauseMark(c.unicode()); });
    if (!mayHoldMark)
        return stored;
    const QList<QStringView> words = QStringView(stored).split(QLatin1Char(' '));
    QString result;
    result.reserve(stored.size() + 64);
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (i > 0)
            result += QLatin1Char(' ');
        // A word that marks follow opens a span that ends after the last
        // of them; a mark with no word before it stays as it is.
        qsizetype last = i;
        while (last + 1 < words.size() && isMarkWord(words.at(last + 1)))
            ++last;
        if (last == i || words.at(i).isEmpty() || isMarkWord(words.at(i))) {
            result += words.at(i);
            continue;
        }
        result += kSpanStart;
        for (qsizetype j = i; j <= last; ++j) {
            if (j > i)
                result += QLatin1Char(' ');
            result += words.at(j);
        }
        result += kSpanEnd;
        i = last;
    }
    return result;
}

QString arabicIndicNumber(int number) {
    QString result;
    for (const QChar digit : QString::number(number))
        result += QStringLiteral("&#%1;").arg(0x0660 + digit.digitValue());
    return result;
}

} // namespace MushafMarkup
