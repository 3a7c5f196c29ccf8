#include "AppSettings.h"

#include <QCoreApplication>
#include <QFileInfo>

QString DefaultArabicLibraryFile() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
           QLatin1String(".exe");
}
