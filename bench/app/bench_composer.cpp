// Composer benchmark: sura 2 with the libraries "1/2/3" composed in the real
// main window, against the identical final markup loaded as one static page
// in the same engine; then all 114 suras one after another and the resident
// memory.  Prints figures and the target ratios, asserts nothing.
#include "AppContext.h"
#include "BenchClock.h"
#include "BrowserComposerView.h"
#include "BrowserProfile.h"
#include "BrowserView.h"
#include "frmMain.h"
#include "ProcessMemory.h"
#include "QuranReader.h"
#include "RegSetting.h"
#include "ResAddress.h"
#include "ResourceLibrary.h"
#include "ResReader.h"
#include "ResScheme.h"
#include "SuraTree.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTreeWidgetItem>
#include <QWebEnginePage>

#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kSura = 2;
constexpr int kVerses = 286;
const QString kStaticPage = QStringLiteral("BENCHSTATIC.HTML");
// One script round trip that also makes the engine lay the page out.
const QString kLayoutScript = QStringLiteral("document.body ? document.body.scrollHeight : 0");

double msSince(const QElapsedTimer& clock) {
    return double(clock.nsecsElapsed()) / 1e6;
}

int labelCount(const QString& markup, int sura) {
    static const QRegularExpression label(
        QStringLiteral("<p class=\"A1\">([0-9]+) : ([0-9]+)</p>"));
    int expected = 1;
    for (const auto& match : label.globalMatch(markup)) {
        if (match.captured(1).toInt() != sura || match.captured(2).toInt() != expected)
            return -1;
        ++expected;
    }
    return expected - 1;
}

// Time spent per kind of step of one composition.
struct StepTimes {
    QMap<QString, double> ms;
    QMap<QString, int> count;
    // The page view's calls in order: name, end time, duration.
    struct Call {
        QString step;
        double endMs;
        double ms;
    };
    QList<Call> trace;
    void add(const QString& step, double elapsed) {
        ms[step] += elapsed;
        ++count[step];
    }
    void addCall(const QString& step, double endMs, double elapsed) {
        add(step, elapsed);
        trace.append({step, endMs, elapsed});
    }
};

// The main window's page view with a stopwatch on every call; after the
// first portion it waits for one script round trip (with layout) and notes
// the time, which is when the first portion is visible.
class TimedComposerView : public ComposerView {
public:
    TimedComposerView(BrowserView* view, const QElapsedTimer& clock, StepTimes& steps)
        : inner_(view), browser_(view), clock_(clock), steps_(steps) {}

    double firstPortionMs = -1;

    void navigate(const QString& address) override {
        const double start = msSince(clock_);
        inner_.navigate(address);
        steps_.addCall(QStringLiteral("navigate ") + address.section(QLatin1Char('/'), -1),
                       msSince(clock_), msSince(clock_) - start);
    }
    void appendBody(const QString& markup) override {
        double start = msSince(clock_);
        inner_.appendBody(markup);
        steps_.addCall(QStringLiteral("appendBody %1 chars").arg(markup.size()), msSince(clock_),
                       msSince(clock_) - start);
        if (firstPortionMs < 0) {
            start = msSince(clock_);
            browser_->runScript(kLayoutScript);
            firstPortionMs = msSince(clock_);
            steps_.addCall(QStringLiteral("layout round trip (bench)"), firstPortionMs,
                           firstPortionMs - start);
        }
    }
    void replaceInBody(const QString& find, const QString& replacement) override {
        const double start = msSince(clock_);
        inner_.replaceInBody(find, replacement);
        steps_.addCall(QStringLiteral("replaceInBody (title)"), msSince(clock_),
                       msSince(clock_) - start);
    }

private:
    BrowserComposerView inner_;
    BrowserView* browser_;
    const QElapsedTimer& clock_;
    StepTimes& steps_;
};

struct InstrumentedRun {
    double firstPortionMs = 0;
    double wholeMs = 0;
    int rendererStarts = 0;
    StepTimes steps;
};

// One composition of the sura through the reader, with a stopwatch on
// each step of the page view and on each yield.
InstrumentedRun composeInstrumented(frmMain& window) {
    InstrumentedRun run;
    QElapsedTimer clock;
    const auto yield = [&] {
        const double start = msSince(clock);
        QCoreApplication::processEvents();
        run.steps.add(QStringLiteral("yield"), msSince(clock) - start);
    };
    window.reader().CancelDisplay() = false;
    TimedComposerView view(window.browser(), clock, run.steps);
    // Each new renderer process costs its start-up and cold caches.
    const QMetaObject::Connection counting =
        QObject::connect(window.browser()->page(), &QWebEnginePage::renderProcessPidChanged,
                         [&run](qint64 pid) { run.rendererStarts += pid > 0 ? 1 : 0; });
    clock.start();
    window.reader().composeWith(100 + kSura, view, yield);
    const double composed = msSince(clock);
    window.browser()->runScript(kLayoutScript);
    run.steps.addCall(QStringLiteral("final layout round trip (bench)"), msSince(clock),
                      msSince(clock) - composed);
    QObject::disconnect(counting);
    run.wholeMs = msSince(clock);
    run.firstPortionMs = view.firstPortionMs;
    return run;
}

