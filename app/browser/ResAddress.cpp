#include "ResAddress.h"

namespace {

const QString kHtmlFolder = QStringLiteral("/HTML/");
const QString kProgramFile = QStringLiteral("miravel.EXE");

QString withForwardSlashes(QString path) {
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

} // namespace

namespace ResAddress {

QUrl build(const QString& programDirectory, const QString& name) {
    QString directory = withForwardSlashes(programDirectory);
    while (directory.endsWith(QLatin1Char('/')))
        directory.chop(1);
    if (!directory.startsWith(QLatin1Char('/')))
        directory.prepend(QLatin1Char('/')); // "C:/x" becomes "/C:/x"
    QUrl url;
    url.setScheme(QLatin1String(kScheme));
    // Decoded mode keeps '%', '#' and '?' in directory names as literal text.
    url.setPath(directory + QLatin1Char('/') + kProgramFile + kHtmlFolder + name,
                QUrl::DecodedMode);
    return url;
}

QString resourceName(const QUrl& url) {
    const QString path = url.path(QUrl::FullyDecoded);
    const qsizetype folder = path.lastIndexOf(kHtmlFolder, -1, Qt::CaseInsensitive);
    if (folder >= 0)
        return path.mid(folder + kHtmlFolder.size());
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QUrl fromAddress(const QString& address) {
    const QString prefix = QLatin1String(kScheme) + QLatin1String("://");
    if (!address.startsWith(prefix, Qt::CaseInsensitive))
        return QUrl(address);
    const QString rest = withForwardSlashes(address.mid(prefix.size()));
    const qsizetype folder = rest.lastIndexOf(kHtmlFolder, -1, Qt::CaseInsensitive);
    if (folder < 0)
        return build(QString(), rest.mid(rest.lastIndexOf(QLatin1Char('/')) + 1));
    QString directory = rest.left(folder);
    const QString programFile = QLatin1Char('/') + kProgramFile;
    if (directory.endsWith(programFile, Qt::CaseInsensitive))
        directory.chop(programFile.size());
    return build(directory, rest.mid(folder + kHtmlFolder.size()));
}

} // namespace ResAddress
