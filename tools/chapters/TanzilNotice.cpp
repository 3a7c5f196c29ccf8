#include "TanzilNotice.h"

namespace {
const QLatin1String FirstLine("# PLEASE DO NOT REMOVE OR CHANGE THIS COPYRIGHT BLOCK");
const QLatin1String RuleStart("#====");
} // namespace

QStringList TanzilNotice::extract(const QByteArray& fileText) {
    QStringList block;
    int rules = 0;
    for (QByteArray line : fileText.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        // The block lives in the comment header; data lines never start with '#'.
        if (!line.startsWith('#'))
            break;
        const QString text = QString::fromUtf8(line);
        if (block.isEmpty() && text != FirstLine)
            continue;
        block.append(text);
        if (text.startsWith(RuleStart) && ++rules == 2)
            return block;
    }
    return {};
}

QString TanzilNotice::withoutCommentMark(const QString& line) {
    QString text = line;
    if (text.startsWith(QLatin1Char('#')))
        text.remove(0, 1);
    if (text.startsWith(QLatin1Char(' ')))
        text.remove(0, 1);
    return text;
}
