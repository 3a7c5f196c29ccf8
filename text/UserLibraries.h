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
// Whether `name` is a plain file name: no folder, no drive, no "..".  A
// name with a path could reach any file on the machine.
bool isPlainFileName(const QString& name);
// The full path of the library `name`; empty when it names none, or names
// anything but a plain file name in the folder.
QString pathOf(const QString& name);

} // namespace UserLibraries
