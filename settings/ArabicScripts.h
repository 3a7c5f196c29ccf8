#pragma once

#include <QString>
#include <QStringList>

class Settings;

// The two scripts of the program's own Arabic text.  The Simple script is
// compiled into the program; the Uthmani script of the printed mushaf is the
// library Uthmani.dll beside it, which then stands in for library 1 wherever
// the chosen language names the program's own text.
namespace ArabicScripts {

inline const QString kUthmani = QStringLiteral("Uthmani");
inline const QString kSimple = QStringLiteral("Simple");
inline const QString kUthmaniLibrary = QStringLiteral("Uthmani.dll");

inline QStringList all() {
    return {kUthmani, kSimple};
}
// The stored name read as one of the two; anything else is Simple.
QString normalised(const QString& stored);
bool isUthmani(const QString& stored);
// The library that shows library 1 (the chosen language's `arabicLibrary`)
// in `script`: only the program's own text has both scripts.
QString libraryFor(const QString& arabicLibrary, const QString& script);
// A reader new to the program (no settings file yet) starts on Uthmani;
// one who has used it keeps the Simple script until choosing otherwise.
void settleForNewReader(Settings& settings);

} // namespace ArabicScripts
