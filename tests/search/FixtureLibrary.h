#pragma once

#include "LibraryBuilder.h"
#include "ResReader.h"

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// Builds a small text library beside the test program, the way the real
// libraries are built: the library folder, then rcc.
namespace FixtureLibrary {

// A verse resource as the libraries store it: every element followed by
// " // " and a line end, lines joined on reading.
inline QByteArray verses(const QStringList& elements, const QByteArray& remainder = {}) {
    QByteArray bytes;
    for (const QString& element : elements)
        bytes += element.toUtf8() + " // \r\n";
    return bytes + remainder;
}

// Writes `builder` as the library file `fileName` in the program's folder.
inline bool write(const LibraryBuilder& builder, const QString& fileName) {
    QTemporaryDir stage;
    QString error;
    if (!stage.isValid() || !builder.write(stage.path(), &error))
        return false;
    const QString target = ResReader::programDirectory() + QLatin1Char('/') + fileName;
    QFile::remove(target);
    QProcess rcc;
    rcc.start(QStringLiteral(MIRAVEL_RCC),
              {QStringLiteral("--binary"), stage.path() + QStringLiteral("/library.qrc"),
               QStringLiteral("-o"), target});
    return rcc.waitForFinished(60000) && rcc.exitCode() == 0 && QFile::exists(target);
}

} // namespace FixtureLibrary
