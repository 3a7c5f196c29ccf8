#include "VerseClipboard.h"

#include <QRegularExpression>

namespace VerseClipboard {

namespace {

// The characters HTML lays out as white space; a no-break space is none.
bool isHtmlSpace(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r') || c == QLatin1Char('\f');
}

} // namespace

QString collapsedWhiteSpace(const QString& text) {
    QString out;
    out.reserve(text.size());
    bool pendingSpace = false;
    for (const QChar c : text) {
        if (isHtmlSpace(c)) {
            pendingSpace = !out.isEmpty();
            continue;
        }
        if (pendingSpace)
            out += QLatin1Char(' ');
        pendingSpace = false;
        out += c;
    }
    return out;
}

std::optional<QString> text(const QStringList& texts, const QString& label) {
    static const QRegularExpression verseLabel(QStringLiteral("^[1-9][0-9]* : [1-9][0-9]*$"));
    const QString shownLabel = collapsedWhiteSpace(label);
    if (!verseLabel.match(shownLabel).hasMatch())
        return std::nullopt;
    QStringList lines;
    for (const QString& paragraph : texts) {
        const QString line = collapsedWhiteSpace(paragraph);
        if (!line.isEmpty())
            lines << line;
    }
    lines << QLatin1Char('(') + shownLabel + QLatin1Char(')');
    return lines.join(QLatin1Char('\n'));
}

} // namespace VerseClipboard
