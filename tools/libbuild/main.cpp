// miravel-libbuild: builds the folder of one text library from plain sources.
//
//   miravel-libbuild --out <folder> [--verses <tsv> [--lead <tsv>]] [--basmala <tsv>]
//                    [--strings <tsv>]... [--custom <folder>]... [--html <folder>]...
//                    [--compress] [--library <file>]
//
// then `rcc --binary <folder>/library.qrc -o <Library.dll>` makes the file,
// or --library writes it at once (uncompressed, as the program itself does
// when the reader adds a translation).
#include "LibraryBuilder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSaveFile>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Builds a Miravel text library folder."));
    parser.addHelpOption();
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("Output folder."),
                                 QStringLiteral("folder"));
    const QCommandLineOption verses(QStringLiteral("verses"),
                                    QStringLiteral("Verse file sura<TAB>verse<TAB>text."),
                                    QStringLiteral("tsv"));
    const QCommandLineOption lead(QStringLiteral("lead"),
                                  QStringLiteral("Elements before verse 1: sura<TAB>text."),
                                  QStringLiteral("tsv"));
    const QCommandLineOption basmala(QStringLiteral("basmala"),
                                     QStringLiteral("Basmala above each sura: sura<TAB>text."),
                                     QStringLiteral("tsv"));
    const QCommandLineOption strings(QStringLiteral("strings"),
                                     QStringLiteral("String table id<TAB>text."),
                                     QStringLiteral("tsv"));
    const QCommandLineOption custom(QStringLiteral("custom"),
                                    QStringLiteral("Folder of numbered resources <id>[.ext]."),
                                    QStringLiteral("folder"));
    const QCommandLineOption html(QStringLiteral("html"),
                                  QStringLiteral("Folder of named HTML resources."),
                                  QStringLiteral("folder"));
    const QCommandLineOption compress(
        QStringLiteral("compress"),
        QStringLiteral("Let rcc compress the files (only for the program's own library)."));
    const QCommandLineOption library(QStringLiteral("library"),
                                     QStringLiteral("Also write the library file itself."),
                                     QStringLiteral("file"));
    parser.addOptions({out, verses, lead, basmala, strings, custom, html, compress, library});
    parser.process(app);

    QTextStream err(stderr);
    auto failWith = [&err](const QString& message) {
        err << "miravel-libbuild: " << message << '\n';
        return 1;
    };
    if (!parser.isSet(out))
        return failWith(QStringLiteral("--out is required"));

    LibraryBuilder builder;
    builder.setCompressed(parser.isSet(compress));
    LibraryFormat::ParseError parseError;
    if (parser.isSet(verses)) {
        const auto verseMap = LibraryFormat::readVerseFile(parser.value(verses), &parseError);
        if (!verseMap)
            return failWith(parseError.message);
        QMap<int, QStringList> leadMap;
        if (parser.isSet(lead)) {
            const auto parsed = LibraryFormat::readLeadFile(parser.value(lead), &parseError);
            if (!parsed)
                return failWith(parseError.message);
            leadMap = *parsed;
        }
        builder.addVerses(*verseMap, leadMap);
    }
    if (parser.isSet(basmala)) {
        const auto parsed = LibraryFormat::readLeadFile(parser.value(basmala), &parseError);
        if (!parsed)
            return failWith(parseError.message);
        builder.addBasmala(*parsed);
    }
    for (const QString& path : parser.values(strings)) {
        const auto parsed = LibraryFormat::readStringsFile(path, &parseError);
        if (!parsed)
            return failWith(parseError.message);
        builder.addStrings(*parsed);
    }
    QString error;
    for (const QString& folder : parser.values(custom)) {
        if (!builder.addCustomFolder(folder, &error))
            return failWith(error);
    }
    for (const QString& folder : parser.values(html)) {
        if (!builder.addHtmlFolder(folder, &error))
            return failWith(error);
    }
    if (!builder.write(parser.value(out), &error))
        return failWith(error);
    if (parser.isSet(library)) {
        if (parser.isSet(compress))
            return failWith(QStringLiteral("--library writes an uncompressed library only"));
        const QByteArray packed = builder.pack();
        QSaveFile file(parser.value(library));
        if (!file.open(QIODevice::WriteOnly) || file.write(packed) != packed.size() ||
            !file.commit())
            return failWith(QStringLiteral("cannot write %1").arg(parser.value(library)));
    }
    return 0;
}
