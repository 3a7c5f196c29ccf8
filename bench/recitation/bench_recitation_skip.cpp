// Recitation benchmark: what a file that cannot play costs.  A folder of
// 6,236 empty files, one per verse, is played from 1:1 on through every
// sura, so every file is skipped with a note.  Timed twice: the recitation
// alone (with the program's media player), and through the main window's
// commands, where each note goes to the status bar; for the main window also
// the longest time its event loop was held (how late a key would be
// answered).  Prints milliseconds per skipped file against the target of a
// few milliseconds; asserts nothing.
#include "AppContext.h"
#include "BrowserView.h"
#include "frmMain.h"
#include "MediaAudioPlayer.h"
#include "QuranReader.h"
#include "Recitation.h"
#include "RecitationCommands.h"
#include "RecitationFolder.h"
#include "RecitationFolders.h"
#include "ResScheme.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr double kTargetMsPerFile = 3.0;

bool makeEmptyFiles(const QString& folder, const std::function<int(int)>& verseCount) {
    for (int sura = 1; sura <= 114; ++sura) {
        for (int verse = 1; verse <= verseCount(sura); ++verse) {
            QFile file(QDir(folder).filePath(RecitationFolder::baseName({sura, verse}) + ".mp3"));
            if (!file.open(QIODevice::WriteOnly))
                return false;
        }
    }
    return true;
}

struct Run {
    double ms = 0;
    int skipped = 0;
    double longestHoldMs = 0;
};

// Plays from 1:1 until the recitation stops; counts the notes of skipped
// files and, with a timer that fires whenever the loop is free, the longest
// stretch the loop was held.
Run timeRun(Recitation& recitation, const std::function<void()>& start) {
    Run run;
    QObject guard;
    QObject::connect(&recitation, &Recitation::note, &guard, [&run](const QString& text) {
        if (text.endsWith(QStringLiteral("skipped.")))
            ++run.skipped;
    });
    QElapsedTimer clock;
    QElapsedTimer sinceFree;
    QTimer free;
    free.setInterval(0);
    QObject::connect(&free, &QTimer::timeout, &guard, [&] {
        run.longestHoldMs = std::max(run.longestHoldMs, sinceFree.nsecsElapsed() / 1e6);
        sinceFree.restart();
    });
    free.start();
    clock.start();
    sinceFree.start();
    start();
    if (!QTest::qWaitFor([&] { return recitation.state() == Recitation::State::Stopped; }, 600000))
        std::printf("the recitation did not stop within ten minutes\n");
    run.ms = clock.nsecsElapsed() / 1e6;
    run.longestHoldMs = std::max(run.longestHoldMs, sinceFree.nsecsElapsed() / 1e6);
    return run;
}

void print(const char* what, const Run& run) {
    const double perFile = run.skipped > 0 ? run.ms / run.skipped : 0;
    std::printf("%-28s %6d files skipped in %9.1f ms: %.4f ms per file (target <= %.0f: %s); "
                "loop held at most %.1f ms\n",
                what, run.skipped, run.ms, perFile, kTargetMsPerFile,
                perFile <= kTargetMsPerFile ? "met" : "MISSED", run.longestHoldMs);
}

} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    prepareBrowserEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Miravel"));
    QApplication::setOrganizationName(QStringLiteral("Talvesk"));

    AppContext context;
    context.openExternal = [](const QString&) { return true; };
    frmMain window(context);
    window.show();
    window.Form_Load();
    window.browser()->waitForLoad();
    const auto verseCount = [&window](int sura) { return window.reader().verseCount(sura); };

    QTemporaryDir folder;
    if (!makeEmptyFiles(folder.path(), verseCount)) {
        std::printf("cannot write the folder of empty files\n");
        return 1;
    }
    RecitationOptions options;
    options.nextSura = true;

    Recitation alone([](QObject* parent) { return new MediaAudioPlayer(parent); }, verseCount);
    alone.setFolder(folder.path());
    alone.setOptions(options);
    print("recitation alone:", timeRun(alone, [&] { alone.play({1, 1}); }));

    RecitationFolders::store(context.settings(), {{QStringLiteral("Empty"), folder.path()}}, 1);
    options.store(context.settings());
    auto* commands = window.findChild<RecitationCommands*>();
    print("main window (status bar):", timeRun(commands->recitation(), [&] {
              commands->playFrom({1, 1});
          }));
    return 0;
}
