#include "LibraryManifest.h"

#include <QCryptographicHash>
#include <QList>

namespace LibraryManifest {
namespace {

const QByteArray kFirstLine = QByteArrayLiteral("miravel-library-manifest 1");

} // namespace

QByteArray checksum(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

Items describe(const QMap<QString, QByteArray>& files) {
    Items items;
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        items.insert(it.key(), Item{it.value().size(), checksum(it.value())});
    return items;
}

QByteArray write(const Items& items) {
    QByteArray text = kFirstLine + '\n';
    for (auto it = items.cbegin(); it != items.cend(); ++it)
        text += it->sha256.toHex() + ' ' + QByteArray::number(it->size) + ' ' + it.key().toUtf8() +
                '\n';
    return text;
}

std::optional<Items> read(const QByteArray& text) {
    if (!text.endsWith('\n'))
        return std::nullopt;
    const QList<QByteArray> lines = text.chopped(1).split('\n');
    if (lines.isEmpty() || lines.first() != kFirstLine)
        return std::nullopt;
    Items items;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines.at(i);
        const qsizetype firstSpace = line.indexOf(' ');
        const qsizetype secondSpace = line.indexOf(' ', firstSpace + 1);
        if (firstSpace != 64 || secondSpace < 0)
            return std::nullopt;
        const QByteArray hex = line.left(firstSpace);
        const QByteArray digest = QByteArray::fromHex(hex);
        bool sizeOk = false;
        const qint64 size =
            line.mid(firstSpace + 1, secondSpace - firstSpace - 1).toLongLong(&sizeOk);
        const QString path = QString::fromUtf8(line.mid(secondSpace + 1));
        if (digest.size() != 32 || digest.toHex() != hex || !sizeOk || size < 0 || path.isEmpty() ||
            items.contains(path))
            return std::nullopt;
        items.insert(path, Item{size, digest});
    }
    return items;
}

} // namespace LibraryManifest
