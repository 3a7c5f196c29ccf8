#include "LibraryBuilder.h"

#include "LibraryLayout.h"
#include "LibraryManifest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>

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
    const QMap<QString, QByteArray> files = filesWithManifest();
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

QMap<QString, QByteArray> LibraryBuilder::filesWithManifest() const {
    QMap<QString, QByteArray> files = files_;
    files.insert(QString::fromLatin1(LibraryManifest::kPath),
                 LibraryManifest::write(LibraryManifest::describe(files_)));
    return files;
}

namespace {

// The hash Qt's resource lookup compares names by; a folder's entries are
// stored sorted by it.
quint32 resourceNameHash(const QString& name) {
    quint32 h = 0;
    for (const QChar c : name) {
        h = (h << 4) + c.unicode();
        h ^= (h & 0xf0000000) >> 23;
        h &= 0x0fffffff;
    }
    return h;
}

void appendBigEndian16(QByteArray& out, quint16 value) {
    char bytes[2];
    qToBigEndian(value, bytes);
    out.append(bytes, 2);
}

void appendBigEndian32(QByteArray& out, quint32 value) {
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

// One node of the resource tree: a folder with its entries, or a file.
struct PackNode {
    QString name;
    const QByteArray* data = nullptr; // null for a folder
    QList<PackNode> children;

    PackNode& child(const QString& childName) {
        for (PackNode& c : children) {
            if (c.name == childName)
                return c;
        }
        children.append(PackNode{childName, nullptr, {}});
        return children.last();
    }
};

} // namespace

QByteArray LibraryBuilder::pack() const {
    // The layout of rcc's binary format, version 3: a header, the tree of
    // 22-byte nodes (breadth first, each folder's entries together and
    // sorted by name hash), the data blocks (size, bytes) and the names
    // (length, hash, UTF-16), all numbers big-endian.
    const QMap<QString, QByteArray> files = filesWithManifest();
    PackNode root;
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        PackNode* node = &root;
        const QStringList parts = it.key().split(QLatin1Char('/'));
        for (const QString& part : parts)
            node = &node->child(part);
        node->data = &it.value();
    }

    QByteArray names;
    QHash<QString, quint32> nameOffsets;
    const auto nameOffset = [&](const QString& name) {
        const auto found = nameOffsets.constFind(name);
        if (found != nameOffsets.cend())
            return *found;
        const quint32 offset = quint32(names.size());
        appendBigEndian16(names, quint16(name.size()));
        appendBigEndian32(names, resourceNameHash(name));
        for (const QChar c : name)
            appendBigEndian16(names, c.unicode());
        nameOffsets.insert(name, offset);
        return offset;
    };

    QByteArray tree;
    QByteArray data;
    // Breadth first: a folder's entries take the next free node numbers.
    QList<const PackNode*> queue{&root};
    int nextNode = 1;
    for (qsizetype i = 0; i < queue.size(); ++i) {
        const PackNode* node = queue.at(i);
        appendBigEndian32(tree, node == &root ? 0 : nameOffset(node->name));
        if (node->data) {
            appendBigEndian16(tree, 0); // flags: a file, stored uncompressed
            // Any territory, language C: the file Qt serves for every locale.
            appendBigEndian16(tree, 0);
            appendBigEndian16(tree, 1);
            appendBigEndian32(tree, quint32(data.size()));
            appendBigEndian32(data, quint32(node->data->size()));
            data += *node->data;
        } else {
            QList<const PackNode*> entries;
            for (const PackNode& child : node->children)
                entries.append(&child);
            std::sort(entries.begin(), entries.end(), [](const PackNode* a, const PackNode* b) {
                const quint32 ha = resourceNameHash(a->name);
                const quint32 hb = resourceNameHash(b->name);
                return ha != hb ? ha < hb : a->name < b->name;
            });
            appendBigEndian16(tree, 0x02); // flags: a folder
            appendBigEndian32(tree, quint32(entries.size()));
            appendBigEndian32(tree, quint32(nextNode));
            nextNode += int(entries.size());
            queue += entries;
        }
        appendBigEndian32(tree, 0); // last modified: not kept
        appendBigEndian32(tree, 0);
    }

    constexpr quint32 kHeaderSize = 24;
    QByteArray out("qres");
    appendBigEndian32(out, 3);
    appendBigEndian32(out, kHeaderSize);
    appendBigEndian32(out, kHeaderSize + quint32(tree.size()));
    appendBigEndian32(out, kHeaderSize + quint32(tree.size() + data.size()));
    appendBigEndian32(out, 0); // overall flags
    out += tree;
    out += data;
    out += names;
    return out;
}
