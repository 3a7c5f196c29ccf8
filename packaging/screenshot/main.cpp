// miravel-screenshot: starts Miravel as a reader would, opens sura 2 and
// writes a picture of the main window, for the AppStream data and the README.
//
//   miravel-screenshot <out.png>
//
// packaging/screenshot.sh runs it under Xvfb with settings of its own.
#include "frmMain.h"
#include "ResScheme.h"
#include "StartUp.h"
#include "SuraTree.h"

#include <QApplication>
#include <QScreen>
#include <QTextStream>
#include <QTimer>

namespace {

constexpr int kSura = 2;
constexpr QSize kWindowSize(1100, 720);
// The engine paints a moment after the page is placed.
constexpr int kSettleMs = 2500;

void capture(frmMain* window, const QString& outPath) {
    QPixmap picture = window->screen()->grabWindow(window->winId());
    QTextStream err(stderr);
    if (picture.isNull() || !picture.save(outPath, "PNG")) {
        err << "cannot write " << outPath << "\n";
        QCoreApplication::exit(1);
        return;
    }
    QCoreApplication::exit(0);
}

} // namespace

int main(int argc, char* argv[]) {
    prepareBrowserEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Miravel"));
    QApplication::setOrganizationName(QStringLiteral("Talvesk"));
    if (app.arguments().size() != 2) {
        QTextStream(stderr) << "usage: miravel-screenshot <out.png>\n";
        return 2;
    }
    const QString outPath = app.arguments().at(1);

    StartUp startUp;
    QObject::connect(&startUp, &StartUp::mainWindowShown, &app, [&](frmMain* window) {
        window->resize(kWindowSize);
        QObject::connect(window, &frmMain::pageShown, window, [window, outPath] {
            QTimer::singleShot(kSettleMs, window, [window, outPath] { capture(window, outPath); });
        });
        // Sura n stands at index n + 2 of the tree, after "Main Site" and the root.
        QTimer::singleShot(kSettleMs, window,
                           [window] { window->lst_NodeClick(window->tree()->node(kSura + 2)); });
    });
    startUp.begin();
    return QApplication::exec();
}
