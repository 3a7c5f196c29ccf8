// miravel-artwork: draws every picture of Miravel.
//
// The page images (left.gif, right.gif, title.gif, BAND.jpg, w.jpg, q,
// break.gif, splitter.gif, SEARCHVIEW.JPG, miravelimage_gif) go into the first
// folder, the window assets (splash.png, background.png, about.png,
// icon-<id>.png, tree-5.png, tree-16.png) into the second, the desktop icon
// (miravel-<size>.png and the scalable miravel.svg) into the third. To
// regenerate the committed pictures, from the top of the source tree:
//
//   <build>/bin/miravel-artwork resources/html resources/ui packaging/icons
//
// It runs without a display (it picks Qt's offscreen platform itself).

#include "applicationicon.h"
#include "artworkset.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

using miravel::artwork::ApplicationIcon;
using miravel::artwork::ArtworkFolder;
using miravel::artwork::ArtworkSet;

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        err << "usage: miravel-artwork <html-folder> <ui-folder> <icon-folder>\n";
        return 2;
    }
    const QString htmlFolder = args.at(1);
    const QString uiFolder = args.at(2);
    const QString iconFolder = args.at(3);
    for (const QString& folder : {htmlFolder, uiFolder, iconFolder}) {
        if (!QDir().mkpath(folder)) {
            err << "cannot create " << folder << "\n";
            return 1;
        }
    }
    int failures = 0;
    for (const auto& item : ArtworkSet::all()) {
        const QString& folder = item.folder == ArtworkFolder::Html ? htmlFolder
                                : item.folder == ArtworkFolder::Ui ? uiFolder
                                                                   : iconFolder;
        if (!ArtworkSet::write(item, folder)) {
            err << "failed: " << item.fileName << "\n";
            ++failures;
        }
    }
    QFile svg(QDir(iconFolder).filePath(QStringLiteral("miravel.svg")));
    const QByteArray document = ApplicationIcon::svg();
    if (document.isEmpty() || !svg.open(QIODevice::WriteOnly) || svg.write(document) < 0) {
        err << "failed: miravel.svg\n";
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}
