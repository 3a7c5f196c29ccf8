#include "UserLibraries.h"

#include <QStandardPaths>

namespace UserLibraries {
namespace {

const QLatin1String kPrefix("added:");

} // namespace

bool isUserLibrary(const QString& name) {
    return name.startsWith(kPrefix);
}

QString nameOf(const QString& fileName) {
    return kPrefix + fileName;
}

QString fileNameOf(const QString& name) {
    return isUserLibrary(name) ? name.mid(kPrefix.size()) : QString();
}

QString folder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/translations");
}

bool isPlainFileName(const QString& name) {
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1Char('\\')) && !name.contains(QLatin1Char(':')) &&
           !name.contains(QChar(0)) && name != QLatin1String(".") && name != QLatin1String("..");
}

QString pathOf(const QString& name) {
    const QString file = fileNameOf(name);
    return isPlainFileName(file) ? folder() + QLatin1Char('/') + file : QString();
}

} // namespace UserLibraries