// The main window's own DispalyHTML, untouched, until the page is laid out.
double composeThroughMainWindow(frmMain& window, int sura) {
    QElapsedTimer clock;
    window.reader().CancelDisplay() = false;
    clock.start();
    window.DispalyHTML(100 + sura);
    window.browser()->runScript(kLayoutScript);
    return msSince(clock);
}

// The template page with its body replaced by `body`, in UTF-8.
QByteArray staticPage(const QString& body) {
    QByteArray page =
        ResourceLibrary::own().html(QStringLiteral("QURAN.HTML")).value_or(QByteArray());
    const qsizetype open = page.indexOf("<body");
    const qsizetype openEnd = page.indexOf('>', open);
    if (open < 0 || openEnd < 0)
        return {};
    QByteArray head = page.left(openEnd + 1);
    head.replace("windows-1256", "utf-8");
    return head + body.toUtf8() + "</body>\n</html>\n";
}

struct StaticLoad {
    double loadedMs = 0; // until loadFinished
    double totalMs = 0;  // and laid out
    int rendererStarts = 0;
};

StaticLoad loadStatic(BrowserView& view) {
    StaticLoad load;
    const QMetaObject::Connection counting =
        QObject::connect(view.page(), &QWebEnginePage::renderProcessPidChanged,
                         [&load](qint64 pid) { load.rendererStarts += pid > 0 ? 1 : 0; });
    QElapsedTimer clock;
    clock.start();
    view.Navigate(QuranReader::pageAddress(kStaticPage));
    view.waitForLoad(60000);
    load.loadedMs = msSince(clock);
    view.runScript(kLayoutScript);
    load.totalMs = msSince(clock);
    QObject::disconnect(counting);
    return load;
}

void printMemory(const char* when, const frmMain& window) {
    const qint64 self = ProcessMemory::residentKiB(getpid());
    const qint64 renderer = window.browser()->page()->renderProcessPid();
    qint64 engineTotal = 0;
    const QList<qint64> children = ProcessMemory::descendants(getpid());
    for (qint64 pid : children)
        engineTotal += qMax<qint64>(0, ProcessMemory::residentKiB(pid));
    std::printf("  %-22s program %7lld KiB   its renderer (pid %lld) %7lld KiB   all engine "
                "processes (%lld) %7lld KiB\n",
                when, qint64(self), qint64(renderer), qint64(ProcessMemory::residentKiB(renderer)),
                qint64(children.size()), qint64(engineTotal));
    std::fflush(stdout);
}

qint64 rendererKiB(const frmMain& window) {
    return ProcessMemory::residentKiB(window.browser()->page()->renderProcessPid());
}

const char* verdict(bool met) {
    return met ? "met" : "MISSED";
}

} // namespace

