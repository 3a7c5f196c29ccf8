#include "artworkset.h"

#include "applicationicon.h"
#include "gifwriter.h"
#include "iconart.h"
#include "pageart.h"
#include "windowart.h"

#include <QDir>
#include <QImageWriter>

namespace miravel::artwork {

QList<ArtworkItem> ArtworkSet::all() {
    using F = ArtworkFormat;
    const auto html = ArtworkFolder::Html;
    const auto ui = ArtworkFolder::Ui;
    QList<ArtworkItem> items{
        {html, "left.gif", F::Gif, {111, 40}, &PageArt::titleLeft},
        {html, "right.gif", F::Gif, {111, 40}, &PageArt::titleRight},
        {html, "title.gif", F::Gif, {430, 40}, &PageArt::titleBand},
        {html, "BAND.jpg", F::Jpeg, {53, 14}, &PageArt::verseLabel},
        {html, "w.jpg", F::Jpeg, {751, 1}, &PageArt::verseRule},
        {html, "q", F::Gif, {680, 4}, &PageArt::textSeparator},
        {html, "break.gif", F::Gif, {360, 8}, &PageArt::headingRule},
        {html, "splitter.gif", F::Gif, {500, 6}, &PageArt::resultSplitter},
        {html, "SEARCHVIEW.JPG", F::Jpeg, {760, 120}, &PageArt::searchHeader},
        {html, "miravelimage_gif", F::Gif, {318, 490}, &PageArt::startPicture},
        {ui, "splash.png", F::Png, {450, 300}, &WindowArt::splash},
        {ui, "background.png", F::Png, {799, 559}, &WindowArt::background},
        {ui, "about.png", F::Png, {362, 262}, &WindowArt::aboutBox},
        {ui, "tree-5.png", F::Png, {16, 16}, &IconArt::treeBook},
        {ui, "tree-16.png", F::Png, {16, 16}, &IconArt::treeSura},
    };
    for (int id : IconArt::toolbarIds())
        items.append({ui, QStringLiteral("icon-%1.png").arg(id), F::Png, {16, 16}, [id] {
                          return IconArt::toolbarIcon(id);
                      }});
    for (int side : ApplicationIcon::sizes())
        items.append({ArtworkFolder::Icons,
                      QStringLiteral("miravel-%1.png").arg(side),
                      F::Png,
                      {side, side},
                      [side] { return ApplicationIcon::image(side); }});
    return items;
}

bool ArtworkSet::write(const ArtworkItem& item, const QString& folderPath) {
    const QImage image = item.draw();
    if (image.size() != item.size)
        return false;
    const QString path = QDir(folderPath).filePath(item.fileName);
    switch (item.format) {
    case ArtworkFormat::Gif:
        return GifWriter::write(image, path);
    case ArtworkFormat::Jpeg: {
        QImageWriter writer(path, "jpeg");
        writer.setQuality(95);
        return writer.write(image.convertToFormat(QImage::Format_RGB32));
    }
    case ArtworkFormat::Png: {
        QImageWriter writer(path, "png");
        return writer.write(image);
    }
    }
    return false;
}

QByteArray ArtworkSet::formatName(ArtworkFormat format) {
    switch (format) {
    case ArtworkFormat::Gif:
        return "gif";
    case ArtworkFormat::Jpeg:
        return "jpeg";
    case ArtworkFormat::Png:
        return "png";
    }
    return {};
}

} // namespace miravel::artwork
