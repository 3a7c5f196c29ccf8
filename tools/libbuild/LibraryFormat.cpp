#include "LibraryFormat.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

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

namespace {

// One verse line: `sura<SEP>verse<SEP>text`, SEP a tab or '|' (the first of
// them on the line); the text is the rest and may hold the separator.
struct VerseLine {
    int sura = 0;
    int verse = 0;
    QString text;
};

std::optional<VerseLine> splitVerseLine(const QString& line) {
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    const qsizetype bar = line.indexOf(QLatin1Char('|'));
    const qsizetype first = tab < 0 ? bar : (bar < 0 ? tab : qMin(tab, bar));
    if (first < 0)
        return std::nullopt;
    const QChar separator = line.at(first);
    const qsizetype second = line.indexOf(separator, first + 1);
    if (second < 0)
        return std::nullopt;
    bool suraOk = false;
    bool verseOk = false;
    VerseLine parsed;
    // Digits only: toInt would also take "+1" or " 1".
    const auto number = [](QStringView text, bool* ok) {
        *ok = !text.isEmpty() && text.size() <= 4 &&
              std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
        return *ok ? text.toInt() : 0;
    };
    parsed.sura = number(QStringView(line).left(first), &suraOk);
    parsed.verse = number(QStringView(line).mid(first + 1, second - first - 1), &verseOk);
    if (!suraOk || !verseOk)
        return std::nullopt;
    parsed.text = line.mid(second + 1);
    return parsed;
}

// C0 and C1 controls and DEL.  A page reads a reference to a C1 control
// (&#133;) as the Windows-1252 character of that byte, so none may be stored.
bool hasControlCharacter(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const char16_t unit = c.unicode();
        return (unit < 0x20 && c != QLatin1Char('\t')) || (unit >= 0x7f && unit <= 0x9f);
    });
}

} // namespace

std::optional<VerseFile> parseVerseFile(const QByteArray& bytes, const QList<int>& verseCounts,
                                        ParseError* error) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        fail(error, QStringLiteral("The file is not UTF-8 text."));
        return std::nullopt;
    }
    if (text.startsWith(QChar(0xfeff)))
        text.remove(0, 1);
    const auto failAt = [error](int lineNumber, const QString& what) {
        fail(error, QStringLiteral("Line %1: %2").arg(lineNumber).arg(what));
        return std::nullopt;
    };
    VerseFile file;
    qsizetype keptCommentChars = 0;
    qsizetype droppedComments = 0;
    int sura = 0;  // of the last verse line
    int verse = 0; // of the last verse line
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNumber = int(i + 1);
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QLatin1Char('#'))) {
            if (keptCommentChars < kMaxCommentChars && file.comments.size() < kMaxCommentLines) {
                file.comments.append(line.mid(1, kMaxCommentChars - keptCommentChars));
                keptCommentChars += file.comments.last().size();
            } else {
                ++droppedComments;
            }
            continue;
        }
        if (line.trimmed().isEmpty())
            continue;
        const auto parsed = splitVerseLine(line);
        if (!parsed)
            return failAt(lineNumber, QStringLiteral("not a line \"sura|verse|text\"."));
        if (parsed->text.trimmed().isEmpty())
            return failAt(
                lineNumber,
                QStringLiteral("verse %1:%2 has no text.").arg(parsed->sura).arg(parsed->verse));
        if (hasControlCharacter(parsed->text))
            return failAt(lineNumber, QStringLiteral("verse %1:%2 holds a control character.")
                                          .arg(parsed->sura)
                                          .arg(parsed->verse));
        const int count = verseCounts.value(parsed->sura - 1, -1);
        if (parsed->sura < 1 || parsed->sura > 114 || parsed->verse < 1 ||
            (!verseCounts.isEmpty() && parsed->verse > count))
            return failAt(
                lineNumber,
                QStringLiteral("there is no verse %1:%2.").arg(parsed->sura).arg(parsed->verse));
        // The verse that must come next: the rest of this sura (as far as
        // the counts tell, else as far as the file goes on with it), then
        // verse 1 of the next sura.
        const bool stayInSura =
            sura > 0 &&
            (verseCounts.isEmpty() ? parsed->sura == sura : verse < verseCounts.value(sura - 1));
        const int expectedSura = stayInSura ? sura : sura + 1;
        const int expectedVerse = stayInSura ? verse + 1 : 1;
        if (parsed->sura != expectedSura || parsed->verse != expectedVerse) {
            const bool before =
                parsed->sura < sura || (parsed->sura == sura && parsed->verse <= verse);
            return failAt(lineNumber,
                          before ? QStringLiteral("verse %1:%2 is given twice or out of order.")
                                       .arg(parsed->sura)
                                       .arg(parsed->verse)
                                 : QStringLiteral("verse %1:%2 is missing before it.")
                                       .arg(expectedSura)
                                       .arg(expectedVerse));
        }
        sura = parsed->sura;
        verse = parsed->verse;
        file.verses[sura].append(parsed->text);
    }
    if (droppedComments > 0)
        file.comments.append(
            QStringLiteral(" (%1 more comment lines are not kept.)").arg(droppedComments));
    if (file.verses.isEmpty()) {
        fail(error, QStringLiteral("The file holds no verses."));
        return std::nullopt;
    }
    if (!verseCounts.isEmpty() && (sura != 114 || verse != verseCounts.value(113))) {
        const bool suraDone = verse >= verseCounts.value(sura - 1);
        fail(error, QStringLiteral("Verse %1:%2 is missing at the end of the file.")
                        .arg(suraDone ? sura + 1 : sura)
                        .arg(suraDone ? 1 : verse + 1));
        return std::nullopt;
    }
    return file;
}

std::optional<VerseMap> readVerseFile(const QString& path, ParseError* error) {
    QFile input(path);
    if (!input.open(QIODevice::ReadOnly)) {
        fail(error, QStringLiteral("cannot open %1").arg(path));
        return std::nullopt;
    }
    auto file = parseVerseFile(input.readAll(), {}, error);
    if (!file) {
        if (error)
            error->message = path + QStringLiteral(": ") + error->message;
        return std::nullopt;
    }
    return std::move(file->verses);
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
