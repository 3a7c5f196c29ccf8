#include "Picture.h"

bool IsPictureSet(const Picture& picture) {
    return !picture.image.isNull() && picture.image.width() > 0 && picture.image.height() > 0;
}

QImage withTopLeftTransparent(const QImage& bitmap, int size) {
    if (bitmap.isNull() || size < 1)
        return {};
    QImage scaled = bitmap.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                        .convertToFormat(QImage::Format_ARGB32);
    const QRgb key = scaled.pixel(0, 0);
    for (int y = 0; y < scaled.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(scaled.scanLine(y));
        for (int x = 0; x < scaled.width(); ++x)
            if (line[x] == key)
                line[x] = 0;
    }
    return scaled;
}
