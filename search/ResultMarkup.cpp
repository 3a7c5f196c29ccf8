#include "ResultMarkup.h"

namespace ResultMarkup {

QString heading(const QString& keyword) {
    return QStringLiteral("<p class='top'><strong> ") + QStringLiteral("Search Text") +
           QStringLiteral(" : ") + keyword + QStringLiteral("<br />");
}

QString highlight(const QString& verse, const QString& keyword) {
    if (keyword.isEmpty())
        return verse;
    const QString marked =
        QStringLiteral("<span class='Hilight'>") + keyword + QStringLiteral("</span>");
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

QString verseBlock(const QString& verse, const QString& keyword) {
    return QStringLiteral("<p class='Trans'>") + highlight(verse, keyword) + QStringLiteral("</p>");
}

QString splitter() {
    return QStringLiteral("<img src='splitter.gif'/><br /></p>");
}

QString resultPage(const QString& keyword, const Result& result) {
    return heading(keyword) + result.entryText + QStringLiteral("</strong><br />") +
           QStringLiteral("<p class='style6'>") + QStringLiteral("English Translation (Miravel)") +
           QStringLiteral("<br />") + splitter() + verseBlock(result.verse, keyword);
}

QString report(const QString& keyword, const QList<Result>& results) {
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
        body += verseBlock(result.verse, keyword);
    }
    return body;
}

} // namespace ResultMarkup
