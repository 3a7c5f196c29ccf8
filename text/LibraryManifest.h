#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

#include <optional>

// The list of a text library's files with the size and SHA-256 checksum of
// each, stored in the library itself under kPath.  The library builder
// writes it; the reader uses a library only as far as it matches.
//
//   miravel-library-manifest 1
//   <sha256 hex> <size> <path>        one line per file, sorted by path
namespace LibraryManifest {

inline constexpr char kPath[] = "MANIFEST";

struct Item {
    qint64 size = 0;
    QByteArray sha256; // raw 32 bytes
    friend bool operator==(const Item&, const Item&) = default;
};

// Path inside the library -> its size and checksum.
using Items = QMap<QString, Item>;

QByteArray checksum(const QByteArray& bytes);
Items describe(const QMap<QString, QByteArray>& files);

QByteArray write(const Items& items);
// Nothing when the text is not a manifest in the form above.
std::optional<Items> read(const QByteArray& text);

} // namespace LibraryManifest
