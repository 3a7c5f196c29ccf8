#include "DisplayOrder.h"

namespace DisplayOrder {

QStringList displayList(const QString& orderString) {
    return orderString.split(QLatin1Char('/'));
}

bool isShown(const QString& orderString, int code) {
    return displayList(orderString).contains(QString::number(code));
}

namespace {

// The parts that name a library, each once: a toggle never writes back a
// part that is not a library code.
QStringList libraryCodes(const QString& orderString) {
    QStringList codes;
    for (const QString& part : displayList(orderString)) {
        if ((part == QLatin1String("1") || part == QLatin1String("2") ||
             part == QLatin1String("3")) &&
            !codes.contains(part))
            codes << part;
    }
    return codes;
}

} // namespace

std::optional<QString> toggled(const QString& orderString, int code, bool checked) {
    QStringList codes = libraryCodes(orderString);
    const QString digit = QString::number(code);
    if (checked) {
        if (!codes.contains(digit))
            codes << digit; // a library switched on is shown last
        return codes.join(QLatin1Char('/'));
    }
    if (codes.size() <= 1)
        return std::nullopt; // the only library shown stays
    codes.removeOne(digit);
    return codes.join(QLatin1Char('/'));
}

} // namespace DisplayOrder
