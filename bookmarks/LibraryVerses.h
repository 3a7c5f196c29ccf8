#pragma once

#include <QString>

// The number of verses of a sura in a text library: the pieces of its verse
// text split at "//", but the last.  0 when the library has no such text.
int versesInLibrary(const QString& libraryFile, int resourceId);
