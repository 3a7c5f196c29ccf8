// Search benchmark: the translation searched for "the" over all 114 suras,
// by the engine alone and by the search window filling its list; the Arabic
// text searched by its letters for a rare and a frequent word, by the engine
// alone and (the frequent one) by the window; the transliteration searched by
// its letters, by the engine alone; then the report of all hits against the
// identical final markup loaded as one static page in the same engine.
// Prints figures and the targets, asserts nothing.
#include "AppContext.h"
#include "BenchClock.h"
#include "BrowserProfile.h"
#include "BrowserView.h"
#include "frmFind.h"
#include "frmInfo.h"
#include "QuranReader.h"
#include "ResourceLibrary.h"
#include "ResReader.h"
#include "ResScheme.h"
#include "ResultItem.h"
#include "ResultListView.h"
#include "ResultMarkup.h"
#include "SearchEngine.h"
#include "StaticPage.h"
#include "SuraTree.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

const QString kKeyword = QStringLiteral("the");
// "The Beneficent" (a few dozen verses) and "Allah" (more than a quarter).
const QStringList kArabicKeywords{QStringLiteral("الرحمن"), QStringLiteral("الله")};
const QString kArabicWindowKeyword = QStringLiteral("الله");
// As a reader types them: a rare word and the most frequent one.
const QStringList kTransliterationKeywords{QStringLiteral("rahman"), QStringLiteral("allah")};
const QString kStaticPage = QStringLiteral("BENCHSTATIC.HTML");
// One script round trip that also makes the engine lay the page out.
const QString kLayoutScript = QStringLiteral("document.body ? document.body.scrollHeight : 0");

// Processor time of this process, in ms: the machine may be shared, so the
// engine's own work is given beside the wall-clock time.
double cpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double msSince(const QElapsedTimer& clock) {
    return double(clock.nsecsElapsed()) / 1e6;
}

const char* verdict(bool met) {
    return met ? "met" : "MISSED";
}

QStringList captionsOf(const SuraTree& tree) {
    QStringList captions(1);
    for (int index = 3; index <= tree.count(); ++index)
        captions.append(tree.node(index)->text(0));
    return captions;
}

void fillTree(SuraTree& tree, const QString& translationFile) {
    ResReader names;
    names.LoadLibrary(translationFile);
    tree.addNode(nullptr, QStringLiteral("Main"), QStringLiteral("Main Site"), 5);
    QTreeWidgetItem* root =
        tree.addNode(nullptr, QStringLiteral("English"), QStringLiteral("Miravel"), 5);
    for (int n = 1; n <= 114; ++n)
        tree.addNode(
            root, QStringLiteral("c%1").arg(n),
            QStringLiteral("%1- %2").arg(n, 3, 10, QLatin1Char('0')).arg(names.LoadSTvar(n)), 16);
}

struct EngineFigures {
    double wallMs = 0;
    double cpuMs = 0;
    double bestMs = 0;
    int matches = 0;
};

// The engine alone over suras 1-114: reading, splitting, comparing, keeping
// the verses.
EngineFigures timeEngine(const QString& library, bool isTranslation, Comparison comparison,
                         const QString& keyword, const QStringList& captions, int rounds) {
    QList<double> wall;
    QList<double> cpu;
    EngineFigures figures;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer clock;
        const double cpuStart = cpuMs();
        clock.start();
        ResReader reader;
        reader.LoadLibrary(library);
        FoundVerses found;
        bool cancel = false;
        const auto outcome =
            SearchEngine(reader, isTranslation, comparison)
                .run(keyword, SearchRange::wholeQuran(), captions, found, cancel, {});
        wall.append(msSince(clock));
        cpu.append(cpuMs() - cpuStart);
        figures.matches = outcome.matches;
    }
    figures.wallMs = BenchClock::median(wall);
    figures.cpuMs = BenchClock::median(cpu);
    figures.bestMs = *std::min_element(wall.cbegin(), wall.cend());
    return figures;
}

struct WindowFigures {
    double ms = 0;
    int entries = 0;
};

