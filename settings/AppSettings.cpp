#include "AppSettings.h"

#include <QCoreApplication>
#include <QFileInfo>

AppSettings& appSettings() {
    static AppSettings settings;
    return settings;
}

QString DefaultArabicLibraryFile() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
           QLatin1String(".exe");
}
