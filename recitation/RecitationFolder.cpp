#include "RecitationFolder.h"

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

QString RecitationFolder::fileFor(const VersePlace& verse) const {
    if (path_.isEmpty())
        return {};
    const QDir dir(path_);
    for (const QString& extension : extensions()) {
        const QFileInfo file(dir.filePath(baseName(verse) + QLatin1Char('.') + extension));
        if (file.isFile())
            return file.absoluteFilePath();
    }
    return {};
}

int RecitationFolder::versesPresent(const std::function<int(int sura)>& verseCount) const {
    if (!exists())
        return 0;
    QStringList patterns;
    for (const QString& extension : extensions())
        patterns << QStringLiteral("??????.") + extension;
    QSet<int> verses;
    const QStringList names = QDir(path_).entryList(patterns, QDir::Files | QDir::Readable);
    for (const QString& name : names) {
        bool suraOk = false;
        bool verseOk = false;
        const int sura = name.left(3).toInt(&suraOk);
        const int verse = name.mid(3, 3).toInt(&verseOk);
        if (suraOk && verseOk && sura >= 1 && sura <= 114 && verse >= 1 &&
            verse <= verseCount(sura))
            verses.insert(sura * 1000 + verse);
    }
    return int(verses.size());
}
