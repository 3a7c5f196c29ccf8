#include "ResReader.h"

#include "TextLog.h"
#include "UserLibraries.h"

#include <QCoreApplication>
#include <QFileInfo>

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
    // indexOf scans for one character much faster than a loop over all of
    // them; the whole Arabic text passes here on every search.
    for (qsizetype i = text.indexOf(QLatin1Char('\r')); i >= 0;
         i = text.indexOf(QLatin1Char('\r'), i + 1)) {
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

bool namesTheProgram(const QString& name) {
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
                            QLatin1String(".exe");
    return name.compare(program, Qt::CaseInsensitive) == 0;
}

} // namespace

ResReader::ResReader() = default;
ResReader::~ResReader() = default;
ResReader::ResReader(const ResReader&) = default;
ResReader& ResReader::operator=(const ResReader&) = default;

QString ResReader::strFileName() const {
    return fileName_;
}

void ResReader::EnumRes() {}

void ResReader::LoadLibrary(const QString& fileName) {
    if (fileName.isEmpty())
        return;
    bind(fileName, openLibrary(fileName));
}

void ResReader::bind(const QString& fileName, std::shared_ptr<const ResourceLibrary> library) {
    fileName_ = fileName;
    library_ = std::move(library);
}

std::shared_ptr<const ResourceLibrary> ResReader::openLibrary(const QString& fileName) {
    if (fileName.isEmpty())
        return nullptr;
    // A library added by the reader: a plain file name in the user's data folder.
    if (UserLibraries::isUserLibrary(fileName)) {
        if (!UserLibraries::isPlainFileName(UserLibraries::fileNameOf(fileName))) {
            qCInfo(lcText).noquote() << "text library name" << fileName
                                     << "refused: not a plain file name in the user's folder";
            return nullptr;
        }
        return ResourceLibrary::open(UserLibraries::pathOf(fileName));
    }
    if (!UserLibraries::isPlainFileName(fileName)) {
        qCInfo(lcText).noquote() << "text library name" << fileName
                                 << "refused: not a plain file name in the program's folder";
        return nullptr;
    }
    const QString path = programDirectory() + QLatin1Char('/') + fileName;
    // The settings name library 1 after the program file ("miravel.exe");
    // where no such file lies beside the program, the library compiled into
    // it is meant, and that is no news.
    if (namesTheProgram(fileName) && !QFileInfo::exists(path))
        return nullptr;
    return ResourceLibrary::open(path);
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
    // As QString::split at "//", scanning for single slashes, which is
    // several times faster over a whole sura.
    QStringList pieces;
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(QLatin1Char('/')); at >= 0 && at + 1 < text.size();
         at = text.indexOf(QLatin1Char('/'), at + 1)) {
        if (text.at(at + 1) != QLatin1Char('/'))
            continue;
        pieces.append(text.mid(from, at - from));
        from = at + 2;
        at = from - 1; // the next "//" starts past this one
    }
    pieces.append(text.mid(from));
    return pieces;
}
