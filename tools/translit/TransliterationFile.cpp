#include "TransliterationFile.h"

#include "Transliterator.h"

#include <QFile>
#include <QSaveFile>

namespace {

const char* const kBlockStart = "PLEASE DO NOT REMOVE OR CHANGE THIS COPYRIGHT BLOCK";

QStringList header() {
    return {
        QStringLiteral("# Transliteration of the Qur'an into Latin letters, one verse per line."),
        QStringLiteral(
            "# Data lines: sura<TAB>verse<TAB>transliteration. Encoding UTF-8, LF line ends."),
        QStringLiteral(
            "# This is a generated transliteration, written by a rule-based program from the"),
        QStringLiteral(
            "# Tanzil Quran Text (Simple, Version 1.1), https://tanzil.net/. It is derived"),
        QStringLiteral("# from the Tanzil text and is not the Tanzil text itself; it may contain"),
        QStringLiteral("# errors that are not in the source. Tanzil's copyright notice follows."),
        QStringLiteral("#"),
    };
}

bool isNumber(const QString& s) {
    bool ok = false;
    const int n = s.toInt(&ok);
    return ok && n > 0;
}

} // namespace

QStringList TransliterationFile::copyrightBlock(const QStringList& commentLines) {
    for (qsizetype i = 0; i < commentLines.size(); ++i) {
        if (commentLines.at(i).contains(QLatin1String(kBlockStart)))
            return commentLines.mid(i);
    }
    return commentLines;
}

bool TransliterationFile::generate(const QString& arabicTsvPath, const QString& outPath,
                                   QString* error) {
    auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    QFile in(arabicTsvPath);
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(arabicTsvPath, in.errorString()));
    const QString text = QString::fromUtf8(in.readAll());

    QStringList comments;
    QStringList rows;
    bool inHeader = true;
    int lineNumber = 0;
    for (QString line : text.split(QLatin1Char('\n'))) {
        ++lineNumber;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (inHeader && line.startsWith(QLatin1Char('#'))) {
            comments << line;
            continue;
        }
        inHeader = false;
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 3 || !isNumber(fields[0]) || !isNumber(fields[1]))
            return fail(QStringLiteral("%1:%2: expected sura<TAB>verse<TAB>text")
                            .arg(arabicTsvPath)
                            .arg(lineNumber));
        rows << fields[0] + QLatin1Char('\t') + fields[1] + QLatin1Char('\t') +
                    Transliterator::transliterate(fields[2]);
    }

    QStringList lines = header();
    lines << copyrightBlock(comments) << rows;
    QSaveFile out(outPath);
    if (!out.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1: %2").arg(outPath, out.errorString()));
    out.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    if (!out.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(outPath, out.errorString()));
    return true;
}
