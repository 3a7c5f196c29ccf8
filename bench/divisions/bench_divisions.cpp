// Divisions benchmark: what the divisions cost the reader.
//  - reading the division file (the first time a division is needed);
//  - the script that finds the verse at the top of the view, which the
//    status panel sends while the page scrolls, in the page itself, against
//    a walk over every label as the reading place makes it;
//  - scrolling sura 2 in the main window step by step, with the panel
//    following the scroll and without it.
// Prints figures (medians), asserts nothing.
#include "AppContext.h"
#include "BenchClock.h"
#include "BrowserView.h"
#include "DivisionTable.h"
#include "frmMain.h"
#include "QuranReader.h"
#include "ReadingPlace.h"
#include "ResScheme.h"
#include "TopVerseWatch.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <cstdio>

namespace {

double median(QList<double> values) {
    return BenchClock::median(values);
}

void readingTheFile() {
    QList<double> ms;
    for (int i = 0; i < 30; ++i) {
        QElapsedTimer clock;
        clock.start();
        const auto table = DivisionTable::load(DivisionTable::kResource);
        ms << clock.nsecsElapsed() / 1e6;
        if (!table)
            std::printf("reading the division file failed\n");
    }
    std::printf("division file read and checked: %.2f ms (median of %lld)\n", median(ms),
                qlonglong(ms.size()));
}

// The script's own time in the page, per call, in microseconds.
double inPage(BrowserView* view, const QString& script) {
    const QString timed =
        QStringLiteral(
            "(function () { var f = function () { return %1; };"
            " var start = performance.now();"
            " for (var i = 0; i < 200; ++i) { window.scrollBy(0, i % 2 ? 37 : -37); f(); }"
            " return (performance.now() - start) * 1000 / 200; })()")
            .arg(script.trimmed());
    return view->runScript(timed).value_or(QVariant(-1)).toDouble();
}

const char kWalk[] = R"JS(
(function () {
    var markers = document.querySelectorAll('p.A1');
    for (var i = 0; i < markers.length; ++i) {
        var box = markers[i].getBoundingClientRect();
        if (box.height > 0 && box.top >= 0) return markers[i].textContent;
    }
    return null;
})()
)JS";

// Scrolls the page down in steps, each time until the engine reports the
// new position; the milliseconds per step.
double scrollSteps(BrowserView* view, int steps) {
    QList<double> ms;
    view->runScript(QStringLiteral("window.scrollTo(0, 0); true"));
    for (int i = 0; i < steps; ++i) {
        QSignalSpy moved(view->page(), &QWebEnginePage::scrollPositionChanged);
        QElapsedTimer clock;
        clock.start();
        view->page()->runJavaScript(QStringLiteral("window.scrollBy(0, 90)"),
                                    QWebEngineScript::ApplicationWorld);
        if (!moved.wait(2000))
            break;
        ms << clock.nsecsElapsed() / 1e6;
        QCoreApplication::processEvents();
    }
    return median(ms);
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    prepareBrowserEngine();
    QApplication app(argc, argv);
    readingTheFile();

    AppContext context;
    frmMain window(context);
    window.show();
    window.Form_Load();
    BrowserView* view = window.browser();
    view->waitForLoad();
    window.reader().showSura(2);
    view->runScript(QStringLiteral("window.scrollTo(0, 20000); true"));

    std::printf("verse at the top, in the page: halving %.1f us, walking every label %.1f us "
                "(sura 2, 286 labels, after a scroll each)\n",
                inPage(view, TopVerseWatch::topLabelScript().trimmed()),
                inPage(view, QString::fromLatin1(kWalk).trimmed()));

    // The window's own panel steps aside; each round follows the scroll
    // with a watch and a panel of its own, then scrolls without.
    delete window.findChild<TopVerseWatch*>();
    const DivisionTable* table = DivisionTable::shared();
    QLabel panel;
    constexpr int kSteps = 120;
    QList<double> with, without;
    for (int round = 0; round < 3; ++round) {
        auto* watch = new TopVerseWatch(view);
        QObject::connect(
            watch, &TopVerseWatch::topLabelChanged, &panel, [&panel, table](const QString& label) {
                const auto place = VersePlace::fromLabel(label);
                const auto here =
                    place && table ? table->at({place->sura, place->verse}) : std::nullopt;
                panel.setText(here ? DivisionNames::whereAmI(*here) : QString());
            });
        with << scrollSteps(view, kSteps);
        delete watch;
        without << scrollSteps(view, kSteps);
    }
    std::printf("scrolling sura 2 by 90 px: %.2f ms a step with the panel following, %.2f ms "
                "without (medians of %d steps, 3 rounds)\n",
                median(with), median(without), kSteps);
    std::printf("panel reads: %s\n", qPrintable(panel.text()));
    return 0;
}
