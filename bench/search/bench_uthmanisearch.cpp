// Arabic search over the Uthmani script.  First how well the Simple text's
// own words, as a reader types them, find their verses in the Uthmani text:
// every word is looked for in both scripts by the program's own matching
// (ArabicKeyword), and the verses found in the Uthmani text are set against
// those found in the Simple text; and every occurrence of a word in a Simple
// verse, looked for in the Uthmani text of the same verse.  Then the
// engine's time over the whole Uthmani text (and the Simple text, beside it)
// for a frequent and a common word.  Prints figures and the targets,
// asserts nothing.
#include "ArabicFolding.h"
#include "FoundVerses.h"
#include "LibraryBuilder.h"
#include "LibraryFormat.h"
#include "ResReader.h"
#include "SearchEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <random>

namespace {

// Frequent words and a random draw of the others, as the test takes them.
constexpr int kFrequentWords = 2000;
constexpr int kRandomWords = 500;
constexpr unsigned kSeed = 1447;
const QStringList kEngineKeywords{QStringLiteral("الله"), QStringLiteral("الصلاة")};

// Which pairs of Arabic letters stand side by side in a folded text: a
// keyword's own letters compare as themselves, so a verse that lacks a pair
// of them cannot hold the keyword (the test checks that it rules out no
// verse that does).  It spares the comparison of most verses.
class LetterPairs {
public:
    explicit LetterPairs(QStringView folded) {
        for (const int pair : of(folded))
            bits_[pair / 64] |= quint64(1) << (pair % 64);
    }

    static QList<int> of(QStringView folded) {
        QList<int> pairs;
        for (qsizetype i = 1; i < folded.size(); ++i) {
            const int first = letterOf(folded[i - 1]);
            const int second = letterOf(folded[i]);
            if (first >= 0 && second >= 0)
                pairs.append(first * 64 + second);
        }
        return pairs;
    }

    bool holds(const QList<int>& pairs) const {
        return std::all_of(pairs.cbegin(), pairs.cend(),
                           [this](int pair) { return (bits_[pair / 64] >> (pair % 64)) & 1; });
    }

private:
    static int letterOf(QChar c) {
        const char16_t unit = c.unicode();
        return unit >= 0x0621 && unit <= 0x064A ? unit - 0x0620 : -1;
    }

