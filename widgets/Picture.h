#pragma once

#include <QImage>
#include <QMetaType>

// A picture property: an icon (drawn scaled with its own transparency) or a
// bitmap (drawn with the colour of its top-left pixel transparent). A default
// Picture is "none".
struct Picture {
    enum class Kind { Bitmap, Icon };

    QImage image;
    Kind kind = Kind::Bitmap;

    static Picture bitmap(const QImage& image) { return {image, Kind::Bitmap}; }
    static Picture icon(const QImage& image) { return {image, Kind::Icon}; }

    bool isSet() const { return !image.isNull(); }
    bool isIcon() const { return kind == Kind::Icon; }
    friend bool operator==(const Picture& a, const Picture& b) {
        return a.kind == b.kind && a.image == b.image;
    }
};
Q_DECLARE_METATYPE(Picture)

// True when the picture is set and both its width and its height are non-zero.
bool IsPictureSet(const Picture& picture);

// A copy of the bitmap scaled to size x size whose pixels of exactly the
// top-left colour are transparent.
QImage withTopLeftTransparent(const QImage& bitmap, int size);
