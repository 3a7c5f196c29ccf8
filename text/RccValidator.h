#pragma once

#include <QHash>
#include <QString>
#include <QtGlobal>

#include <optional>

// One file of an rcc resource file: where its stored bytes lie in the
// buffer and how they are stored.
struct RccEntry {
    qint64 offset = 0; // first byte of the stored data
    qint64 size = 0;   // stored size (compressed size for compressed entries)
    quint16 flags = 0; // rcc node flags
    bool isCompressed() const { return (flags & (0x01 | 0x04)) != 0; }
};

// Every file of an rcc buffer by its path ("CUSTOM/101"), or nothing when
// the buffer is not a complete, well-formed rcc file.  Well-formed means
// that every place Qt reads while it looks a name up (the root read as a
// directory, each child range probed by the binary search, every name and
// hash, every data block) lies inside the buffer, no node is reached twice
// and every name is a usable path part.
std::optional<QHash<QString, RccEntry>> indexRcc(const uchar* data, qint64 size);

// Whether Qt can register and walk the buffer safely.
bool isWellFormedRcc(const uchar* data, qint64 size);
