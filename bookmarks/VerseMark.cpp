#include "VerseMark.h"

#include "PlainNumber.h"

#include <QStringList>

namespace {

constexpr int kSuraCount = 114;
constexpr int kMaxSuraDigits = 3;
// A verse number is never longer than this; longer digit runs are no mark.
constexpr int kMaxVerseDigits = 3;

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
    const std::optional<int> sura = plainNumber(parts.at(0), kMaxSuraDigits);
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
