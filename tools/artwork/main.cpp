// miravel-artwork: draws every picture of Miravel.
//
// The page images (left.gif, right.gif, title.gif, BAND.jpg, w.jpg, q,
// break.gif, splitter.gif, SEARCHVIEW.JPG, miravelimage_gif) go into the first
// folder, the window assets (splash.png, background.png, about.png,
// icon-<id>.png, tree-5.png, tree-16.png) into the second. To regenerate the
// committed pictures, from the top of the source tree:
//
//   <build>/bin/miravel-artwork resources/html resources/ui
//
// It runs without a display (it picks Qt's offscreen platform itself).

#include "artworkset.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

using miravel::artwork::ArtworkFolder;
using miravel::artwork::ArtworkSet;

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        err << "usage: miravel-artwork <html-folder> <ui-folder>\n";
        return 2;
    }
    const QString htmlFolder = args.at(1);
    const QString uiFolder = args.at(2);
    for (const QString& folder : {htmlFolder, uiFolder}) {
        if (!QDir().mkpath(folder)) {
            err << "cannot create " << folder << "\n";
            return 1;
        }
    }
    int failures = 0;
    for (const auto& item : ArtworkSet::all()) {
        const QString& folder = item.folder == ArtworkFolder::Html ? htmlFolder : uiFolder;
        if (!ArtworkSet::write(item, folder)) {
            err << "failed: " << item.fileName << "\n";
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
