#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Reads a whole library file, but only a regular file of at most `maxSize`
// bytes: a pipe, device or folder is refused without waiting on it, and no
// more memory is taken than the file holds.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxSize);
