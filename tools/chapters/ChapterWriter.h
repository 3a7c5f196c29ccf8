#pragma once

#include "SuraTable.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// The files of the chapter information for the default text library, keyed by
// resource name: "215".."328" chapter information of suras 1..114, "329" the
// general introduction, "330" the name list, "REPLACE" the cut text and
// "TANZIL.TXT" the Tanzil notice.
class ChapterWriter {
public:
    static constexpr int FirstChapterId = 215;
    static constexpr int IntroductionId = 329;
    static constexpr int NameListId = 330;
    static constexpr int NameListZeros = 3;

    // `notice`: the Tanzil block as TanzilNotice::extract returns it.
    static QMap<QString, QByteArray> files(const QList<SuraFacts>& suras,
                                           const QStringList& notice);

    // Writes every file into `directory` (created if needed). False, with a
    // reason in *error, when a file cannot be written.
    static bool writeAll(const QString& directory, const QMap<QString, QByteArray>& files,
                         QString* error = nullptr);
};
