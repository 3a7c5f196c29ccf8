// miravel-translit <quran-arabic.tsv> <out.tsv>
// Writes the generated transliteration of every verse of the Arabic text.
#include "TransliterationFile.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: miravel-translit <quran-arabic.tsv> <out.tsv>\n");
        return 2;
    }
    QString error;
    if (!TransliterationFile::generate(args.at(1), args.at(2), &error)) {
        std::fprintf(stderr, "miravel-translit: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