    std::array<quint64, 64> bits_{};
};

struct Script {
    QStringList plain;        // verse texts in sura and verse order
    QStringList folded;       // the same as stored, folded once
    QList<LetterPairs> pairs; // of the folded verses
};

Script readScript(const char* path) {
    Script script;
    const auto verses = LibraryFormat::readVerseFile(QString::fromUtf8(path));
    if (!verses) {
        std::fprintf(stderr, "cannot read %s\n", path);
        return script;
    }
    for (const QStringList& sura : *verses) {
        for (const QString& verse : sura) {
            const QString folded =
                ArabicFolding::fold(QString::fromLatin1(LibraryFormat::toAsciiMarkup(verse)));
            script.plain.append(verse);
            script.folded.append(folded);
            script.pairs.append(LetterPairs(folded));
        }
    }
    return script;
}

// The distinct words of the text that fold to something, the most frequent
// first (ties in text order).
QStringList wordsByFrequency(const QStringList& verses) {
    QHash<QString, int> counts;
    QStringList order;
    for (const QString& verse : verses) {
        for (const QString& word : verse.split(u' ', Qt::SkipEmptyParts)) {
            if (ArabicKeyword(word).folded().isEmpty())
                continue;
            if (counts[word]++ == 0)
                order.append(word);
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](const QString& a, const QString& b) {
        return counts.value(a) > counts.value(b);
    });
    return order;
}

QStringList sample(const QStringList& byFrequency) {
    QStringList words = byFrequency.mid(0, kFrequentWords);
    QStringList rest = byFrequency.mid(kFrequentWords);
    std::mt19937 random(kSeed);
    for (int i = 0; i < kRandomWords && i < rest.size(); ++i) {
        const auto pick = i + qsizetype(random() % std::uint32_t(rest.size() - i));
        rest.swapItemsAt(i, pick);
        words.append(rest.at(i));
    }
    return words;
}

struct Tally {
    qint64 words = 0;    // none: every occurrence where it stands
    qint64 expected = 0; // verses the Simple text finds, over all words
    qint64 found = 0;    // of those, found in the Uthmani text too
    qint64 extra = 0;    // found in the Uthmani text only
};

Tally verseSets(const QStringList& words, const Script& simple, const Script& uthmani) {
    Tally tally;
    for (const QString& word : words) {
        const ArabicKeyword keyword(word);
        const QList<int> pairs = LetterPairs::of(keyword.folded());
        const auto foundIn = [&](const Script& script, qsizetype i) {
            return script.pairs.at(i).holds(pairs) && keyword.foundInFolded(script.folded.at(i));
        };
        ++tally.words;
        for (qsizetype i = 0; i < simple.folded.size(); ++i) {
            const bool expected = foundIn(simple, i);
            const bool found = foundIn(uthmani, i);
            tally.expected += expected;
            tally.found += expected && found;
            tally.extra += found && !expected;
        }
    }
    return tally;
}

// Every word where it stands in the Simple text, looked for in the Uthmani
// text of its verse.
Tally occurrences(const Script& simple, const Script& uthmani) {
    Tally tally;
    for (qsizetype i = 0; i < simple.plain.size(); ++i) {
        for (const QString& word : simple.plain.at(i).split(u' ', Qt::SkipEmptyParts)) {
            const ArabicKeyword keyword(word);
            if (keyword.folded().isEmpty())
                continue;
            ++tally.expected;
            tally.found += keyword.foundInFolded(uthmani.folded.at(i));
        }
    }
    return tally;
}

double percent(qint64 part, qint64 whole) {
    return whole ? 100.0 * double(part) / double(whole) : 0;
}

void printTally(const char* what, const Tally& tally) {
    const QByteArray words = tally.words ? QByteArray::number(tally.words) : QByteArray("-");
    std::printf("  %-30s %6s %9lld %9lld %8.2f %%", what, words.constData(),
                static_cast<long long>(tally.expected), static_cast<long long>(tally.found),
                percent(tally.found, tally.expected));
    if (!tally.words)
        std::printf("\n");
    else
        std::printf(" %7lld %6.2f %%\n", static_cast<long long>(tally.extra),
                    percent(tally.extra, tally.expected));
}

// The verse file as a library in the program's folder, as the library
// builder makes it; its file name, or nothing.
QString writeLibrary(const char* source, const QString& fileName) {
    const auto verses = LibraryFormat::readVerseFile(QString::fromUtf8(source));
    if (!verses)
        return {};
    LibraryBuilder builder;
    builder.addVerses(*verses);
    QFile file(ResReader::programDirectory() + QLatin1Char('/') + fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(builder.pack()) < 0)
        return {};
    return fileName;
}

struct EngineFigures {
    double wallMs = 0; // median
    double cpuMs = 0;  // median
    double bestMs = 0;
    int matches = 0;
};

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

// Processor time of this thread, in ms: the machine may be shared, so the
// engine's own work is given beside the wall-clock time.
double cpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The engine alone over suras 1-114 of a loaded library: reading, folding,
// comparing, keeping the verses.
EngineFigures timeEngine(const ResReader& reader, const QString& keyword, int rounds) {
    const QStringList captions(115);
    QList<double> wall;
    QList<double> cpu;
    EngineFigures figures;
    for (int round = 0; round <= rounds; ++round) { // the first is a warm-up
        FoundVerses found;
        bool cancel = false;
        QElapsedTimer clock;
        const double cpuStart = cpuMs();
        clock.start();
        const auto outcome =
            SearchEngine(reader, false, Comparison::ArabicLetters)
                .run(keyword, SearchRange::wholeQuran(), captions, found, cancel, {});
        if (round > 0) {
            wall.append(double(clock.nsecsElapsed()) / 1e6);
            cpu.append(cpuMs() - cpuStart);
        }
        figures.matches = outcome.matches;
    }
    figures.wallMs = median(wall);
    figures.cpuMs = median(cpu);
    figures.bestMs = *std::min_element(wall.cbegin(), wall.cend());
    return figures;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 15;

    const Script simple = readScript(MIRAVEL_ARABIC_SOURCE);
    const Script uthmani = readScript(MIRAVEL_UTHMANI_SOURCE);
    if (simple.folded.isEmpty() || simple.folded.size() != uthmani.folded.size()) {
        std::fprintf(stderr, "the two scripts do not have the same verses\n");
        return 1;
    }

    std::printf("Simple words looked for in the Uthmani text (%lld verses)\n",
                static_cast<long long>(simple.folded.size()));
    std::printf("  %-30s %6s %9s %9s %10s %7s %8s\n", "", "words", "expected", "found", "recall",
                "extra", "extra");
    const QStringList byFrequency = wordsByFrequency(simple.plain);
    const Tally all = verseSets(byFrequency, simple, uthmani);
    printTally("every distinct word (verses)", all);
    const Tally sampled = verseSets(sample(byFrequency), simple, uthmani);
    printTally("2000 frequent + 500 random", sampled);
    printTally("occurrences in their verse", occurrences(simple, uthmani));
    const auto met = [](const Tally& tally) {
        return percent(tally.found, tally.expected) >= 99 &&
                       percent(tally.extra, tally.expected) <= 1
                   ? "met"
                   : "MISSED";
    };
    std::printf("  targets recall >= 99 %%, extra <= 1 %%: every distinct word %s, sample %s\n",
                met(all), met(sampled));
    std::fflush(stdout);

    const QString uthmaniLibrary =
        writeLibrary(MIRAVEL_UTHMANI_SOURCE, QStringLiteral("bench-uthmani-search.lib"));
    const QString simpleLibrary =
        writeLibrary(MIRAVEL_ARABIC_SOURCE, QStringLiteral("bench-simple-search.lib"));
    if (uthmaniLibrary.isEmpty() || simpleLibrary.isEmpty()) {
        std::fprintf(stderr, "cannot write the libraries\n");
        return 1;
    }
    std::printf("\nengine over the whole Qur'an, %d runs: median wall, median processor, best "
                "wall\n",
                rounds);
    for (const auto& [name, file] :
         {std::pair{"Uthmani", uthmaniLibrary}, std::pair{"Simple", simpleLibrary}}) {
        ResReader reader;
        reader.LoadLibrary(file);
        for (const QString& keyword : kEngineKeywords) {
            const EngineFigures figures = timeEngine(reader, keyword, rounds);
            std::printf("  %-8s %s: %4d verses %7.1f ms %7.1f ms %7.1f ms\n", name,
                        keyword.toUtf8().constData(), figures.matches, figures.wallMs,
                        figures.cpuMs, figures.bestMs);
        }
    }
    for (const QString& file : {uthmaniLibrary, simpleLibrary})
        QFile::remove(ResReader::programDirectory() + QLatin1Char('/') + file);
    return 0;
}
