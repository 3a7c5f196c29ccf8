#include "StoredBookmarks.h"

#include "BookMarkStore.h"
#include "SettingKeys.h"
#include "VerseMark.h"

#include <QSet>

namespace {

const QString kListValue = QString::fromLatin1(Setting::BookMarkList.valueName);
const QString kNameValue = QString::fromLatin1(Setting::BookMarkName.valueName);
const QString kSeparator = QStringLiteral(";");

// The stored spelling of a value name; names match without regard to case.
QString spellingOf(const QMap<QString, QString>& values, const QString& wanted) {
    if (values.contains(wanted))
        return wanted;
    for (auto value = values.cbegin(); value != values.cend(); ++value) {
        if (value.key().compare(wanted, Qt::CaseInsensitive) == 0)
            return value.key();
    }
    return wanted;
}

QString valueOf(const StoredKey& key, const QString& path, const QString& valueName) {
    const auto values = key.constFind(path);
    if (values == key.cend())
        return {};
    return values->value(spellingOf(*values, valueName));
}

} // namespace

QString StoredBookmarks::list() const {
    return valueOf(key_, QString(), kListValue);
}

QStringList StoredBookmarks::listed() const {
    const QString text = list();
    return text.isEmpty() ? QStringList() : text.split(kSeparator);
}

QString StoredBookmarks::name(const QString& number) const {
    if (number.isEmpty())
        return {};
    return valueOf(key_, number, kNameValue);
}

QList<StoredBookmarks::Entry> StoredBookmarks::entries() const {
    QList<Entry> out;
    for (const QString& element : listed()) {
        bool isNumber = false;
        const int number = element.trimmed().toInt(&isNumber);
        if (isNumber)
            out.append({number, name(element)});
    }
    return out;
}

int StoredBookmarks::nextNumber(int maxNumber) const {
    QSet<int> named;
    for (auto subkey = key_.cbegin(); subkey != key_.cend(); ++subkey) {
        bool isNumber = false;
        const int number = subkey.key().toInt(&isNumber);
        // Only the plain spelling is what a lookup of number n finds.
        if (isNumber && subkey.key() == QString::number(number) &&
            !valueOf(key_, subkey.key(), kNameValue).isEmpty())
            named.insert(number);
    }
    for (int n = 1; n <= maxNumber; ++n) {
        if (!named.contains(n))
            return n;
    }
    return 0;
}

bool StoredBookmarks::hasMark(const QString& mark) const {
    for (const QString& number : listed()) {
        if (VerseMark::markOf(name(number)) == mark)
            return true;
    }
    return false;
}

StoredKey StoredBookmarks::withAdded(int number, const QString& name) const {
    StoredKey key = key_;
    const QString element = QString::number(number);
    // A listed number whose name was lost is named again, not listed twice.
    if (!listed().contains(element)) {
        QMap<QString, QString>& values = key[QString()];
        const QString before = list();
        values.insert(spellingOf(values, kListValue),
                      before.isEmpty() ? element : before + kSeparator + element);
    }
    QMap<QString, QString>& values = key[element];
    values.insert(spellingOf(values, kNameValue), name);
    return key;
}

StoredKey StoredBookmarks::withRemoved(int number) const {
    StoredKey key = key_;
    const QString element = QString::number(number);
    // Like a registry key, one with subkeys of its own is not deleted.
    const QString below = element + QLatin1Char('\\');
    bool hasSubkeys = false;
    for (auto subkey = key.cbegin(); subkey != key.cend() && !hasSubkeys; ++subkey)
        hasSubkeys = subkey.key().startsWith(below);
    if (!hasSubkeys)
        key.remove(element);
    QMap<QString, QString>& values = key[QString()];
    values.insert(spellingOf(values, kListValue), BookMarkStore::listWithout(list(), number));
    return key;
}
