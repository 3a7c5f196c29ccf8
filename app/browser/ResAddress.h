#pragma once

#include <QString>
#include <QUrl>

// Addresses of the pages and images the program serves from its own text
// library: "res://" + program directory + "\miravel.EXE/HTML/" + name.  The
// directory may be a Unix path ("/opt/miravel") or a Windows one
// ("C:\Program Files\Miravel"); the address is always built as a valid URL
// with an empty host, since "res://C:\..." is not a URL at all.
namespace ResAddress {

inline constexpr char kScheme[] = "res";

// The address of resource `name` of the library beside `programDirectory`.
QUrl build(const QString& programDirectory, const QString& name);

// The resource an address asks for: the text after the last "/HTML/"
// (any letter case), else the last path segment.  Relative references
// inside a page ("w.jpg", "q") resolve next to the page and land here too.
QString resourceName(const QUrl& url);

// Turns an address as the program writes it (a res address written with
// backslashes, or any other URL) into a URL the view can load.
QUrl fromAddress(const QString& address);

} // namespace ResAddress
