#include "ResReader.h"

#include "TextLog.h"

#include <QCoreApplication>

namespace {

constexpr int kStringBufferChars = 255;

// Reads a resource id the way the callers pass it: numbers, and strings that
// read as numbers, address numbered resources.
std::optional<qint32> numericId(const QVariant& id) {
    switch (id.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return qint32(id.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return qint32(qRound64(id.toDouble()));
    default:
        break;
    }
    const QString text = id.toString().trimmed();
    bool ok = false;
    const qlonglong whole = text.toLongLong(&ok);
    if (ok)
        return qint32(whole);
    const double real = text.toDouble(&ok);
    if (ok)
        return qint32(qRound64(real));
    return std::nullopt;
}

QString trimSpaces(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

// Cuts at CR LF and at a lone CR; a lone LF is an ordinary character.  No
// empty line follows a final terminator.
QString joinLines(const QString& text, const QString& mark) {
    QString result;
    result.reserve(text.size() + (mark.isEmpty() ? 0 : text.size() / 16));
    qsizetype lineStart = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text.at(i) != QLatin1Char('\r'))
            continue;
        result.append(QStringView(text).mid(lineStart, i - lineStart));
        result.append(mark);
        if (i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        lineStart = i + 1;
    }
    if (lineStart < n) {
        result.append(QStringView(text).mid(lineStart));
        result.append(mark);
    }
    return result;
}

} // namespace

ResReader::ResReader() = default;
ResReader::~ResReader() = default;

QString ResReader::strFileName() const {
    return fileName_;
}

void ResReader::EnumRes() {}

void ResReader::LoadLibrary(const QString& fileName) {
    if (fileName.isEmpty())
        return;
    library_ = ResourceLibrary::open(programDirectory() + QLatin1Char('/') + fileName);
    fileName_ = fileName;
    if (!library_)
        qCInfo(lcText) << "text library" << fileName
                       << "cannot be loaded; reading the program's own";
}

QString ResReader::LoadSTvar(qint32 id) const {
    const QString entry = library().stringEntry(id).value_or(QString()).left(kStringBufferChars);
    if (entry.isEmpty())
        return QStringLiteral("*");
    return trimSpaces(entry);
}

std::optional<QString> ResReader::LoadHtml(const QVariant& id, const QString& lineMark) const {
    const auto number = numericId(id);
    const auto bytes = number ? library().custom(*number) : library().html(id.toString());
    if (!bytes || bytes->isEmpty())
        return std::nullopt;
    return joinLines(QString::fromUtf8(*bytes), lineMark);
}

QString ResReader::programDirectory() {
    return QCoreApplication::applicationDirPath();
}

const ResourceLibrary& ResReader::library() const {
    return library_ ? *library_ : ResourceLibrary::own();
}

QStringList splitVerses(const QString& text) {
    return text.split(QStringLiteral("//"));
}
