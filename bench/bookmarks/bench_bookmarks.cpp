// Bookmark benchmark: the figures the bookmarks must keep with many stored.
//   import      the largest favourites file (28,939 bookmarks in 1 MiB) into
//               an empty store and over a store holding as many (target <= 1 s)
//   add         one Add as the dialog makes it (the duplicate check and the
//               save in one step, the menu entry) with 3000 bookmarks stored
//               (target <= 50 ms)
//   menu        the Bookmarks popup's entries with 28,939 stored
//   start-up    the program until its start page, with 28,939 bookmarks
//               stored against none, alternately (target <= 1.1 x)
// bench_bookmarks [start-up runs, 0 for none]; run it under xvfb-run like the
// program.
// Prints figures, asserts nothing.
#include "BenchClock.h"
#include "BookMarks.h"
#include "CommandBars.h"
#include "Favourites.h"
#include "Settings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <functional>

namespace {

const QString App = QStringLiteral("Miravel");
constexpr int kLargest = 28939;
constexpr int kRounds = 7;

// A favourites file of `count` bookmarks with short names, each verse once.
QByteArray favouritesFile(int count) {
    QByteArray list;
    QByteArray keys;
    for (int i = 0; i < count; ++i) {
        const QByteArray number = QByteArray::number(i + 1);
        list += (i ? ";" : "") + number;
        keys += "[BookMarks\\" + number + "]\nName=" + QByteArray::number(i / 254 + 1) + ':' +
                QByteArray::number(i % 254 + 1) + "\n";
    }
    return "Miravel favourites 1\n[BookMarks]\nBookMarks=" + list + "\n" + keys;
}

// Points the settings store at `folder` (its own user and system folders).
void useStore(const QString& folder) {
    QDir(folder).mkpath(QStringLiteral("user"));
    QDir(folder).mkpath(QStringLiteral("system"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       folder + QStringLiteral("/user"));
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope,
                       folder + QStringLiteral("/system"));
}

double processCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// Wall-clock times of one kind of work, and this process's processor time
// beside them: on a machine busy with other work the first grows, the second
// hardly.
struct Figures {
    QList<double> wall;
    QList<double> cpu;

    void time(const std::function<void()>& work) {
        QElapsedTimer timer;
        const double cpuBefore = processCpuMs();
        timer.start();
        work();
        wall << double(timer.nsecsElapsed()) / 1e6;
        cpu << processCpuMs() - cpuBefore;
    }
};

void report(const char* what, const QList<double>& wall, const QList<double>& cpu,
            double target = 0) {
    const double median = BenchClock::median(wall);
    std::printf("  %-44s median %7.1f ms  range %.1f..%.1f", what, median,
                *std::min_element(wall.begin(), wall.end()),
                *std::max_element(wall.begin(), wall.end()));
    if (!cpu.isEmpty())
        std::printf("  cpu %.1f", BenchClock::median(cpu));
    if (target > 0)
        std::printf("  target <= %.0f ms: %s", target, median <= target ? "met" : "MISSED");
    std::printf("\n");
}

void report(const char* what, const Figures& figures, double target = 0) {
    report(what, figures.wall, figures.cpu, target);
}

std::optional<QString> treeText(int sura) {
    return QStringLiteral("%1- Sura %2").arg(sura, 3, 10, QLatin1Char('0')).arg(sura);
}

// A main window's menu bar with the Bookmarks popup, as the program builds it.
struct MenuBar {
    QMainWindow window;
    CommandBars* bars = new CommandBars(&window);
    MenuBar() {
        CommandBarControl* popup =
            bars->ActiveMenuBar()->Controls()->Add(ControlKind::Popup, 209, "Bookmarks");
        popup->CommandBar()->Controls()->Add(ControlKind::Button, 210, "Add");
        popup->CommandBar()->Controls()->Add(ControlKind::Button, 211, "Delete");
    }
};

void benchImport(const QString& root, const QString& file) {
    Figures intoEmpty;
    Figures overFull;
    for (int round = 0; round < kRounds; ++round) {
        QTemporaryDir store(root + QStringLiteral("/store-XXXXXX"));
        useStore(store.path());
        Settings settings(App);
        const Favourites favourites(settings);
        bool ok = true;
        intoEmpty.time([&] { ok = favourites.importFrom(file); });
        // Over as many: the replaced set is written beside the settings first.
        overFull.time([&] { ok = ok && favourites.importFrom(file); });
        if (!ok)
            std::printf("  import FAILED\n");
    }
    report("import 28,939 into an empty store", intoEmpty, 1000);
    report("import 28,939 over 28,939 stored", overFull, 1000);
}

void benchAddAndMenu(const QString& root, const QString& file) {
    QTemporaryDir store(root + QStringLiteral("/store-XXXXXX"));
    useStore(store.path());
    QByteArray content = favouritesFile(3000);
    const QString small = root + QStringLiteral("/3000.fav");
    QFile out(small);
    out.open(QIODevice::WriteOnly);
    out.write(content);
    out.close();
    Settings settings(App);
    Favourites(settings).importFrom(small);

    MenuBar menuBar;
    BookMarks bookmarks(treeText, settings);
    bookmarks.menu().attach(menuBar.bars);
    bookmarks.menu().EnumBookMarks(bookmarks.store());
    Figures adds;
    for (int round = 0; round < kRounds * 3; ++round) {
        // A verse none of the stored bookmarks has, as the dialog adds it.
        const QString mark = QStringLiteral("114:%1").arg(round + 1);
        int number = 0;
        adds.time([&] { number = bookmarks.AddBookMark(mark); });
        if (number == 0)
            std::printf("  add FAILED\n");
        bookmarks.RemoveBookMark(number);
    }
    report("add with 3000 stored", adds, 50);
    // Its parts: one reading of the store, and the locked step without a save.
    Figures reads;
    for (int round = 0; round < kRounds * 3; ++round)
        reads.time([&] { bookmarks.store().read(); });
    report("  of which: one reading of 3000", reads);
    Figures lockedReads;
    for (int round = 0; round < kRounds * 3; ++round) {
        lockedReads.time([&] {
            settings.updateKey(Setting::BookMarkList,
                               [](const StoredKey&) { return std::optional<StoredKey>(); });
        });
    }
    report("  of which: the locked step without a save", lockedReads);

    Favourites(settings).importFrom(file);
    Figures menus;
    for (int round = 0; round < kRounds; ++round)
        menus.time([&] { bookmarks.menu().rebuild(bookmarks.store()); });
    report("Bookmarks menu with 28,939 stored", menus);
}

// One start of the program; its start page's "mark" in ms, or -1.
double startOnce(const QString& program, const QString& configHome) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    environment.insert(QString::fromLatin1(BenchClock::kLaunchVariable),
                       QString::number(BenchClock::monotonicNs()));
    child.setProcessEnvironment(environment);
    child.start(program, {QStringLiteral("--no-splash")});
    if (!child.waitForFinished(120000)) {
        child.kill();
        child.waitForFinished();
        return -1;
    }
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() == 3 && parts.at(0) == "mark" && parts.at(1) == "start-page-loaded")
            return parts.at(2).toDouble();
    }
    return -1;
}

