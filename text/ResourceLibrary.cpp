#include "ResourceLibrary.h"

#include "LibraryLayout.h"
#include "RccValidator.h"

#include <QDir>
#include <QFile>
#include <QResource>

#include <atomic>

namespace {

// Where rcc puts the program's own library inside the executable.
const char* const kEmbeddedLibrary = ":/miravel/default.rcc";

QString uniqueRoot() {
    static std::atomic<int> counter{0};
    return QStringLiteral("/miravel-lib/%1").arg(++counter);
}

bool fileIsWellFormedRcc(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    if (size <= 0)
        return false;
    const uchar* mapped = file.map(0, size);
    if (mapped != nullptr) {
        const bool ok = isWellFormedRcc(mapped, size);
        file.unmap(const_cast<uchar*>(mapped));
        return ok;
    }
    const QByteArray bytes = file.readAll();
    return isWellFormedRcc(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size());
}

} // namespace

ResourceLibrary::ResourceLibrary(QString root, QString rccFile)
    : root_(std::move(root)), rccFile_(std::move(rccFile)) {}

ResourceLibrary::~ResourceLibrary() {
    if (!rccFile_.isEmpty())
        QResource::unregisterResource(rccFile_, root_);
}

std::unique_ptr<ResourceLibrary> ResourceLibrary::open(const QString& path) {
    if (path.isEmpty() || !fileIsWellFormedRcc(path))
        return nullptr;
    const QString root = uniqueRoot();
    if (!QResource::registerResource(path, root))
        return nullptr;
    return std::unique_ptr<ResourceLibrary>(new ResourceLibrary(root, path));
}

const ResourceLibrary& ResourceLibrary::own() {
    static const ResourceLibrary* library = [] {
        const QString root = QStringLiteral("/miravel-lib/own");
        QResource embedded(QString::fromLatin1(kEmbeddedLibrary));
        // The embedded file is stored uncompressed, so its bytes live in the
        // executable for the whole run and can be registered in place.
        if (embedded.isValid() && embedded.compressionAlgorithm() == QResource::NoCompression &&
            isWellFormedRcc(embedded.data(), embedded.size()))
            QResource::registerResource(embedded.data(), root);
        return new ResourceLibrary(root, QString());
    }();
    return *library;
}

std::optional<QByteArray> ResourceLibrary::readFile(const QString& relativePath) const {
    QFile file(QLatin1Char(':') + root_ + QLatin1Char('/') + relativePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

std::optional<QByteArray> ResourceLibrary::custom(int id) const {
    return readFile(LibraryLayout::customPath(id));
}

std::optional<QByteArray> ResourceLibrary::html(const QString& name) const {
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return std::nullopt;
    if (auto exact = readFile(LibraryLayout::htmlPath(name)))
        return exact;
    const QDir folder(QLatin1Char(':') + root_ + QLatin1Char('/') + LibraryLayout::htmlFolder());
    const QStringList entries = folder.entryList(QDir::Files);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return readFile(LibraryLayout::htmlPath(entry));
    }
    return std::nullopt;
}

std::optional<QString> ResourceLibrary::stringEntry(int id) const {
    const auto bytes = readFile(LibraryLayout::stringTablePath(id));
    if (!bytes)
        return std::nullopt;
    return QString::fromUtf8(*bytes);
}
