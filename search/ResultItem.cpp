#include "ResultItem.h"

#include "SearchLog.h"

namespace {
constexpr int kResourceDigits = 3;
}

QString ResultItem::text(const QString& chapterCaption) const {
    return QStringLiteral("Chapter /Sura ") +
           QStringLiteral("%1").arg(sura(), 3, 10, QLatin1Char('0')) + QStringLiteral(" - ") +
           chapterCaption + QStringLiteral(".Ayat/Verse :") + QString::number(verse);
}

qint32 ResultItem::itemData() const {
    return QStringLiteral("%1%2")
        .arg(resourceId, kResourceDigits, 10, QLatin1Char('0'))
        .arg(verse)
        .toInt();
}

std::optional<ResultItem> ResultItem::fromItemData(qint32 itemData) {
    const QString digits = QString::number(itemData);
    bool resourceOk = false;
    bool verseOk = false;
    ResultItem item;
    item.resourceId = digits.left(kResourceDigits).toInt(&resourceOk);
    item.verse = digits.mid(kResourceDigits).toInt(&verseOk);
    if (!resourceOk || !verseOk || digits.size() <= kResourceDigits) {
        qCInfo(lcSearch) << "result reference names no verse:" << itemData;
        return std::nullopt;
    }
    return item;
}