void benchStartUp(const QString& root, const QString& file, int runs) {
    const QString program =
        QCoreApplication::applicationDirPath() + QStringLiteral("/bench_startup_app");
    const QString none = root + QStringLiteral("/config-none");
    const QString full = root + QStringLiteral("/config-full");
    QDir().mkpath(none);
    // The user's settings file of the program, with the largest set in it.
    useStore(root + QStringLiteral("/start-store"));
    Settings settings(App);
    Favourites(settings).importFrom(file);
    QDir().mkpath(full + QStringLiteral("/Talvesk"));
    QFile::copy(settings.userFileName(), full + QStringLiteral("/Talvesk/Miravel.ini"));

    QList<double> withNone;
    QList<double> withFull;
    startOnce(program, none); // warms the caches
    for (int run = 0; run < runs; ++run) {
        if (const double ms = startOnce(program, none); ms > 0)
            withNone << ms;
        if (const double ms = startOnce(program, full); ms > 0)
            withFull << ms;
    }
    if (withNone.isEmpty() || withFull.isEmpty()) {
        std::printf("  start-up: no figures (%lld and %lld runs)\n", qint64(withNone.size()),
                    qint64(withFull.size()));
        return;
    }
    report("start-up, no bookmarks stored", withNone, {});
    report("start-up, 28,939 bookmarks stored", withFull, {});
    const double ratio = BenchClock::median(withFull) / BenchClock::median(withNone);
    std::printf("  %-46s %.2f  (target <= 1.10: %s)\n", "ratio", ratio,
                ratio <= 1.1 ? "met" : "MISSED");
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(0, QByteArray(argv[1]).toInt()) : 9;
    QTemporaryDir root;
    const QByteArray content = favouritesFile(kLargest);
    const QString file = root.path() + QStringLiteral("/largest.fav");
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    out.write(content);
    out.close();
    std::printf("Bookmarks: %d in a favourites file of %lld bytes (limit %d)\n", kLargest,
                qint64(content.size()), 1024 * 1024);

    benchImport(root.path(), file);
    benchAddAndMenu(root.path(), file);
    if (runs > 0)
        benchStartUp(root.path(), file, runs);
    return 0;
}
