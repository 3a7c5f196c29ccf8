#include "LibraryVerses.h"

#include "ResReader.h"

int versesInLibrary(const QString& libraryFile, int resourceId) {
    ResReader reader;
    reader.LoadLibrary(libraryFile);
    const QString text = reader.LoadHtml(resourceId, QString()).value_or(QString());
    const qsizetype pieces = splitVerses(text).size();
    return pieces > 1 ? int(pieces - 1) : 0;
}
