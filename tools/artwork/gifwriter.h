#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace miravel::artwork {

// Reduces a picture to at most 256 colours. A picture that already has that
// few keeps its colours exactly; otherwise a median cut chooses the palette.
class PaletteQuantizer {
public:
    static QImage toIndexed(const QImage& image);
};

// Writes GIF files. Qt reads GIF but cannot write it, so
// the pictures are stored with LZW codes that are all literals: larger than a
// real LZW stream, but every decoder reads it and the writer stays short.
class GifWriter {
public:
    static QByteArray encode(const QImage& image);
    static bool write(const QImage& image, const QString& path);
};

} // namespace miravel::artwork
