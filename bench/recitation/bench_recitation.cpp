// Recitation benchmark: what playback costs the reading view.  The same
// work (sura changes, then scrolling sura 2 step by step) is timed in the
// real main window with no recitation and while a recitation plays (a range
// of short tones over suras 112-114 without end, made with sox), rounds
// alternating; prints the medians and the ratio against the target of
// 1.1, asserts nothing.
#include "AppContext.h"
#include "BrowserView.h"
#include "frmMain.h"
#include "QuranReader.h"
#include "Recitation.h"
#include "RecitationCommands.h"
#include "RecitationFixture.h"
#include "RecitationFolders.h"
#include "ResScheme.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace {

constexpr double kTargetRatio = 1.1;
const int kSuras[] = {2, 36, 55, 67, 18, 2};
constexpr int kScrollSteps = 60;

// Sura changes, then scrolling the last one (sura 2) a screen part at a
// time; each script answers after the engine laid the page out.
double readingWork(frmMain& window) {
    QElapsedTimer clock;
    clock.start();
    for (const int sura : kSuras)
        window.reader().showSura(sura);
    for (int step = 0; step < kScrollSteps; ++step)
        window.browser()->runScript(
            QStringLiteral("window.scrollBy(0, 300); document.body.scrollHeight"));
    return clock.nsecsElapsed() / 1e6;
}

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char* argv[]) {
    const int rounds = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 7;
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    prepareBrowserEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Miravel"));
    QApplication::setOrganizationName(QStringLiteral("Talvesk"));

    RecitationFixture folder;
    if (!folder.make()) {
        std::printf("no recitation folder: %s\n", qPrintable(folder.error()));
        return 1;
    }
    AppContext context;
    context.openExternal = [](const QString&) { return true; };
    RecitationFolders::store(context.settings(), {{QStringLiteral("Tones"), folder.path()}}, 1);
    RecitationOptions options;
    options.rangeOn = true;
    options.rangeFrom = {112, 1};
    options.rangeTo = {114, 6};
    options.rangeTimes = 0;
    options.store(context.settings());

    frmMain window(context);
    window.show();
    window.Form_Load();
    window.browser()->waitForLoad();
    auto* commands = window.findChild<RecitationCommands*>();
    Recitation& recitation = commands->recitation();
    int versesStarted = 0;
    QObject::connect(&recitation, &Recitation::verseStarted, [&] { ++versesStarted; });

    readingWork(window); // warm-up: the renderer's caches
    QList<double> without;
    QList<double> with;
    int versesDuringWork = 0;
    const auto playing = [&] {
        commands->playFrom({112, 1});
        QTest::qWait(800); // playing, and the page has followed it once
        const int before = versesStarted;
        with << readingWork(window);
        versesDuringWork += versesStarted - before;
        commands->stop();
        QTest::qWait(100);
    };
    // The order changes every round, so neither side always goes first.
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            without << readingWork(window);
            playing();
        } else {
            playing();
            without << readingWork(window);
        }
    }
    const double plain = median(without);
    const double whilePlaying = median(with);
    const double ratio = whilePlaying / plain;
    std::printf("reading work (%zu sura changes, %d scroll steps), median of %d rounds:\n",
                std::size(kSuras), kScrollSteps, rounds);
    std::printf("  without playback  %8.1f ms\n", plain);
    std::printf("  while playing     %8.1f ms  (%d verses started during the work)\n", whilePlaying,
                versesDuringWork);
    std::printf("  ratio %.3f, target <= %.1f: %s\n", ratio, kTargetRatio,
                ratio <= kTargetRatio ? "met" : "MISSED");
    return 0;
}
