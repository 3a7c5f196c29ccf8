#include "FoldedText.h"

FoldedText::Span FoldedText::wordsAt(qsizetype from, qsizetype to) const {
    const auto isSpace = [this](qsizetype i) { return folded_.at(i) == u' '; };
    // A match that starts or ends with a space already ends its word there.
    if (!isSpace(from)) {
        while (from > 0 && !isSpace(from - 1))
            --from;
    }
    if (!isSpace(to - 1)) {
        while (to < folded_.size() && !isSpace(to))
            ++to;
    }
    return {starts_.at(from), ends_.at(to - 1)};
}

QList<FoldedText::Span> FoldedText::wordsMatching(const QString& foldedKeyword) const {
    return wordsFound([&foldedKeyword](QStringView folded, qsizetype from) {
        if (foldedKeyword.isEmpty())
            return Match{};
        return Match{folded.indexOf(foldedKeyword, from), foldedKeyword.size()};
    });
}