// The search window from Find now until the list holds every entry.
WindowFigures timeWindow(frmFind& find, int searchIn, const QString& keyword, int rounds) {
    find.cmbWhat->setEditText(keyword);
    find.cmb_selected_Section->setCurrentIndex(searchIn);
    QList<double> windowMs;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        find.cmdFindNow_Click();
        windowMs.append(msSince(clock));
    }
    return {BenchClock::median(windowMs), find.lstRes->count()};
}

void printRatio(const char* what, double window, double engine) {
    std::printf("  %-26s %8.1f ms  window / engine %5.1f (target <= 10) %s\n", what, window,
                window / engine, verdict(window / engine <= 10));
}

} // namespace

int main(int argc, char* argv[]) {
    const int rounds = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 5;
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    prepareBrowserEngine();
    QApplication app(argc, argv);

    AppContext context;
    context.readGuiStrings();
    const QString translation = context.settings().values().TranslationLibraryFile;
    SuraTree tree;
    fillTree(tree, translation);
    BrowserView mainView;
    mainView.resize(900, 700);
    QuranReader reader(context, &mainView, &tree);
    const QStringList captions = captionsOf(tree);

    const EngineFigures translationEngine =
        timeEngine(translation, true, Comparison::StoredText, kKeyword, captions, 4 * rounds);
    std::printf("engine: %.1f ms (median)\n", translationEngine.wallMs);
    const QString arabic = context.settings().values().ArabicLibraryFile;
    QList<std::pair<QString, EngineFigures>> arabicEngine;
    for (const QString& word : kArabicKeywords)
        arabicEngine.append({word, timeEngine(arabic, false, Comparison::ArabicLetters, word,
                                              captions, 4 * rounds)});
    const QString transliteration = context.settings().values().TransliterationLibraryFile;
    QList<std::pair<QString, EngineFigures>> transliterationEngine;
    for (const QString& word : kTransliterationKeywords)
        transliterationEngine.append(
            {word, timeEngine(transliteration, false, Comparison::TransliterationLetters, word,
                              captions, 4 * rounds)});
    std::fflush(stdout);

    // The search window: the list filled in batches as the search yields.
    frmFind find(context, reader);
    find.messageBox = [](QMessageBox::Icon, const QString&, const QString&,
                         QMessageBox::StandardButtons) { return QMessageBox::Yes; };
    find.show();
    const WindowFigures arabicWindow =
        timeWindow(find, SearchScope::kArabic, kArabicWindowKeyword, rounds);
    const WindowFigures translationWindow =
        timeWindow(find, SearchScope::kTranslation, kKeyword, rounds);
    const int entries = translationWindow.entries;
    std::printf("search window: %d entries, %.1f ms (median)\n", entries, translationWindow.ms);
    std::fflush(stdout);

    // The report, until the page is laid out.
    QList<double> reportMs;
    double markupMs = 0;
    QString markup;
    for (int round = 0; round <= rounds; ++round) { // the first is a warm-up
        QElapsedTimer clock;
        clock.start();
        find.presentInfo = [&](frmInfo& window) {
            window.resize(900, 700);
            window.show();
            window.WebBrowser1->runScript(kLayoutScript);
            if (round > 0)
                reportMs.append(msSince(clock));
        };
        find.cmdReport_Click();
        std::printf("report round %d: %.1f ms\n", round, msSince(clock));
        std::fflush(stdout);
    }
    {
        QList<ResultMarkup::Result> results;
        const ResultList& list = find.lstRes->entries();
        for (int row = 0; row < list.count(); ++row) {
            const ResultItem item = list.itemAt(row);
            results.append({list.textAt(row), find.foundVerses().at(item.resourceId, item.verse)});
        }
        QElapsedTimer clock;
        clock.start();
        markup = ResultMarkup::report(kKeyword, results);
        markupMs = msSince(clock);
    }

    // The same markup as one static page, in the same engine, its images
    // from the same res scheme.
    const QByteArray page = staticPage(QStringLiteral("SEARCH.HTML"), "iso-8859-1", markup);
    BrowserProfile staticProfile([page](const QString& name) -> std::optional<QByteArray> {
        if (name.compare(kStaticPage, Qt::CaseInsensitive) == 0)
            return page;
        return ResourceLibrary::own().html(name);
    });
    QList<double> staticMs;
    for (int round = 0; round <= rounds; ++round) {
        frmInfo window(context);
        auto* staticView = new BrowserView(window.Frame1, &staticProfile);
        staticView->setGeometry(window.WebBrowser1->geometry());
        window.resize(900, 700);
        window.show();
        QElapsedTimer clock;
        clock.start();
        staticView->Navigate(QuranReader::pageAddress(kStaticPage));
        staticView->waitForLoad(60000);
        staticView->runScript(kLayoutScript);
        if (round > 0)
            staticMs.append(msSince(clock));
    }

    const double engine = translationEngine.wallMs;
    const double engineCpu = translationEngine.cpuMs;
    const int matches = translationEngine.matches;
    const double report = BenchClock::median(reportMs);
    const double statics = BenchClock::median(staticMs);
    std::printf("Search of the translation for \"%s\", suras 1-114: %d matching verses, %d list "
                "entries\n",
                qPrintable(kKeyword), matches, entries);
    std::printf("  engine alone (no list)     %8.1f ms  (median of %d; target < 20 ms) %s\n",
                engine, 4 * rounds, verdict(engine < 20));
    std::printf("  engine alone, processor    %8.1f ms  (median; best wall %.1f ms)\n", engineCpu,
                translationEngine.bestMs);
    printRatio("search window, list filled", translationWindow.ms, engine);
    for (const auto& [word, figures] : arabicEngine) {
        std::printf("Search of the Arabic text by its letters for \"%s\", suras 1-114: %d "
                    "matching verses\n",
                    qPrintable(word), figures.matches);
        std::printf("  engine alone (no list)     %8.1f ms  (median of %d; target < 30 ms) %s\n",
                    figures.wallMs, 4 * rounds, verdict(figures.wallMs < 30));
        std::printf("  engine alone, processor    %8.1f ms  (median; best wall %.1f ms)\n",
                    figures.cpuMs, figures.bestMs);
        if (word == kArabicWindowKeyword) {
            std::printf("  (window: %d entries)\n", arabicWindow.entries);
            printRatio("search window, list filled", arabicWindow.ms, figures.wallMs);
        }
    }
    for (const auto& [word, figures] : transliterationEngine) {
        std::printf("Search of the transliteration by its letters for \"%s\", suras 1-114: %d "
                    "matching verses\n",
                    qPrintable(word), figures.matches);
        std::printf("  engine alone (no list)     %8.1f ms  (median of %d; target <= 30 ms) %s\n",
                    figures.wallMs, 4 * rounds, verdict(figures.wallMs <= 30));
        std::printf("  engine alone, processor    %8.1f ms  (median; best wall %.1f ms)\n",
                    figures.cpuMs, figures.bestMs);
    }
    std::printf("Report of all %d entries (%lld characters of markup, built in %.1f ms)\n", entries,
                qint64(markup.size()), markupMs);
    std::printf("  report shown and laid out  %8.1f ms  (median of %lld)\n", report,
                qint64(reportMs.size()));
    std::printf("  same markup, static page   %8.1f ms  (median of %lld)\n", statics,
                qint64(staticMs.size()));
    std::printf("  report / static   %5.2f (target <= 1.50) %s\n", report / statics,
                verdict(report / statics <= 1.5));

    // Both scripts of the Arabic text, engine and window, for the most
    // frequent word and one the scripts spell differently.
    std::printf("The Arabic text in either script, by its letters, suras 1-114\n");
    for (const QString& script : {QStringLiteral("Simple"), QStringLiteral("Uthmani")}) {
        context.settings().save(Setting::ArabicScript, script);
        const QString library = context.settings().values().ArabicLibraryFile;
        for (const QString& word : {QStringLiteral("الله"), QStringLiteral("الصلاة")}) {
            const EngineFigures figures =
                timeEngine(library, false, Comparison::ArabicLetters, word, captions, 4 * rounds);
            const WindowFigures window = timeWindow(find, SearchScope::kArabic, word, rounds);
            std::printf("  %-8s \"%s\": %d verses, engine %.1f ms, window %.1f ms (%d entries)\n",
                        qPrintable(script), qPrintable(word), figures.matches, figures.wallMs,
                        window.ms, window.entries);
            printRatio("  window / engine", window.ms, figures.wallMs);
        }
    }
    return 0;
}
