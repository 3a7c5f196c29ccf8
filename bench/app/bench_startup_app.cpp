// The program's own start-up, as the program runs it, with time stamps:
// the splash with its 100 ms timer while the main window loads behind it,
// until the start page has finished loading and the main window is shown.
// "--no-splash" opens the main window at once, to show what the splash adds.
#include "AppContext.h"
#include "BenchClock.h"
#include "BrowserView.h"
#include "frmMain.h"
#include "frmSplash.h"
#include "ResScheme.h"
#include "StartUp.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

namespace {

void openMainWindow(QPointer<frmMain>& main) {
    BenchClock::mark("main-window-create");
    static AppContext context;
    main = new frmMain(context);
    QObject::connect(main->browser(), &QWebEngineView::loadFinished, [](bool ok) {
        // Only the start page counts; a failed load is not a finished one.
        if (!ok)
            return;
        BenchClock::mark("start-page-loaded");
        QCoreApplication::exit(0);
    });
    main->setAttribute(Qt::WA_DeleteOnClose);
    main->show();
    BenchClock::mark("form-load-start");
    main->Form_Load();
    BenchClock::mark("form-load-done");
}

} // namespace

int main(int argc, char* argv[]) {
    BenchClock::mark("main");
    const bool withSplash = !(argc > 1 && QByteArray(argv[1]) == "--no-splash");
    prepareBrowserEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Miravel"));
    QApplication::setOrganizationName(QStringLiteral("Talvesk"));
    BenchClock::mark("application");

    QPointer<frmMain> main;
    StartUp startUp;
    bool pageLoaded = false;
    bool shown = false;
    const auto ready = [&] {
        if (pageLoaded && shown) {
            BenchClock::mark("start-page-loaded");
            QCoreApplication::exit(0);
        }
    };
    if (withSplash) {
        BenchClock::mark("splash-create");
        QObject::connect(&startUp, &StartUp::mainWindowCreated, [&](frmMain* window) {
            BenchClock::mark("main-window-create");
            QObject::connect(window->browser(), &QWebEngineView::loadFinished, [&](bool ok) {
                if (!ok)
                    return;
                BenchClock::mark("page-loaded-behind-splash");
                pageLoaded = true;
                ready();
            });
        });
        QObject::connect(&startUp, &StartUp::mainWindowShown, [&] {
            BenchClock::mark("splash-closed");
            shown = true;
            ready();
        });
        startUp.begin();
        BenchClock::mark("splash-shown");
    } else {
        QTimer::singleShot(0, [&main] { openMainWindow(main); });
    }
    const int status = QApplication::exec();
    delete main;
    return status;
}
