#include "Favourites.h"

#include "BookmarksLog.h"
#include "FavouritesFile.h"
#include "RegSetting.h"
#include "SettingKeys.h"

#include <QFile>
#include <QSaveFile>

namespace {

QString bookmarkSection() {
    return QString::fromLatin1(Setting::BookMarkList.section);
}

} // namespace

Favourites::Favourites(QString application) : application_(std::move(application)) {}

bool Favourites::exportTo(const QString& fileName) const {
    const std::optional<StoredKey> key = RegSetting::ExportKey(application_, bookmarkSection());
    if (!key) {
        qCInfo(lcBookmarks) << "the bookmarks could not be read for export";
        return false;
    }
    const BookmarkSet bookmarks = FavouritesFile::fromStoredKey(*key);
    if (bookmarks.order.size() + 1 != key->size())
        qCInfo(lcBookmarks) << "damaged stored bookmarks left out of the export";

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        qCInfo(lcBookmarks) << "cannot write" << fileName << file.errorString();
        return false;
    }
    file.write(FavouritesFile::write(bookmarks));
    if (!file.commit()) {
        qCInfo(lcBookmarks) << "cannot write" << fileName << file.errorString();
        return false;
    }
    return true;
}

bool Favourites::importFrom(const QString& fileName) const {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        qCInfo(lcBookmarks) << "cannot read" << fileName << file.errorString();
        return false;
    }
    // One byte more than allowed is enough to know that a file is too large.
    const QByteArray content = file.read(FavouritesFile::kMaxFileSize + 1);
    QString why;
    const std::optional<BookmarkSet> bookmarks = FavouritesFile::read(content, &why);
    if (!bookmarks) {
        qCInfo(lcBookmarks) << "favourites file refused:" << fileName << why;
        return false;
    }
    if (!RegSetting::ReplaceKey(application_, bookmarkSection(),
                                FavouritesFile::toStoredKey(*bookmarks))) {
        qCInfo(lcBookmarks) << "the imported bookmarks could not be stored";
        return false;
    }
    return true;
}
