#pragma once

#include <QString>

// The settings every part of the program reads, as Settings::values() reads
// them from the store: the library files of the chosen language, the display
// order and the gradient.
struct AppSettings {
    QString ArabicLibraryFile;                                       // text library 1
    QString TranslationLibraryFile = QStringLiteral("Etx2.dll");     // text library 2
    QString TransliterationLibraryFile = QStringLiteral("Etx3.dll"); // text library 3
    QString OrderString = QStringLiteral("1/2"); // displayed libraries, "/"-joined, in order
    qint32 GradientColor1 = 0x00FEBE9E;
    qint32 GradientColor2 = 0x00FADAC4;
    qint32 GradientAngle = 90;
};

// The program file's own name as text library 1: its name without extension
// followed by ".exe", as the culture sections name it.
QString DefaultArabicLibraryFile();
