#include "LibraryBuilder.h"

#include "LibraryLayout.h"
#include "LibraryManifest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <functional>

void LibraryBuilder::addVerses(const LibraryFormat::VerseMap& verses,
                               const QMap<int, QStringList>& lead) {
    for (auto it = verses.cbegin(); it != verses.cend(); ++it)
        addCustom(LibraryLayout::verseTextId(it.key()),
                  LibraryFormat::verseResource(lead.value(it.key()) + it.value()));
}

void LibraryBuilder::addBasmala(const QMap<int, QStringList>& basmala) {
    QStringList elements;
    for (int sura = 1; sura <= LibraryLayout::kSuraCount; ++sura)
        elements.append(basmala.value(sura).value(0));
    addCustom(LibraryLayout::kBasmalaList, LibraryFormat::verseResource(elements));
}

void LibraryBuilder::addStrings(const QMap<int, QString>& strings) {
    for (auto it = strings.cbegin(); it != strings.cend(); ++it)
        files_.insert(LibraryLayout::stringTablePath(it.key()), it.value().toUtf8());
}

void LibraryBuilder::addCustom(int id, const QByteArray& bytes) {
    files_.insert(LibraryLayout::customPath(id), bytes);
}

void LibraryBuilder::addHtml(const QString& name, const QByteArray& bytes) {
    files_.insert(LibraryLayout::htmlPath(name), bytes);
}

namespace {

bool forEachFile(const QString& folder, QString* error,
                 const std::function<bool(const QFileInfo&, const QByteArray&)>& take) {
    const QDir dir(folder);
    if (!dir.exists()) {
        *error = QStringLiteral("no folder %1").arg(folder);
        return false;
    }
    const QFileInfoList entries = dir.entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& info : entries) {
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read %1").arg(info.filePath());
            return false;
        }
        if (!take(info, file.readAll())) {
            *error = QStringLiteral("cannot take %1").arg(info.filePath());
            return false;
        }
    }
    return true;
}

} // namespace

bool LibraryBuilder::addCustomFolder(const QString& folder, QString* error) {
    return forEachFile(folder, error, [this](const QFileInfo& info, const QByteArray& bytes) {
        // Named files beside the numbered ones belong to --html.
        bool ok = false;
        const int id = info.fileName().section(QLatin1Char('.'), 0, 0).toInt(&ok);
        if (ok)
            addCustom(id, bytes);
        return true;
    });
}

bool LibraryBuilder::addHtmlFolder(const QString& folder, QString* error) {
    return forEachFile(folder, error, [this](const QFileInfo& info, const QByteArray& bytes) {
        // A purely numeric name could never be read as HTML: numeric ids
        // address the numbered resources.  Such files belong to --custom.
        bool numeric = false;
        info.fileName().section(QLatin1Char('.'), 0, 0).toInt(&numeric);
        if (!numeric)
            addHtml(info.fileName(), bytes);
        return true;
    });
}

bool LibraryBuilder::write(const QString& folder, QString* error) const {
    QDir root(folder);
    if (root.exists() && !root.removeRecursively()) {
        *error = QStringLiteral("cannot clear %1").arg(folder);
        return false;
    }
    QMap<QString, QByteArray> files = files_;
    files.insert(QString::fromLatin1(LibraryManifest::kPath),
                 LibraryManifest::write(LibraryManifest::describe(files_)));
    const QByteArray fileTag =
        compressed_ ? QByteArray("<file>") : QByteArray("<file compression-algorithm=\"none\">");
    QByteArray qrc = "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString path = folder + QLatin1Char('/') + it.key();
        QDir().mkpath(QFileInfo(path).path());
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(it.value()) != it.value().size() ||
            !file.commit()) {
            *error = QStringLiteral("cannot write %1").arg(path);
            return false;
        }
        qrc += "  " + fileTag + it.key().toHtmlEscaped().toUtf8() + "</file>\n";
    }
    qrc += "</qresource>\n</RCC>\n";
    QSaveFile qrcFile(folder + QStringLiteral("/library.qrc"));
    if (!qrcFile.open(QIODevice::WriteOnly) || qrcFile.write(qrc) != qrc.size() ||
        !qrcFile.commit()) {
        *error = QStringLiteral("cannot write the resource list in %1").arg(folder);
        return false;
    }
    return true;
}
