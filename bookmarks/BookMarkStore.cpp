#include "BookMarkStore.h"

#include "BookmarksLog.h"
#include "Settings.h"
#include "VerseMark.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStringList>

namespace {

const QString kSeparator = QStringLiteral(";");

} // namespace

BookMarkStore::BookMarkStore(SuraTreeText suraTreeText, Settings& settings)
    : suraTreeText_(std::move(suraTreeText)), settings_(settings) {}

std::optional<StoredBookmarks> BookMarkStore::read() const {
    std::optional<StoredKey> key = settings_.readKey(Setting::BookMarkList);
    if (!key)
        return std::nullopt;
    return StoredBookmarks(std::move(*key));
}

std::optional<StoredBookmarks> BookMarkStore::readFirst(int count) const {
    std::optional<StoredKey> key = settings_.readKeyPart(
        Setting::BookMarkList, [count](const QMap<QString, QString>& ownValues) {
            const StoredBookmarks listOnly(StoredKey{{QString(), ownValues}});
            return listOnly.listed().mid(0, count);
        });
    if (!key)
        return std::nullopt;
    return StoredBookmarks(std::move(*key));
}

StoredBookmarks BookMarkStore::readOrEmpty() const {
    // A store that cannot be read holds no bookmark, as a missing list does.
    return read().value_or(StoredBookmarks(StoredKey{}));
}

QList<BookMarkStore::Entry> BookMarkStore::entries() const {
    return readOrEmpty().entries();
}

QString BookMarkStore::list() const {
    return readOrEmpty().list();
}

QStringList BookMarkStore::listed() const {
    return readOrEmpty().listed();
}

QString BookMarkStore::name(const QString& number) const {
    return readOrEmpty().name(number);
}

QString BookMarkStore::stamp() const {
    const QFileInfo file(settings_.userFileName());
    if (!file.exists())
        return {};
    return QStringLiteral("%1/%2/%3")
        .arg(file.lastModified().toMSecsSinceEpoch())
        .arg(file.size())
        .arg(file.birthTime().toMSecsSinceEpoch());
}

int BookMarkStore::NextBookMark() const {
    const int n = readOrEmpty().nextNumber(kMaxNumber);
    if (n == 0)
        qCInfo(lcBookmarks) << "every bookmark number is taken";
    return n;
}

std::optional<QString> BookMarkStore::GetFullName(const QString& strmark) const {
    bool isNumber = false;
    const int sura = strmark.section(QLatin1Char(':'), 0, 0).toInt(&isNumber);
    if (!isNumber || !suraTreeText_)
        return std::nullopt;
    return suraTreeText_(sura);
}

bool BookMarkStore::Dublicated(const QString& strmark) const {
    return readOrEmpty().hasMark(strmark);
}

QString BookMarkStore::nameFor(const QString& strmark) const {
    const std::optional<QString> fullName = GetFullName(strmark);
    if (!fullName)
        qCInfo(lcBookmarks) << "no sura tree entry for the mark" << strmark;
    return strmark + QStringLiteral("  ") + fullName.value_or(QString());
}

int BookMarkStore::AddBookMark(const QString& strmark) {
    const QString text = nameFor(strmark);
    int number = 0;
    const bool saved = settings_.updateKey(
        Setting::BookMarkList, [&](const StoredKey& current) -> std::optional<StoredKey> {
            const StoredBookmarks stored(current);
            // Another copy of the program may have bookmarked the verse since
            // the dialog looked.
            if (stored.hasMark(strmark)) {
                qCInfo(lcBookmarks) << "the mark is bookmarked already:" << strmark;
                return std::nullopt;
            }
            number = stored.nextNumber(kMaxNumber);
            if (number == 0) {
                qCInfo(lcBookmarks) << "every bookmark number is taken";
                return std::nullopt;
            }
            return stored.withAdded(number, text);
        });
    return saved ? number : 0;
}

bool BookMarkStore::RemoveBookMark(int n, const std::optional<QString>& expectedName) {
    return settings_.updateKey(
        Setting::BookMarkList, [&](const StoredKey& current) -> std::optional<StoredKey> {
            const StoredBookmarks stored(current);
            if (expectedName && stored.name(n) != *expectedName) {
                qCInfo(lcBookmarks) << "bookmark" << n << "changed before it was deleted";
                return std::nullopt;
            }
            return stored.withRemoved(n);
        });
}

QString BookMarkStore::listWithout(const QString& list, int n) {
    QStringList elements = list.split(kSeparator);
    for (QString& element : elements) {
        if (element.trimmed().toInt() == n) {
            element.clear();
            break;
        }
    }
    QString text = elements.join(kSeparator);
    if (text.startsWith(kSeparator))
        text.remove(0, 1);
    if (text.endsWith(kSeparator))
        text.chop(1);
    text.replace(QStringLiteral(";;"), kSeparator);
    return text;
}

int BookMarkStore::menuId(int number) {
    if (number < 1 || number > kMaxNumber)
        return 0;
    return QStringLiteral("210%1").arg(number).toInt();
}
