#include "ResultMarkup.h"

#include "ArabicFolding.h"
#include "TransliterationFolding.h"

#include <algorithm>

namespace ResultMarkup {

namespace {

const QString& highlightStart() {
    static const QString start = QStringLiteral("<span class='Hilight'>");
    return start;
}

const QString& highlightEnd() {
    static const QString end = QStringLiteral("</span>");
    return end;
}

// The verse's own words that hold any of the folded keyword's forms,
// highlighted.
template <typename Folding>
QString highlightWords(const QString& verse, const QStringList& foldedForms) {
    const Folding folding(verse);
    QList<FoldedText::Span> spans;
    for (const QString& form : foldedForms)
        spans += folding.wordsMatching(form);
    std::sort(spans.begin(), spans.end(), [](const FoldedText::Span& a, const FoldedText::Span& b) {
        return a.start < b.start;
    });
    QList<FoldedText::Span> merged;
    for (const FoldedText::Span& span : spans) {
        if (!merged.isEmpty() && span.start <= merged.last().end)
            merged.last().end = std::max(merged.last().end, span.end);
        else
            merged.append(span);
    }
    QString result;
    qsizetype from = 0;
    for (const FoldedText::Span& words : merged) {
        result.append(QStringView(verse).mid(from, words.start - from));
        result.append(highlightStart());
        result.append(QStringView(verse).mid(words.start, words.end - words.start));
        result.append(highlightEnd());
        from = words.end;
    }
    result.append(QStringView(verse).mid(from));
    return result;
}

} // namespace

QString heading(const QString& keyword) {
    return QStringLiteral("<p class='top'><strong> ") + QStringLiteral("Search Text") +
           QStringLiteral(" : ") + keyword + QStringLiteral("<br />");
}

QString highlight(const QString& verse, const QString& keyword, Comparison comparison) {
    if (keyword.isEmpty())
        return verse;
    if (comparison == Comparison::ArabicLetters)
        return highlightWords<ArabicFolding>(verse, {ArabicKeyword(keyword).folded()});
    if (comparison == Comparison::TransliterationLetters)
        return highlightWords<TransliterationFolding>(verse,
                                                      TransliterationKeyword(keyword).forms());
    const QString marked = highlightStart() + keyword + highlightEnd();
    QString result;
    qsizetype from = 0;
    for (qsizetype at = verse.indexOf(keyword, 0, Qt::CaseInsensitive); at >= 0;
         at = verse.indexOf(keyword, from, Qt::CaseInsensitive)) {
        result.append(QStringView(verse).mid(from, at - from));
        result.append(marked);
        from = at + keyword.size();
    }
    result.append(QStringView(verse).mid(from));
    return result;
}

QString verseBlock(const QString& verse, const QString& keyword, Comparison comparison) {
    // Arabic verses are marked as such, so the page sets them right to left
    // in the Arabic face, as the sura page does.
    const QString start = comparison == Comparison::ArabicLetters
                              ? QStringLiteral("<p class='Trans' lang='ar' dir='rtl'>")
                              : QStringLiteral("<p class='Trans'>");
    return start + highlight(verse, keyword, comparison) + QStringLiteral("</p>");
}

QString splitter() {
    return QStringLiteral("<img src='splitter.gif'/><br /></p>");
}

QString resultPage(const QString& keyword, const Result& result, Comparison comparison) {
    return heading(keyword) + result.entryText + QStringLiteral("</strong><br />") +
           QStringLiteral("<p class='style6'>") + QStringLiteral("English Translation (Miravel)") +
           QStringLiteral("<br />") + splitter() + verseBlock(result.verse, keyword, comparison);
}

QString report(const QString& keyword, const QList<Result>& results, Comparison comparison) {
    QString body = heading(keyword) + QStringLiteral("Total Found ") +
                   QString::number(results.size()) + QStringLiteral("</strong><br />");
    const QString entryStart = QStringLiteral("<p class='style6'>");
    const QString entryEnd = QStringLiteral("<br />") + splitter();
    qsizetype size = body.size();
    for (const Result& result : results)
        size += entryStart.size() + result.entryText.size() + entryEnd.size() +
                result.verse.size() + 64;
    body.reserve(size);
    for (const Result& result : results) {
        body += entryStart;
        body += result.entryText;
        body += entryEnd;
        body += verseBlock(result.verse, keyword, comparison);
    }
    return body;
}

} // namespace ResultMarkup
