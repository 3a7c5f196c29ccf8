#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

// One text library mapped into Qt's resource system, in the layout of
// LibraryLayout.h.  A library file is an rcc binary (`rcc --binary`); it stays registered for
// the life of its ResourceLibrary object.
class ResourceLibrary {
public:
    ~ResourceLibrary();
    ResourceLibrary(const ResourceLibrary&) = delete;
    ResourceLibrary& operator=(const ResourceLibrary&) = delete;

    // Maps the rcc file at `path`; nothing when the file is missing,
    // truncated or not a well-formed rcc file.
    static std::unique_ptr<ResourceLibrary> open(const QString& path);

    // The library compiled into the executable.
    static const ResourceLibrary& own();

    std::optional<QByteArray> custom(int id) const;
    std::optional<QByteArray> html(const QString& name) const;
    std::optional<QString> stringEntry(int id) const;

private:
    ResourceLibrary(QString root, QString rccFile);
    std::optional<QByteArray> readFile(const QString& relativePath) const;

    QString root_;    // ":/lib/..." prefix the library is mapped under
    QString rccFile_; // empty for the own library
};
