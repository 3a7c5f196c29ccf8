#include "DisplayOrder.h"

namespace DisplayOrder {

QStringList displayList(const QString& orderString) {
    return orderString.split(QLatin1Char('/'));
}

bool isShown(const QString& orderString, int code) {
    return orderString.contains(QString::number(code));
}

std::optional<QString> toggled(const QString& orderString, int code, bool checked) {
    QString s = orderString;
    const QString digit = QString::number(code);
    if (checked)
        return s + QLatin1Char('/') + digit; // a library switched on is shown last
    if (s.size() <= 2)
        return std::nullopt;
    const qsizetype p = s.indexOf(digit) + 1; // 1-based, 0 when absent
    if (p > 2)
        s.remove(p - 2, 2); // the "/" before the digit and the digit
    else if (p >= 1)
        s.remove(0, p + 1); // the digit and the "/" after it
    return s;
}

} // namespace DisplayOrder
