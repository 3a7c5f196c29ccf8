#pragma once

#include "Comparison.h"

#include <QList>
#include <QString>

// The markup of the two result pages, placed into the body of SEARCH.HTML:
// the page of one result (View results) and the report of all of them.  The
// keyword is highlighted in every verse as typed, so the highlight shows
// the keyword's case and not the verse's.  In the Arabic text and the
// transliteration, compared by their letters, the highlight marks the
// matching words as the verse has them, with their vowels and diacritics.
namespace ResultMarkup {

// One result as the pages show it: the entry's text in the list and the
// verse text kept for it.
struct Result {
    QString entryText;
    QString verse;
};

inline constexpr int kReportQuestionAbove = 1000;

// The opening paragraph; it is left open, the next paragraph closes it.
QString heading(const QString& keyword);
// Every occurrence of the keyword, found without regard to case, wrapped in
// the highlight span; the text put in is not searched again.  Compared by
// letters, the verse's own words that hold the keyword are wrapped.
QString highlight(const QString& verse, const QString& keyword,
                  Comparison comparison = Comparison::StoredText);
QString verseBlock(const QString& verse, const QString& keyword,
                   Comparison comparison = Comparison::StoredText);
QString splitter();

QString resultPage(const QString& keyword, const Result& result,
                   Comparison comparison = Comparison::StoredText);
QString report(const QString& keyword, const QList<Result>& results,
               Comparison comparison = Comparison::StoredText);

// Whether a report of `entries` results asks first.
inline bool reportAsksFirst(qsizetype entries) {
    return entries > kReportQuestionAbove;
}

} // namespace ResultMarkup
