#include "LibraryCaptions.h"

namespace {
const QString ArabicCaption = QStringLiteral("Arabic");
const QString TransliterationCaption = QStringLiteral("Transliteration");
const QString MissingGuiString = QStringLiteral("*");
} // namespace

QString LibraryCaptions::captionOf(int libraryCode) const {
    switch (libraryCode) {
    case 1:
        return ArabicCaption;
    case 2:
        return translationCaption ? translationCaption() : MissingGuiString;
    case 3:
        return TransliterationCaption;
    default:
        return {};
    }
}

void LibraryCaptions::resetSharedCaptions() const {
    if (!setSharedCaption)
        return;
    setSharedCaption(1, ArabicCaption);
    setSharedCaption(3, TransliterationCaption);
}
