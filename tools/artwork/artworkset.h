#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <functional>

namespace miravel::artwork {

enum class ArtworkFolder { Html, Ui, Icons };
enum class ArtworkFormat { Gif, Jpeg, Png };

// One picture of the program: where it goes, under which name, in which file
// format and at which size, and how it is drawn.
struct ArtworkItem {
    ArtworkFolder folder;
    QString fileName;
    ArtworkFormat format;
    QSize size;
    std::function<QImage()> draw;
};

class ArtworkSet {
public:
    // Every picture, page images first, then the window assets.
    static QList<ArtworkItem> all();
    // Draws the item and writes it into the folder; false if drawing gave the
    // wrong size or the file could not be written.
    static bool write(const ArtworkItem& item, const QString& folderPath);
    // Qt's name of the format, as QImageReader::format() reports it.
    static QByteArray formatName(ArtworkFormat format);
};

} // namespace miravel::artwork
