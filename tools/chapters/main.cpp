// miravel-chapters <suras.tsv> <quran-arabic.tsv> <outdir>
// Writes the chapter information, introduction, name list, cut text and
// Tanzil notice of the default text library into <outdir>.

#include "ChapterWriter.h"
#include "SuraTable.h"
#include "TanzilNotice.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

namespace {

int failWith(const QString& message) {
    QTextStream(stderr) << "miravel-chapters: " << message << '\n';
    return 1;
}

bool readFile(const QString& path, QByteArray* bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.readAll();
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return failWith(QStringLiteral("usage: miravel-chapters <suras.tsv> <quran-arabic.tsv> "
                                       "<outdir>"));

    QByteArray surasTsv;
    QByteArray arabicTsv;
    if (!readFile(args[1], &surasTsv))
        return failWith(QStringLiteral("cannot read %1").arg(args[1]));
    if (!readFile(args[2], &arabicTsv))
        return failWith(QStringLiteral("cannot read %1").arg(args[2]));

    QString error;
    const QList<SuraFacts> suras = SuraTable::parse(surasTsv, &error);
    if (suras.isEmpty())
        return failWith(args[1] + QStringLiteral(": ") + error);
    // The Tanzil licence requires its notice with every copy: no notice, no library.
    const QStringList notice = TanzilNotice::extract(arabicTsv);
    if (notice.isEmpty())
        return failWith(args[2] + QStringLiteral(": Tanzil copyright block not found"));

    if (!ChapterWriter::writeAll(args[3], ChapterWriter::files(suras, notice), &error))
        return failWith(error);
    return 0;
}
