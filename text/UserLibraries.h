#pragma once

#include <QString>

// Text libraries the reader added from the program (a translation made from
// a verse file) live in the user's data folder, not beside the program,
// which a package installs read-only.  The settings name them
// "added:<file name>"; any other name is a file in the program's folder.
namespace UserLibraries {

// Whether `name` names a library in the user's data folder.
bool isUserLibrary(const QString& name);
// The settings' name of the library file `fileName` in that folder.
QString nameOf(const QString& fileName);
// The file name inside the folder; empty when `name` names none.
QString fileNameOf(const QString& name);
// The folder: "translations" in the application's data folder.
QString folder();
// The full path of the library `name`; empty when it names none.
QString pathOf(const QString& name);

} // namespace UserLibraries
