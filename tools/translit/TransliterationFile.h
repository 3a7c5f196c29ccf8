#pragma once

#include <QString>
#include <QStringList>

// Writes the transliteration of a verse file: reads `sura<TAB>verse<TAB>text`
// lines (after `#` comment lines) and writes the same layout with the text
// transliterated. The output starts with comment lines that name it as a
// generated derivative and reproduce the source's copyright block verbatim.
class TransliterationFile {
public:
    // Returns false and leaves no output file when the input cannot be read
    // or has a malformed data line; *error then says why.
    static bool generate(const QString& arabicTsvPath, const QString& outPath, QString* error);

    // The copyright block of the source's comment lines: from the line that
    // asks not to remove it to the last comment line; all of them when that
    // line is missing.
    static QStringList copyrightBlock(const QStringList& commentLines);
};
