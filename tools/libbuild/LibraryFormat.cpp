#include "LibraryFormat.h"

#include <QFile>
#include <QRegularExpression>

namespace LibraryFormat {
namespace {

std::optional<QList<QStringList>> readTsv(const QString& path, int columns, ParseError* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            error->message = QStringLiteral("cannot open %1").arg(path);
        return std::nullopt;
    }
    QList<QStringList> rows;
    int lineNumber = 0;
    while (!file.atEnd()) {
        ++lineNumber;
        QString line = QString::fromUtf8(file.readLine());
        while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != columns) {
            if (error)
                error->message = QStringLiteral("%1:%2: expected %3 tab-separated fields")
                                     .arg(path)
                                     .arg(lineNumber)
                                     .arg(columns);
            return std::nullopt;
        }
        rows.append(fields);
    }
    return rows;
}

bool fail(ParseError* error, const QString& message) {
    if (error)
        error->message = message;
    return false;
}

} // namespace

std::optional<VerseMap> readVerseFile(const QString& path, ParseError* error) {
    const auto rows = readTsv(path, 3, error);
    if (!rows)
        return std::nullopt;
    VerseMap verses;
    for (const QStringList& row : *rows) {
        bool suraOk = false;
        bool verseOk = false;
        const int sura = row[0].toInt(&suraOk);
        const int verse = row[1].toInt(&verseOk);
        if (!suraOk || !verseOk || sura < 1 || sura > 114) {
            fail(error, QStringLiteral("%1: bad reference %2:%3").arg(path, row[0], row[1]));
            return std::nullopt;
        }
        if (!verses.contains(sura) && sura != (verses.isEmpty() ? 1 : verses.lastKey() + 1)) {
            fail(error, QStringLiteral("%1: sura %2 out of order").arg(path).arg(sura));
            return std::nullopt;
        }
        QStringList& list = verses[sura];
        if (verse != list.size() + 1 || sura != verses.lastKey()) {
            fail(error,
                 QStringLiteral("%1: verse %2:%3 out of order").arg(path).arg(sura).arg(verse));
            return std::nullopt;
        }
        list.append(row[2]);
    }
    return verses;
}

std::optional<QMap<int, QStringList>> readLeadFile(const QString& path, ParseError* error) {
    const auto rows = readTsv(path, 2, error);
    if (!rows)
        return std::nullopt;
    QMap<int, QStringList> lead;
    for (const QStringList& row : *rows) {
        bool ok = false;
        const int sura = row[0].toInt(&ok);
        if (!ok || sura < 1 || sura > 114) {
            fail(error, QStringLiteral("%1: bad sura %2").arg(path, row[0]));
            return std::nullopt;
        }
        lead[sura].append(row[1]);
    }
    return lead;
}

std::optional<QMap<int, QString>> readStringsFile(const QString& path, ParseError* error) {
    const auto rows = readTsv(path, 2, error);
    if (!rows)
        return std::nullopt;
    QMap<int, QString> strings;
    for (const QStringList& row : *rows) {
        bool ok = false;
        const int id = row[0].toInt(&ok);
        if (!ok || strings.contains(id)) {
            fail(error, QStringLiteral("%1: bad or repeated id %2").arg(path, row[0]));
            return std::nullopt;
        }
        strings.insert(id, row[1]);
    }
    return strings;
}

QByteArray toAsciiMarkup(const QString& plainText) {
    QByteArray out;
    out.reserve(plainText.size() * 2);
    const QList<uint> codePoints = plainText.toUcs4();
    uint previous = 0;
    for (const uint c : codePoints) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '/' && previous == '/')
            out += "&#47;";
        else if (c >= 0x20 && c < 0x7f)
            out += char(c);
        else
            out += "&#" + QByteArray::number(c) + ';';
        previous = (c == '/' && previous == '/') ? 0 : c;
    }
    return out;
}

QString fromAsciiMarkup(const QString& markup) {
    static const QRegularExpression reference(QStringLiteral("&(#([0-9]+)|amp|lt|gt);"));
    QString out;
    out.reserve(markup.size());
    qsizetype last = 0;
    auto it = reference.globalMatch(markup);
    while (it.hasNext()) {
        const auto match = it.next();
        out += QStringView(markup).mid(last, match.capturedStart() - last);
        const QString name = match.captured(1);
        if (name == QLatin1String("amp"))
            out += QLatin1Char('&');
        else if (name == QLatin1String("lt"))
            out += QLatin1Char('<');
        else if (name == QLatin1String("gt"))
            out += QLatin1Char('>');
        else {
            const char32_t codePoint = match.captured(2).toUInt();
            out += QString::fromUcs4(&codePoint, 1);
        }
        last = match.capturedEnd();
    }
    out += QStringView(markup).mid(last);
    return out;
}

QByteArray verseResource(const QStringList& plainElements) {
    QByteArray out;
    for (const QString& element : plainElements) {
        out += toAsciiMarkup(element);
        out += " // \r\n";
    }
    out += QByteArray(3, '\0');
    return out;
}

} // namespace LibraryFormat
