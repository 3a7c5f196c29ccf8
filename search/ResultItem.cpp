#include "ResultItem.h"

#include "SearchLog.h"

#include <limits>

namespace {
constexpr int kResourceDigits = 3;
}

QString ResultItem::text(const QString& chapterCaption) const {
    const TextParts parts = textParts(chapterCaption);
    return parts.lead + parts.name + parts.tail;
}

ResultItem::TextParts ResultItem::textParts(const QString& chapterCaption) const {
    return {QStringLiteral("Chapter /Sura ") +
                QStringLiteral("%1").arg(sura(), 3, 10, QLatin1Char('0')) + QStringLiteral(" - "),
            chapterCaption, QStringLiteral(".Ayat/Verse :") + QString::number(verse)};
}

QString ResultItem::label() const {
    return QString::number(sura()) + QStringLiteral(" : ") + QString::number(verse);
}

qint32 ResultItem::itemData() const {
    // The verse's digits go after the resource number's three.
    qint64 scale = 10;
    for (int rest = verse / 10; rest > 0; rest /= 10)
        scale *= 10;
    const qint64 value = qint64(resourceId) * scale + verse;
    return value >= 0 && value <= std::numeric_limits<qint32>::max() ? qint32(value) : 0;
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
