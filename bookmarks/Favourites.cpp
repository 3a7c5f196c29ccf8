#include "Favourites.h"

#include "BookmarksLog.h"
#include "LibraryFile.h"
#include "Settings.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

void tell(QString* why, const QString& text) {
    qCInfo(lcBookmarks) << text;
    if (why)
        *why = text;
}

bool writeFile(const QString& fileName, const BookmarkSet& bookmarks, QString* why) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        tell(why, QStringLiteral("%1 cannot be written: %2").arg(fileName, file.errorString()));
        return false;
    }
    file.write(FavouritesFile::write(bookmarks));
    if (!file.commit()) {
        tell(why, QStringLiteral("%1 cannot be written: %2").arg(fileName, file.errorString()));
        return false;
    }
    return true;
}

} // namespace

Favourites::Favourites(Settings& settings) : settings_(settings) {}

std::optional<BookmarkSet> Favourites::stored() const {
    const std::optional<StoredKey> key = settings_.readKey(Setting::BookMarkList);
    if (!key)
        return std::nullopt;
    const BookmarkSet bookmarks = FavouritesFile::fromStoredKey(*key);
    if (bookmarks.order.size() + 1 != key->size())
        qCInfo(lcBookmarks) << "damaged stored bookmarks left out";
    return bookmarks;
}

bool Favourites::exportTo(const QString& fileName, QString* why) const {
    // Saving through a new file renamed over the old one would put a plain
    // file in the place of a device or a pipe.
    const QFileInfo target(fileName);
    if (target.exists() && !target.isFile()) {
        tell(why, QStringLiteral("%1 is not a regular file").arg(fileName));
        return false;
    }
    const std::optional<BookmarkSet> bookmarks = stored();
    if (!bookmarks) {
        tell(why, QStringLiteral("the stored bookmarks cannot be read"));
        return false;
    }
    return writeFile(fileName, *bookmarks, why);
}

std::optional<BookmarkSet> Favourites::readFile(const QString& fileName, QString* why) {
    const QFileInfo info(fileName);
    if (!info.exists()) {
        tell(why, QStringLiteral("%1 does not exist").arg(fileName));
        return std::nullopt;
    }
    if (!info.isFile()) {
        tell(why, QStringLiteral("%1 is not a regular file").arg(fileName));
        return std::nullopt;
    }
    if (info.size() > FavouritesFile::kMaxFileSize) {
        tell(why, QStringLiteral("%1 is larger than 1 MiB").arg(fileName));
        return std::nullopt;
    }
    // Opened without waiting and checked again once open: the name may have
    // been given to a pipe since.
    const std::optional<QByteArray> content =
        readRegularFile(fileName, FavouritesFile::kMaxFileSize);
    if (!content) {
        tell(why,
             QStringLiteral("%1 cannot be read as a regular file of at most 1 MiB").arg(fileName));
        return std::nullopt;
    }
    QString reason;
    std::optional<BookmarkSet> bookmarks = FavouritesFile::read(*content, &reason);
    if (!bookmarks)
        tell(why, QStringLiteral("%1 is no valid favourites file: %2").arg(fileName, reason));
    return bookmarks;
}

QString Favourites::keepingFileName() const {
    const QFileInfo settings(settings_.userFileName());
    const QString stem = settings.absolutePath() + QStringLiteral("/") +
                         settings.completeBaseName() + QStringLiteral("-bookmarks-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = stem + QStringLiteral(".fav");
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = stem + QStringLiteral("-%1.fav").arg(n);
    return name;
}

std::optional<Favourites::Replaced> Favourites::replaceWith(const BookmarkSet& bookmarks,
                                                            QString* why) const {
    Replaced replaced;
    QString reason;
    const bool saved = settings_.updateKey(
        Setting::BookMarkList,
        [&](const StoredKey& current) -> std::optional<StoredKey> {
            // What is kept is what this very step replaces, even when another
            // copy of the program changed the bookmarks since they were counted.
            const BookmarkSet before = FavouritesFile::fromStoredKey(current);
            replaced.count = int(before.order.size());
            if (replaced.count > 0) {
                replaced.keptIn = keepingFileName();
                if (!QDir().mkpath(QFileInfo(replaced.keptIn).absolutePath()) ||
                    !writeFile(replaced.keptIn, before, &reason)) {
                    reason =
                        QStringLiteral("the bookmarks to be replaced could not be kept: ") + reason;
                    return std::nullopt;
                }
            }
            return FavouritesFile::toStoredKey(bookmarks);
        },
        RegistryStore::Replacement::WholeKey);
    if (!saved) {
        tell(why, reason.isEmpty() ? QStringLiteral("the bookmarks could not be saved") : reason);
        return std::nullopt;
    }
    return replaced;
}

bool Favourites::importFrom(const QString& fileName, QString* why) const {
    const std::optional<BookmarkSet> bookmarks = readFile(fileName, why);
    return bookmarks && replaceWith(*bookmarks, why);
}
