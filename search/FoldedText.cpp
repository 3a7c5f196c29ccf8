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
    QList<Span> spans;
    if (foldedKeyword.isEmpty())
        return spans;
    for (qsizetype at = folded_.indexOf(foldedKeyword); at >= 0;
         at = folded_.indexOf(foldedKeyword, at + foldedKeyword.size())) {
        const Span words = wordsAt(at, at + foldedKeyword.size());
        if (!spans.isEmpty() && words.start <= spans.last().end)
            spans.last().end = qMax(spans.last().end, words.end);
        else
            spans.append(words);
    }
    return spans;
}
