// The least a program can do to show the start page: one browser view with
// the same res scheme and profile, loading the same page, with time stamps.
#include "BenchClock.h"
#include "BrowserView.h"
#include "ResAddress.h"
#include "ResReader.h"
#include "ResScheme.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    BenchClock::mark("main");
    prepareBrowserEngine();
    QApplication app(argc, argv);
    BenchClock::mark("application");
    int status = 0;
    {
        BrowserView view;
        QObject::connect(&view, &QWebEngineView::loadFinished, [](bool ok) {
            if (!ok)
                return;
            BenchClock::mark("start-page-loaded");
            QCoreApplication::exit(0);
        });
        view.resize(1100, 780);
        view.show();
        BenchClock::mark("view-shown");
        view.load(ResAddress::build(ResReader::programDirectory(), QStringLiteral("MIRAVEL.HTML")));
        status = QApplication::exec();
    }
    return status;
}
