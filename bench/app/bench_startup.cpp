// Start-up benchmark: the program's start-up until the start page has
// finished loading in the main window, against a minimal program that only
// opens a browser view on the same page.  The variants run alternately in
// the same run; the figures are medians.  Prints figures, asserts nothing.
#include "BenchClock.h"

#include <QCoreApplication>
#include <QDir>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using Marks = QMap<QString, double>;

struct Variant {
    QString label;
    QString program;
    QStringList arguments;
    QMap<QString, QList<double>> marks; // milestone -> one value per run
    int failures = 0;
};

// Runs one child and collects its "mark <name> <ms>" lines; empty on failure.
Marks runOnce(const Variant& variant, const QString& configHome) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    child.setProcessChannelMode(QProcess::SeparateChannels);
    child.setProgram(variant.program);
    child.setArguments(variant.arguments);
    environment.insert(QString::fromLatin1(BenchClock::kLaunchVariable),
                       QString::number(BenchClock::monotonicNs()));
    child.setProcessEnvironment(environment);
    child.start();
    if (!child.waitForFinished(60000)) {
        child.kill();
        child.waitForFinished();
        return {};
    }
    Marks marks;
    const QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
    for (const QByteArray& line : lines) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() == 3 && parts.at(0) == "mark")
            marks.insert(QString::fromLatin1(parts.at(1)), parts.at(2).toDouble());
    }
    if (!marks.contains(QStringLiteral("start-page-loaded")))
        return {};
    return marks;
}

double medianOf(const Variant& variant, const QString& mark) {
    return BenchClock::median(variant.marks.value(mark));
}

QString spread(const QList<double>& values) {
    if (values.isEmpty())
        return QStringLiteral("-");
    return QStringLiteral("%1..%2")
        .arg(*std::min_element(values.begin(), values.end()), 0, 'f', 0)
        .arg(*std::max_element(values.begin(), values.end()), 0, 'f', 0);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    // bench_startup [runs] [candidate program [its arguments]]: a candidate
    // (say, a changed start-up) runs as a further variant in the same rounds.
    const int runs = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 9;
    const QString bin = QCoreApplication::applicationDirPath();
    QTemporaryDir configHome; // the children start with no stored settings

    QList<Variant> variants{
        {QStringLiteral("miravel (splash + Form_Load)"),
         bin + QStringLiteral("/bench_startup_app"),
         {},
         {},
         0},
        {QStringLiteral("miravel without splash"),
         bin + QStringLiteral("/bench_startup_app"),
         {QStringLiteral("--no-splash")},
         {},
         0},
        {QStringLiteral("minimal QWebEngineView"),
         bin + QStringLiteral("/bench_startup_minimal"),
         {},
         {},
         0},
    };

    if (argc > 2) {
        QStringList arguments;
        for (int i = 3; i < argc; ++i)
            arguments.append(QString::fromLocal8Bit(argv[i]));
        variants.append({QStringLiteral("candidate ") + QString::fromLocal8Bit(argv[2]),
                         QString::fromLocal8Bit(argv[2]),
                         arguments,
                         {},
                         0});
    }

    // One discarded round warms the file cache and the font cache.
    for (Variant& variant : variants)
        runOnce(variant, configHome.path());

    for (int run = 0; run < runs; ++run) {
        for (Variant& variant : variants) {
            const Marks marks = runOnce(variant, configHome.path());
            if (marks.isEmpty()) {
                ++variant.failures;
                continue;
            }
            for (auto it = marks.cbegin(); it != marks.cend(); ++it)
                variant.marks[it.key()].append(it.value());
            // The splash's own wait, as measured in this run.
            if (marks.contains(QStringLiteral("splash-closed")))
                variant.marks[QStringLiteral("splash-wait")].append(
                    marks.value(QStringLiteral("splash-closed")) -
                    marks.value(QStringLiteral("splash-create")));
        }
    }

    std::printf("Start-up until the start page (MIRAVEL.HTML) has finished loading\n");
    std::printf("%d alternating runs per variant, medians in ms since process launch\n\n", runs);
    const QString loaded = QStringLiteral("start-page-loaded");
    for (const Variant& variant : variants) {
        std::printf("%s  (%d failed runs)\n", qPrintable(variant.label), variant.failures);
        for (auto it = variant.marks.cbegin(); it != variant.marks.cend(); ++it)
            std::printf("  %-20s median %8.1f   range %s\n", qPrintable(it.key()),
                        BenchClock::median(it.value()), qPrintable(spread(it.value())));
    }

    const double ours = medianOf(variants[0], loaded);
    const double splash = medianOf(variants[0], QStringLiteral("splash-wait"));
    const double oursNoSplash = medianOf(variants[1], loaded);
    const double minimal = medianOf(variants[2], loaded);
    if (minimal <= 0) {
        std::printf("\nno figure for the minimal program\n");
        return 1;
    }
    std::printf("\nSummary (medians)\n");
    std::printf("  miravel, with splash              %8.1f ms\n", ours);
    std::printf("  splash wait inside it             %8.1f ms (timer 100 ms)\n", splash);
    std::printf("  miravel, splash wait subtracted   %8.1f ms\n", ours - splash);
    std::printf("  miravel run without splash        %8.1f ms\n", oursNoSplash);
    std::printf("  minimal QWebEngineView            %8.1f ms\n", minimal);
    std::printf("\nRatio ours / minimal (target <= 1.20)\n");
    std::printf("  with splash                       %8.2f %s\n", ours / minimal,
                ours / minimal <= 1.2 ? "met" : "MISSED");
    std::printf("  splash wait subtracted            %8.2f %s\n", (ours - splash) / minimal,
                (ours - splash) / minimal <= 1.2 ? "met" : "MISSED");
    std::printf("  run without splash                %8.2f %s\n", oursNoSplash / minimal,
                oursNoSplash / minimal <= 1.2 ? "met" : "MISSED");
    if (variants.size() > 3) {
        const double candidate = medianOf(variants[3], loaded);
        std::printf("  candidate                         %8.2f %s  (%.1f ms)\n",
                    candidate / minimal, candidate / minimal <= 1.2 ? "met" : "MISSED", candidate);
    }
    return 0;
}
