#pragma once

#include <QByteArray>
#include <QStringList>

// The byte layout of the text resources: 7-bit ASCII lines ending in CR LF,
// optionally followed by zero bytes.
class ResourceText {
public:
    // Joins the lines, each followed by CR LF, then appends `zeros` zero bytes.
    // Characters outside 7-bit ASCII must have been escaped by the caller; any
    // that slip through become '?' rather than bytes the reader would misread.
    static QByteArray encode(const QStringList& lines, int zeros = 0);

    // The lines joined as the library reader returns them: no separators.
    static QString joined(const QStringList& lines);
};
