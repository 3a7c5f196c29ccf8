#include "RecitationFolder.h"

#include "AudioFileCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

RecitationFolder::RecitationFolder(QString path) : path_(std::move(path)) {}

bool RecitationFolder::exists() const {
    return !path_.isEmpty() && QFileInfo(path_).isDir();
}

const QStringList& RecitationFolder::extensions() {
    static const QStringList kinds{QStringLiteral("mp3"), QStringLiteral("ogg"),
                                   QStringLiteral("opus")};
    return kinds;
}

QString RecitationFolder::baseName(const VersePlace& verse) {
    return QStringLiteral("%1%2")
        .arg(verse.sura, 3, 10, QLatin1Char('0'))
        .arg(verse.verse, 3, 10, QLatin1Char('0'));
}

RecitationFolder::VerseFile RecitationFolder::find(const VersePlace& verse) const {
    if (path_.isEmpty())
        return {};
    const QDir dir(path_);
    VerseFile unplayable;
    for (const QString& extension : extensions()) {
        const QFileInfo file(dir.filePath(baseName(verse) + QLatin1Char('.') + extension));
        if (!file.isFile())
            continue;
        if (file.size() > 0 && AudioFileCheck::looksLikeAudio(file.absoluteFilePath()))
            return {file.absoluteFilePath(), true};
        if (unplayable.path.isEmpty())
            unplayable.path = file.absoluteFilePath();
    }
    return unplayable;
}

RecitationFolder::Count
RecitationFolder::count(const std::function<int(int sura)>& verseCount) const {
    if (!exists())
        return {};
    QStringList patterns;
    for (const QString& extension : extensions())
        patterns << QStringLiteral("??????.") + extension;
    QSet<int> playable;
    QSet<int> unplayable;
    const QFileInfoList files =
        QDir(path_).entryInfoList(patterns, QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& file : files) {
        const QString name = file.fileName();
        bool suraOk = false;
        bool verseOk = false;
        const int sura = name.left(3).toInt(&suraOk);
        const int verse = name.mid(3, 3).toInt(&verseOk);
        if (!suraOk || !verseOk || sura < 1 || sura > 114 || verse < 1 || verse > verseCount(sura))
            continue;
        const int key = sura * 1000 + verse;
        // The size is known from the listing: an empty file is not opened.
        if (file.size() > 0 && AudioFileCheck::looksLikeAudio(file.filePath()))
            playable.insert(key);
        else
            unplayable.insert(key);
    }
    for (const int key : std::as_const(playable))
        unplayable.remove(key);
    return {int(playable.size()), int(unplayable.size())};
}
