#pragma once

#include "RccValidator.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <memory>
#include <optional>

// One text library, in the layout of LibraryLayout.h, with a MANIFEST that
// gives the size and checksum of every other file (LibraryManifest).
// A library file is an rcc binary (`rcc --binary`) with its files stored
// uncompressed.  It is read whole into memory and never handed to Qt's
// resource system: its files are served only after their checksums match
// the manifest.  The program's own library lives in the executable and is
// mapped into Qt's resource system.
class ResourceLibrary {
public:
    ~ResourceLibrary();
    ResourceLibrary(const ResourceLibrary&) = delete;
    ResourceLibrary& operator=(const ResourceLibrary&) = delete;

    // Largest library file that is read at all.
    static constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

    // The library in the file at `path`; nothing (and one info log line)
    // when the file is missing, not a regular file, too large, not a
    // well-formed rcc file, or its files do not match its manifest.
    static std::unique_ptr<ResourceLibrary> open(const QString& path);

    // The library compiled into the executable.
    static const ResourceLibrary& own();

    // A file whose bytes fail their checksum reads as the program's own
    // file of the same name.
    std::optional<QByteArray> custom(int id) const;
    std::optional<QByteArray> html(const QString& name) const;
    std::optional<QString> stringEntry(int id) const;

private:
    ResourceLibrary(QString root, QString path, QByteArray bytes, QHash<QString, RccEntry> index,
                    QHash<QString, QByteArray> checksums);
    struct Lookup {
        std::optional<QByteArray> bytes;
        bool damaged = false; // present but failing its checksum
    };
    Lookup readFile(const QString& relativePath) const;
    std::optional<QByteArray> readOwnFile(const QString& relativePath) const;
    std::optional<QString> findHtmlName(const QString& name) const;

    QString root_; // ":/..." prefix of the own library; empty for a file
    QString path_; // the library file; empty for the own library
    QByteArray bytes_;
    QHash<QString, RccEntry> index_;
    QHash<QString, QByteArray> checksums_; // path -> SHA-256 from the manifest
};
