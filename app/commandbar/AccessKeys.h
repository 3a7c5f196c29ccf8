#pragma once

#include <QString>
#include <QStringList>

// Access keys ("&File") for captions that come without one, such as a
// library's caption that also names a window.  The stored captions stay as
// they are; only the menu shows the marker.
namespace AccessKeys {

// The access key a caption marks ("&File" gives 'f'); a null character when
// it marks none ("&&" is a plain ampersand).
QChar markedKey(const QString& caption);

// The captions with a marker each: a caption that marks one keeps it; one
// without gets it before its first letter or digit that no other caption
// uses as its key.  A caption whose every letter is taken stays as it is.
QStringList withAccessKeys(const QStringList& captions);

} // namespace AccessKeys