int main(int argc, char* argv[]) {
    const int rounds = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 5;
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    prepareBrowserEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Miravel"));
    QApplication::setOrganizationName(QStringLiteral("Talvesk"));
    RegSetting::SaveValue(QStringLiteral("Miravel"), QStringLiteral("Settings"),
                          QStringLiteral("OrderString"), QStringLiteral("1/2/3"));

    AppContext context;
    context.openExternal = [](const QString&) { return true; };
    frmMain window(context);
    window.show();
    window.Form_Load();
    window.browser()->waitForLoad();
    std::printf("OrderString \"%s\", window %dx%d, page view %dx%d\n",
                qPrintable(context.settings().values().OrderString), window.width(),
                window.height(), window.browser()->width(), window.browser()->height());

    // Warm-up: the first composition also starts the renderer's caches.
    composeThroughMainWindow(window, kSura);
    const QString body = window.browser()->bodyInnerHtml();
    const int composedLabels = labelCount(body, kSura);
    std::printf("composed page: %lld characters of body markup, %d labels in order (of %d)\n",
                qint64(body.size()), composedLabels, kVerses);

    // The same markup as one static page, in the same engine, its images
    // from the same res scheme.
    const QByteArray page = staticPage(body);
    BrowserProfile staticProfile([page](const QString& name) -> std::optional<QByteArray> {
        if (name.compare(kStaticPage, Qt::CaseInsensitive) == 0)
            return page;
        return ResourceLibrary::own().html(name);
    });
    auto* staticView = new BrowserView(nullptr, &staticProfile);
    staticView->resize(window.browser()->size());
    staticView->show();
    loadStatic(*staticView); // warm-up
    const int staticLabels = labelCount(staticView->bodyInnerHtml(), kSura);
    std::printf("static page: %lld bytes, %d labels in order\n\n", qint64(page.size()),
                staticLabels);

    QList<double> first;
    QList<double> wholeInstrumented;
    QList<double> whole;
    QList<double> statics;
    QList<double> staticsLoaded;
    int staticRendererStarts = 0;
    StepTimes stepSum;
    QList<StepTimes::Call> lastTrace;
    double wholeInstrumentedMean = 0;
    int rendererStarts = 0;
    for (int round = 0; round < rounds; ++round) {
        const InstrumentedRun run = composeInstrumented(window);
        first.append(run.firstPortionMs);
        rendererStarts += run.rendererStarts;
        wholeInstrumentedMean += run.wholeMs / rounds;
        lastTrace = run.steps.trace;
        wholeInstrumented.append(run.wholeMs);
        for (auto it = run.steps.ms.cbegin(); it != run.steps.ms.cend(); ++it) {
            QString key = it.key();
            if (key.startsWith(QLatin1String("appendBody")))
                key = QStringLiteral("appendBody");
            stepSum.ms[key] += it.value() / rounds;
            stepSum.count[key] += run.steps.count.value(it.key());
        }
        whole.append(composeThroughMainWindow(window, kSura));
        const StaticLoad load = loadStatic(*staticView);
        statics.append(load.totalMs);
        staticsLoaded.append(load.loadedMs);
        staticRendererStarts += load.rendererStarts;
        std::printf("round %d: first portion %7.1f ms, whole (instrumented) %7.1f ms, whole "
                    "(frmMain::DispalyHTML) %7.1f ms, static %7.1f ms\n",
                    round + 1, run.firstPortionMs, run.wholeMs, whole.last(), statics.last());
        std::fflush(stdout);
    }
    const int finalLabels = labelCount(window.browser()->bodyInnerHtml(), kSura);

    const double firstMs = BenchClock::median(first);
    const double wholeMs = BenchClock::median(whole);
    const double staticMs = BenchClock::median(statics);
    std::printf("\nSura 2, OrderString 1/2/3, %d rounds, medians (each until the page is laid "
                "out: one script round trip after the last step)\n",
                rounds);
    std::printf("  first portion visible            %8.1f ms\n", firstMs);
    std::printf("  whole page (frmMain::DispalyHTML)%8.1f ms (instrumented run: %.1f ms)\n",
                wholeMs, BenchClock::median(wholeInstrumented));
    std::printf("  static page load                 %8.1f ms (loadFinished after %.1f ms; "
                "renderer processes started per load: %.1f)\n",
                staticMs, BenchClock::median(staticsLoaded), double(staticRendererStarts) / rounds);
    std::printf("  labels after the last round      %8d of %d\n", finalLabels, kVerses);
    std::printf("  whole / static   %5.2f (target <= 1.30) %s\n", wholeMs / staticMs,
                verdict(wholeMs / staticMs <= 1.3));
    std::printf("  first / static   %5.2f (target <= 0.30) %s\n", firstMs / staticMs,
                verdict(firstMs / staticMs <= 0.3));
    std::printf("\nWhere an instrumented composition spends its time (mean per composition)\n");
    double accounted = 0;
    for (auto it = stepSum.ms.cbegin(); it != stepSum.ms.cend(); ++it) {
        std::printf("  %-30s %8.1f ms  (%d calls)\n", qPrintable(it.key()), it.value(),
                    stepSum.count.value(it.key()) / rounds);
        accounted += it.value();
    }
    std::printf("  %-30s %8.1f ms  (reading libraries, building portions)\n", "composer's own work",
                wholeInstrumentedMean - accounted);
    std::printf("  renderer processes started per composition: %.1f\n",
                double(rendererStarts) / rounds);
    std::printf("The page view's calls of the last round (ms since the call to DispalyHTML)\n");
    for (const StepTimes::Call& call : lastTrace)
        std::printf("  ends %7.1f  took %6.1f  %s\n", call.endMs, call.ms, qPrintable(call.step));

    delete staticView;
    std::printf("\nResident memory, all 114 suras composed one after another\n");
    printMemory("before", window);
    QElapsedTimer all;
    all.start();
    qint64 afterFirstSelf = 0;
    qint64 afterFirstRenderer = 0;
    int broken = 0;
    for (int sura = 1; sura <= 114; ++sura) {
        window.reader().CancelDisplay() = false;
        window.DispalyHTML(100 + sura);
        if (sura == 1) {
            afterFirstSelf = ProcessMemory::residentKiB(getpid());
            afterFirstRenderer = rendererKiB(window);
            printMemory("after sura 1", window);
        }
        if (sura % 19 == 0 && sura < 114)
            printMemory(qPrintable(QStringLiteral("after sura %1").arg(sura)), window);
        if (sura % 10 == 0 && labelCount(window.browser()->bodyInnerHtml(), sura) <= 0)
            ++broken;
    }
    printMemory("after sura 114", window);
    const qint64 endSelf = ProcessMemory::residentKiB(getpid());
    const qint64 endRenderer = rendererKiB(window);
    std::printf("  114 suras composed in %.1f s; sampled pages without labels: %d\n",
                double(all.elapsed()) / 1000, broken);
    const double selfGrowth = double(endSelf) / double(afterFirstSelf);
    const double rendererGrowth = double(endRenderer) / double(afterFirstRenderer);
    std::printf("  end / after first: program %.3f %s, renderer %.3f %s (target <= 1.10)\n",
                selfGrowth, verdict(selfGrowth <= 1.1), rendererGrowth,
                verdict(rendererGrowth <= 1.1));
    std::fflush(stdout);
    return 0;
}
