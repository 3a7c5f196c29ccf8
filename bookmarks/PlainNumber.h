#pragma once

#include <QString>

#include <optional>

// A number written the plain way: decimal digits only, no sign, no leading
// zero, at most `maxDigits` of them.  Nothing for anything else.
inline std::optional<int> plainNumber(const QString& digits, int maxDigits) {
    if (digits.isEmpty() || digits.size() > maxDigits || digits.startsWith(QLatin1Char('0')))
        return std::nullopt;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    return digits.toInt();
}
