#include "VerseMark.h"

#include <QStringList>

namespace {

constexpr int kSuraCount = 114;
// A verse number is never longer than this; longer digit runs are no mark.
constexpr int kMaxVerseDigits = 3;

std::optional<int> plainNumber(const QString& digits, int maxDigits) {
    if (digits.isEmpty() || digits.size() > maxDigits || digits.startsWith(QLatin1Char('0')))
        return std::nullopt;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    return digits.toInt();
}

} // namespace

QString VerseMark::text() const {
    return QStringLiteral("%1:%2").arg(sura).arg(verse);
}

QString VerseMark::label() const {
    return QStringLiteral("%1 : %2").arg(sura).arg(verse);
}

std::optional<VerseMark> VerseMark::fromText(const QString& mark) {
    const QStringList parts = mark.split(QLatin1Char(':'));
    if (parts.size() != 2)
        return std::nullopt;
    const std::optional<int> sura = plainNumber(parts.at(0), 3);
    const std::optional<int> verse = plainNumber(parts.at(1), kMaxVerseDigits);
    if (!sura || !verse || *sura > kSuraCount)
        return std::nullopt;
    return VerseMark{*sura, *verse};
}

std::optional<VerseMark> VerseMark::fromCaption(const QString& caption) {
    return fromText(markOf(caption));
}

QString VerseMark::markOf(const QString& caption) {
    const qsizetype space = caption.indexOf(QLatin1Char(' '));
    return space < 0 ? caption : caption.left(space);
}
