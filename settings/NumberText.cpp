#include "NumberText.h"

#include <cmath>
#include <limits>

namespace {

struct Scan {
    double value = 0;
    qsizetype end = 0; // index just after the last character read
    bool found = false;
};

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

Scan scanHex(const QString& text, qsizetype pos) {
    Scan scan;
    quint64 bits = 0;
    qsizetype digits = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = hexDigit(text.at(pos));
        if (digit < 0)
            break;
        bits = (bits << 4) | quint64(digit);
        if (bits > 0xFFFFFFFFull) // more than a 32-bit literal holds
            return {};
        ++digits;
    }
    if (digits == 0)
        return {};
    // Like a 32-bit hexadecimal literal: &HFFFFFFFF is -1.
    scan.value = double(qint32(quint32(bits)));
    scan.end = pos;
    scan.found = true;
    return scan;
}

Scan scanDecimal(const QString& text, qsizetype pos) {
    Scan scan;
    const qsizetype start = pos;
    if (pos < text.size() && (text.at(pos) == QLatin1Char('+') || text.at(pos) == QLatin1Char('-')))
        ++pos;
    qsizetype digits = 0;
    auto readDigits = [&] {
        while (pos < text.size() && text.at(pos) >= QLatin1Char('0') &&
               text.at(pos) <= QLatin1Char('9')) {
            ++pos;
            ++digits;
        }
    };
    readDigits();
    if (pos < text.size() && text.at(pos) == QLatin1Char('.')) {
        ++pos;
        readDigits();
    }
    if (digits == 0)
        return {};
    scan.value = QStringView(text).mid(start, pos - start).toDouble(&scan.found);
    scan.end = pos;
    return scan;
}

Scan scanNumber(const QString& text) {
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text.at(pos)))
        ++pos;
    if (text.mid(pos, 2).compare(QLatin1String("&H"), Qt::CaseInsensitive) == 0)
        return scanHex(text, pos + 2);
    return scanDecimal(text, pos);
}

} // namespace

namespace NumberText {

double LeadingValue(const QString& text) {
    const Scan scan = scanNumber(text);
    return scan.found ? scan.value : 0.0;
}

std::optional<qint32> RoundToInt32(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default mode rounds a half to even
    if (rounded < double(std::numeric_limits<qint32>::min()) ||
        rounded > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(rounded);
}

std::optional<qint32> StrictInt32(const QString& text) {
    const Scan scan = scanNumber(text);
    if (!scan.found)
        return std::nullopt;
    QStringView rest = QStringView(text).mid(scan.end).trimmed();
    // A hexadecimal literal may carry the 32-bit type mark "&".
    const bool hex = text.trimmed().startsWith(QLatin1String("&H"), Qt::CaseInsensitive);
    if (hex && rest == QLatin1String("&"))
        rest = {};
    if (!rest.isEmpty())
        return std::nullopt;
    return RoundToInt32(scan.value);
}

qint32 LeadingInt32(const QString& text, qint32 fallback) {
    return RoundToInt32(LeadingValue(text)).value_or(fallback);
}

} // namespace NumberText
