#include "TranslationSource.h"

#include "LibraryFile.h"
#include "TextLanguage.h"

#include <QFileInfo>
#include <QRegularExpression>

std::variant<TranslationSource, QString> TranslationSource::read(const QString& path,
                                                                 const QList<int>& verseCounts) {
    const QFileInfo info(path);
    const QString shown = info.fileName().isEmpty() ? path : info.fileName();
    if (info.isDir())
        return QStringLiteral("\"%1\" is a folder, not a verse file.").arg(shown);
    if (!info.exists())
        return QStringLiteral("\"%1\" cannot be found.").arg(shown);
    if (!info.isFile())
        return QStringLiteral("\"%1\" is not a plain file (a pipe or a device cannot be read as "
                              "a verse file).")
            .arg(shown);
    if (info.size() > kMaxFileSize)
        return QStringLiteral("\"%1\" is larger than %2 MiB: no verse file is that large.")
            .arg(shown)
            .arg(kMaxFileSize / (1024 * 1024));
    // Read without blocking and only as far as the limit, whatever the file
    // turned into since it was looked at.
    const auto bytes = readRegularFile(path, kMaxFileSize);
    if (!bytes)
        return QStringLiteral("\"%1\" cannot be read.").arg(shown);
    LibraryFormat::ParseError error;
    auto file = LibraryFormat::parseVerseFile(*bytes, verseCounts, &error);
    if (!file)
        return QStringLiteral("\"%1\" is not a verse file of the Qur'an.\n%2")
            .arg(shown, error.message);
    TranslationSource source;
    source.suggestedName = nameFromComments(file->comments, info.completeBaseName());
    source.language = languageFromComments(file->comments);
    // The opening suras tell the script; the whole file would cost time.
    QString sample;
    for (int sura = 1; sura <= 2 && sample.size() < 20000; ++sura)
        sample += file->verses.value(sura).join(QLatin1Char(' '));
    source.guessedLanguage = TextLanguage::guessFrom(sample);
    source.file = std::move(*file);
    return source;
}

namespace {

// The text of the first comment line "Key: text" for each key.
QMap<QString, QString> commentFields(const QStringList& comments) {
    static const QRegularExpression field(QStringLiteral("^\\s*(\\w+)\\s*:\\s*(.+?)\\s*$"));
    QMap<QString, QString> fields;
    for (const QString& line : comments) {
        const auto match = field.match(line);
        if (match.hasMatch() && !fields.contains(match.captured(1).toLower()))
            fields.insert(match.captured(1).toLower(), match.captured(2));
    }
    return fields;
}

} // namespace

QString TranslationSource::languageFromComments(const QStringList& comments) {
    return TextLanguage::fromName(commentFields(comments).value(QStringLiteral("language")));
}

QString TranslationSource::nameFromComments(const QStringList& comments, const QString& fallback) {
    static const QRegularExpression field(QStringLiteral("^\\s*(\\w+)\\s*:\\s*(.+?)\\s*$"));
    QString language;
    QString name;
    QString translator;
    for (const QString& line : comments) {
        const auto match = field.match(line);
        if (!match.hasMatch())
            continue;
        const QString key = match.captured(1).toLower();
        QString* slot = key == QLatin1String("language")     ? &language
                        : key == QLatin1String("name")       ? &name
                        : key == QLatin1String("translator") ? &translator
                                                             : nullptr;
        if (slot && slot->isEmpty())
            *slot = match.captured(2);
    }
    if (name.isEmpty())
        name = translator;
    if (!language.isEmpty() && !name.isEmpty())
        return QStringLiteral("%1 (%2)").arg(language, name);
    if (!name.isEmpty())
        return name;
    return language.isEmpty() ? fallback : language;
}
