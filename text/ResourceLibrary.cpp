#include "ResourceLibrary.h"

#include "LibraryFile.h"
#include "LibraryLayout.h"
#include "LibraryManifest.h"
#include "TextLog.h"

#include <QDir>
#include <QFile>
#include <QResource>

#include <variant>

namespace {

// Where rcc puts the program's own library inside the executable.
const char* const kEmbeddedLibrary = ":/miravel/default.rcc";

QByteArray storedBytes(const QByteArray& file, const RccEntry& entry) {
    return file.mid(entry.offset, entry.size);
}

// The manifest's checksums when every file of the library is listed in it
// with its size and stored uncompressed, else the reason for refusing it.
std::variant<QHash<QString, QByteArray>, QString>
checkedManifest(const QByteArray& file, const QHash<QString, RccEntry>& index) {
    const QString manifestPath = QString::fromLatin1(LibraryManifest::kPath);
    const auto manifestEntry = index.constFind(manifestPath);
    if (manifestEntry == index.cend() || manifestEntry->isCompressed())
        return QStringLiteral("no manifest");
    const auto items = LibraryManifest::read(storedBytes(file, *manifestEntry));
    if (!items)
        return QStringLiteral("damaged manifest");
    if (items->size() != index.size() - 1)
        return QStringLiteral("files and manifest differ");
    QHash<QString, QByteArray> checksums;
    for (auto it = items->cbegin(); it != items->cend(); ++it) {
        const auto entry = index.constFind(it.key());
        if (entry == index.cend() || it.key() == manifestPath)
            return QStringLiteral("files and manifest differ");
        if (entry->isCompressed() || entry->size != it->size)
            return QStringLiteral("%1 is not stored as listed").arg(it.key());
        checksums.insert(it.key(), it->sha256);
    }
    return checksums;
}

} // namespace

ResourceLibrary::ResourceLibrary(QString root, QString path, QByteArray bytes,
                                 QHash<QString, RccEntry> index,
                                 QHash<QString, QByteArray> checksums)
    : root_(std::move(root)), path_(std::move(path)), bytes_(std::move(bytes)),
      index_(std::move(index)), checksums_(std::move(checksums)) {}

ResourceLibrary::~ResourceLibrary() = default;

std::unique_ptr<ResourceLibrary> ResourceLibrary::open(const QString& path) {
    if (path.isEmpty())
        return nullptr;
    const auto refuse = [&path](const QString& reason) {
        qCInfo(lcText).noquote() << "text library" << path << "not used:" << reason;
        return nullptr;
    };
    auto bytes = readRegularFile(path, kMaxFileSize);
    if (!bytes)
        return refuse(QFile::exists(path)
                          ? QStringLiteral("not a readable regular file of sane size")
                          : QStringLiteral("no such file"));
    auto index = indexRcc(reinterpret_cast<const uchar*>(bytes->constData()), bytes->size());
    if (!index)
        return refuse(QStringLiteral("not a well-formed resource file"));
    auto manifest = checkedManifest(*bytes, *index);
    if (const QString* reason = std::get_if<QString>(&manifest))
        return refuse(*reason);
    return std::unique_ptr<ResourceLibrary>(
        new ResourceLibrary(QString(), path, std::move(*bytes), std::move(*index),
                            std::get<QHash<QString, QByteArray>>(std::move(manifest))));
}

const ResourceLibrary& ResourceLibrary::own() {
    static const ResourceLibrary* library = [] {
        const QString root = QStringLiteral("/miravel-lib/own");
        QResource embedded(QString::fromLatin1(kEmbeddedLibrary));
        // The embedded file is stored uncompressed, so its bytes live in the
        // executable for the whole run and can be registered in place.
        if (embedded.isValid() && embedded.compressionAlgorithm() == QResource::NoCompression &&
            isWellFormedRcc(embedded.data(), embedded.size()) &&
            QResource::registerResource(embedded.data(), root)) {
            // Released when the program ends, so that nothing of it is left behind.
            static const struct Registration {
                const uchar* data;
                QString root;
                ~Registration() { QResource::unregisterResource(data, root); }
            } registration{embedded.data(), root};
        }
        return new ResourceLibrary(root, QString(), {}, {}, {});
    }();
    return *library;
}

std::optional<QByteArray> ResourceLibrary::readOwnFile(const QString& relativePath) const {
    QFile file(QLatin1Char(':') + root_ + QLatin1Char('/') + relativePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

ResourceLibrary::Lookup ResourceLibrary::readFile(const QString& relativePath) const {
    if (path_.isEmpty())
        return {readOwnFile(relativePath)};
    const auto entry = index_.constFind(relativePath);
    if (entry == index_.cend())
        return {};
    QByteArray bytes = storedBytes(bytes_, *entry);
    if (LibraryManifest::checksum(bytes) == checksums_.value(relativePath))
        return {std::move(bytes)};
    qCInfo(lcText).noquote() << "text library" << path_ << "has a damaged" << relativePath
                             << "- the program's own is read instead";
    return {std::nullopt, true};
}

std::optional<QByteArray> ResourceLibrary::custom(int id) const {
    const Lookup found = readFile(LibraryLayout::customPath(id));
    return found.damaged ? own().custom(id) : found.bytes;
}

std::optional<QString> ResourceLibrary::findHtmlName(const QString& name) const {
    const QString exact = LibraryLayout::htmlPath(name);
    if (path_.isEmpty()) {
        if (QFile::exists(QLatin1Char(':') + root_ + QLatin1Char('/') + exact))
            return exact;
        const QDir folder(QLatin1Char(':') + root_ + QLatin1Char('/') +
                          LibraryLayout::htmlFolder());
        for (const QString& entry : folder.entryList(QDir::Files)) {
            if (entry.compare(name, Qt::CaseInsensitive) == 0)
                return LibraryLayout::htmlPath(entry);
        }
        return std::nullopt;
    }
    if (index_.contains(exact))
        return exact;
    for (auto it = index_.cbegin(); it != index_.cend(); ++it) {
        if (it.key().compare(exact, Qt::CaseInsensitive) == 0)
            return it.key();
    }
    return std::nullopt;
}

std::optional<QByteArray> ResourceLibrary::html(const QString& name) const {
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return std::nullopt;
    const auto path = findHtmlName(name);
    if (!path)
        return std::nullopt;
    const Lookup found = readFile(*path);
    return found.damaged ? own().html(name) : found.bytes;
}

std::optional<QString> ResourceLibrary::stringEntry(int id) const {
    const Lookup found = readFile(LibraryLayout::stringTablePath(id));
    if (found.damaged)
        return own().stringEntry(id);
    if (!found.bytes)
        return std::nullopt;
    return QString::fromUtf8(*found.bytes);
}
