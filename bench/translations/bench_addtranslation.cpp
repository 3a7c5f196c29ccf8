// bench_addtranslation [runs]: the time from the chosen verse file to the
// stored, checked library and its culture, for the built-in translation's
// own text (6236 verses) in the `sura|verse|text` layout.
#include "AddedTranslations.h"
#include "LibraryBuilder.h"
#include "ResReader.h"
#include "Settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Miravel"));
    QCoreApplication::setOrganizationName(QStringLiteral("Talvesk"));
    const int runs = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 9;

    QTemporaryDir home;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, home.filePath("system"));
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());

    QFile source(QStringLiteral(MIRAVEL_DATA_DIR "/translation-en-pickthall.tsv"));
    if (!source.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray text = source.readAll().replace('\t', '|');
    const QString path = home.filePath(QStringLiteral("pickthall.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return 1;
    file.close();

    // A file of the same verses behind a million comment lines (4.7 MB):
    // its notes are bounded, so reading it costs about what the file's size
    // costs, and the naming window gets a page of notes to show.
    QByteArray noisy;
    noisy.reserve(text.size() + 5'000'000);
    for (int line = 0; line < 1'000'000; ++line)
        noisy += "# note\n";
    noisy += text;
    const QString noisyPath = home.filePath(QStringLiteral("noisy.txt"));
    QFile noisyFile(noisyPath);
    if (!noisyFile.open(QIODevice::WriteOnly) || noisyFile.write(noisy) != noisy.size())
        return 1;
    noisyFile.close();

    QList<double> counts, read, readNoisy, build, whole;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        const QList<int> verseCounts = AddedTranslations::verseCounts(ResReader());
        counts.append(clock.nsecsElapsed() / 1e6);

        clock.restart();
        auto source = TranslationSource::read(path, verseCounts);
        read.append(clock.nsecsElapsed() / 1e6);
        if (!std::holds_alternative<TranslationSource>(source))
            return 1;
        clock.restart();
        const auto noisySource = TranslationSource::read(noisyPath, verseCounts);
        readNoisy.append(clock.nsecsElapsed() / 1e6);
        if (!std::holds_alternative<TranslationSource>(noisySource))
            return 1;
        clock.restart();
        LibraryBuilder builder;
        AddedTranslations::build(builder, std::get<TranslationSource>(source),
                                 QStringLiteral("English (Pickthall)"),
                                 AddedTranslations::Translation);
        const QByteArray packed = builder.pack();
        build.append(clock.nsecsElapsed() / 1e6);

        Settings settings;
        clock.restart();
        const auto failure =
            AddedTranslations(settings).addFile(path, verseCounts, [](const TranslationSource&) {
                return std::optional<AddedTranslations::Details>(
                    {QStringLiteral("English (Pickthall)"), AddedTranslations::Translation, {}});
            });
        whole.append(clock.nsecsElapsed() / 1e6 + counts.last());
        if (failure)
            return 1;
        AddedTranslations(settings).remove(2);
        if (run == 0)
            std::printf("library of %.1f KiB\n", packed.size() / 1024.0);
    }
    std::printf("Adding a translation of 6236 verses, medians of %d runs in ms\n", runs);
    std::printf("  verse counts from the Arabic text   %8.1f\n", median(counts));
    std::printf("  reading and checking the file       %8.1f\n", median(read));
    std::printf("  reading a file of 10^6 comment lines %7.1f\n", median(readNoisy));
    std::printf("  building and packing the library    %8.1f\n", median(build));
    std::printf("  whole add (counts, read, build, write, check, settings) %8.1f\n", median(whole));
    return 0;
}
