#include "ResultMarkup.h"

#include "ArabicFolding.h"
#include "StoredTextCharacters.h"
#include "TextScript.h"
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

// A highlight in the stored text of a verse: where it starts and ends, and
// whether it shows the keyword as typed (a match of the stored text) or the
// verse's own characters (a match of what its references stand for).
struct StoredMatch {
    qsizetype start = 0;
    qsizetype end = 0;
    bool showsKeyword = false;
};

QList<StoredMatch> storedTextMatches(const QString& verse, const QString& keyword) {
    QList<StoredMatch> matches;
    for (qsizetype at = verse.indexOf(keyword, 0, Qt::CaseInsensitive); at >= 0;
         at = verse.indexOf(keyword, at + keyword.size(), Qt::CaseInsensitive))
        matches.append({at, at + keyword.size(), true});
    if (!verse.contains(QLatin1Char('&')))
        return matches;
    const StoredTextCharacters characters(verse);
    const QString& text = characters.text();
    for (qsizetype at = text.indexOf(keyword, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(keyword, at + keyword.size(), Qt::CaseInsensitive)) {
        const auto stretch = characters.storedStretch(at, keyword.size());
        matches.append({stretch.start, stretch.end, false});
    }
    // Where both ways find the same words, the first found stands.
    std::stable_sort(matches.begin(), matches.end(),
                     [](const StoredMatch& a, const StoredMatch& b) { return a.start < b.start; });
    QList<StoredMatch> apart;
    for (const StoredMatch& match : matches) {
        if (apart.isEmpty() || match.start >= apart.last().end)
            apart.append(match);
    }
    return apart;
}

QString highlightStoredText(const QString& verse, const QString& keyword) {
    const QString marked = highlightStart() + keyword + highlightEnd();
    QString result;
    qsizetype from = 0;
    for (const StoredMatch& match : storedTextMatches(verse, keyword)) {
        result.append(QStringView(verse).mid(from, match.start - from));
        if (match.showsKeyword) {
            result.append(marked);
        } else {
            result.append(highlightStart());
            result.append(QStringView(verse).mid(match.start, match.end - match.start));
            result.append(highlightEnd());
        }
        from = match.end;
    }
    result.append(QStringView(verse).mid(from));
    return result;
}

} // namespace

QString heading(const QString& keyword) {
    // An Arabic keyword is set as the verses are, right to left in their face.
    const QString shown =
        TextScript::isArabic(keyword)
            ? QStringLiteral("<span lang='ar' dir='rtl'>") + keyword + QStringLiteral("</span>")
            : keyword;
    return QStringLiteral("<p class='top'><strong> ") + QStringLiteral("Search Text") +
           QStringLiteral(" : ") + shown + QStringLiteral("<br />");
}

QString highlight(const QString& verse, const QString& keyword, Comparison comparison) {
    if (keyword.isEmpty())
        return verse;
    if (comparison == Comparison::ArabicLetters)
        return highlightWords<ArabicFolding>(verse, {ArabicKeyword(keyword).folded()});
    if (comparison == Comparison::TransliterationLetters)
        return highlightWords<TransliterationFolding>(verse,
                                                      TransliterationKeyword(keyword).forms());
    return highlightStoredText(verse, keyword);
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
