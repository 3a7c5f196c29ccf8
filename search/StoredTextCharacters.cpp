#include "StoredTextCharacters.h"

#include "StoredCharacters.h"

StoredTextCharacters::StoredTextCharacters(const QString& stored) {
    text_.reserve(stored.size());
    stored_.reserve(stored.size());
    StoredCharacters walk(stored);
    StoredCharacters::Character character;
    while (walk.next(character)) {
        const Stretch stretch{character.start, character.end};
        if (QChar::requiresSurrogates(character.codePoint)) {
            text_.append(QChar::highSurrogate(character.codePoint));
            text_.append(QChar::lowSurrogate(character.codePoint));
            stored_.append(stretch);
            stored_.append(stretch);
        } else {
            text_.append(QChar(char16_t(character.codePoint)));
            stored_.append(stretch);
        }
    }
}

StoredTextCharacters::Stretch StoredTextCharacters::storedStretch(qsizetype from,
                                                                  qsizetype length) const {
    return {stored_.at(from).start, stored_.at(from + length - 1).end};
}
