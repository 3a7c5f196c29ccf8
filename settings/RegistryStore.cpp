#include "RegistryStore.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QStringDecoder>
#include <QThread>
#include <QVariant>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {

const QString Organisation = QStringLiteral("Talvesk");

// Long enough for another copy of the program to finish its write, short
// enough that a stuck writer does not freeze the window.
constexpr int LockWaitMs = 10000;

QString storeFileName(QSettings::Scope scope, const QString& application) {
    if (application.isEmpty())
        return QSettings(QSettings::IniFormat, scope, Organisation).fileName();
    return QSettings(QSettings::IniFormat, scope, Organisation, application).fileName();
}

// QSettings reads "/" and "\" in a name as group separators; a registry name
// may hold either, so both (and the escape character) are escaped.
QString encodedName(QString name) {
    name.replace(QLatin1Char('%'), QLatin1String("%25"));
    name.replace(QLatin1Char('/'), QLatin1String("%2F"));
    name.replace(QLatin1Char('\\'), QLatin1String("%5C"));
    return name;
}

// The stored spelling of a name, preferring an exact match over one that
// differs only in case.
std::optional<QString> findName(const QStringList& stored, const QString& wanted) {
    if (stored.contains(wanted))
        return wanted;
    for (const QString& name : stored) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return name;
    }
    return std::nullopt;
}

// Follows keyPath group by group without regard to case. Returns the stored
// spelling of the groups ("A/B/C"), or nothing when one of them is missing.
// Leaves the settings object at its root.
std::optional<QString> findGroup(QSettings& settings, const QStringList& keyPath) {
    QStringList spelled;
    std::optional<QString> result;
    for (const QString& part : keyPath) {
        const std::optional<QString> group = findName(settings.childGroups(), encodedName(part));
        if (!group)
            break;
        spelled << *group;
        settings.beginGroup(*group);
    }
    if (spelled.size() == keyPath.size())
        result = spelled.join(QLatin1Char('/'));
    for (qsizetype i = 0; i < spelled.size(); ++i)
        settings.endGroup();
    return result;
}

std::optional<QString> findValue(QSettings& settings, const QStringList& keyPath,
                                 const QString& valueName) {
    const std::optional<QString> group = findGroup(settings, keyPath);
    if (!group)
        return std::nullopt;
    settings.beginGroup(*group);
    const std::optional<QString> key = findName(settings.childKeys(), encodedName(valueName));
    settings.endGroup();
    if (!key)
        return std::nullopt;
    return group->isEmpty() ? *key : *group + QLatin1Char('/') + *key;
}

// The spelling a new value gets: that of the groups and value as far as they
// already exist, the caller's for the rest.
QString spelledKey(QSettings& settings, const QStringList& keyPath, const QString& valueName) {
    QStringList spelled;
    qsizetype matched = 0;
    for (const QString& part : keyPath) {
        const std::optional<QString> group = findName(settings.childGroups(), encodedName(part));
        if (!group)
            break;
        spelled << *group;
        settings.beginGroup(*group);
        ++matched;
    }
    std::optional<QString> key;
    if (matched == keyPath.size())
        key = findName(settings.childKeys(), encodedName(valueName));
    for (qsizetype i = 0; i < matched; ++i)
        settings.endGroup();
    for (qsizetype i = matched; i < keyPath.size(); ++i)
        spelled << encodedName(keyPath.at(i));
    spelled << key.value_or(encodedName(valueName));
    return spelled.join(QLatin1Char('/'));
}

QString textOf(const QVariant& value) {
    // A hand-written value such as "a, b" is read by QSettings as a list.
    if (value.typeId() == QMetaType::QStringList || value.typeId() == QMetaType::QVariantList)
        return value.toStringList().join(QLatin1String(", "));
    return value.toString();
}

#ifndef Q_OS_WIN

// True when QSettings would drop part of the file on its next save: a line it
// cannot read, or text that is not UTF-8. Errs on the side of "damaged".
bool looksDamaged(const QByteArray& content) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(content);
    if (utf8.hasError() || content.contains('\0'))
        return true;
    for (const QStringView line : QStringView(decoded).split(QLatin1Char('\n'))) {
        const QStringView text = line.trimmed();
        if (text.isEmpty() || text.startsWith(QLatin1Char(';')))
            continue;
        if (text.startsWith(QLatin1Char('['))) {
            if (!text.contains(QLatin1Char(']')))
                return true;
        } else if (!text.contains(QLatin1Char('='))) {
            return true;
        }
    }
    return false;
}

QString backupName(const QString& fileName, QLatin1String kind) {
    const QString stem =
        fileName + kind + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = stem;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = stem + QLatin1Char('-') + QString::number(n);
    return name;
}

// True when the file holds lines QSettings keeps no trace of on a save:
// comments (";" or "#") written by hand.
bool hasComments(const QByteArray& content) {
    for (const QByteArray& line : content.split('\n')) {
        const QByteArray text = line.trimmed();
        if (text.startsWith(';') || text.startsWith('#'))
            return true;
    }
    return false;
}

// Copies a store file aside before a save replaces it, when that save would
// lose part of it: a damaged file, or a hand-edited one with comments. False
// when the copy could not be made; the save must not go ahead then.
bool keepDamagedFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = file.readAll();
    if (looksDamaged(content)) {
        file.close();
        return QFile::copy(fileName, backupName(fileName, QLatin1String(".damaged-")));
    }
    if (hasComments(content)) {
        file.close();
        return QFile::copy(fileName, backupName(fileName, QLatin1String(".commented-")));
    }
    return true;
}

struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
};

FileIdentity identityOf(const QString& fileName) {
    struct stat info {};
    if (::stat(QFile::encodeName(fileName).constData(), &info) != 0)
        return {};
    return {true, info.st_dev, info.st_ino};
}

// QSettings saves through a new file renamed over the old one, so a save that
// took effect leaves a file with a new identity.
bool wasReplaced(const FileIdentity& before, const FileIdentity& after) {
    return after.exists &&
           (!before.exists || before.device != after.device || before.inode != after.inode);
}

// QSettings notices another process's save by the file's size and
// modification time (in milliseconds). Two saves of equal size within one
// clock tick would look alike, and a stale copy would then be written back;
// so every save moves the time forward past the one it replaced.
void advanceModificationTime(const QString& fileName, const QDateTime& before) {
    if (!before.isValid())
        return;
    QFile file(fileName);
    const QDateTime after = QFileInfo(fileName).lastModified();
    if (after > before)
        return;
    if (file.open(QIODevice::ReadWrite))
        file.setFileTime(before.addMSecs(1), QFileDevice::FileModificationTime);
}

// QLockFile::tryLock backs off up to seconds between attempts, which starves
// one writer while another saves in a loop; short random pauses keep turns fair.
bool lockWithin(QLockFile& lock, int waitMs) {
    QElapsedTimer waited;
    waited.start();
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError || waited.elapsed() > waitMs)
            return false;
        QThread::msleep(1 + QRandomGenerator::global()->bounded(3));
    }
    return true;
}

// Serialises whole read-modify-write cycles between copies of the program, so
// that the spelling lookup and the save see the same file. QSettings keeps its
// own "<file>.lock" only around the save itself, hence a separate name.
QString writerLockName(const QString& fileName) {
    return fileName + QLatin1String(".writer");
}

#endif // !Q_OS_WIN

} // namespace

#ifdef Q_OS_WIN

// The machine-wide registry itself: it ignores case in names, saves each value
// on its own and has no fallback.
RegistryStore::RegistryStore(const QString& application)
    : m_userFile(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\") + Organisation +
                 (application.isEmpty() ? QString() : QLatin1Char('\\') + application)) {}

bool RegistryStore::isWritable() const {
    return QSettings(m_userFile, QSettings::NativeFormat).isWritable();
}

std::optional<QString> RegistryStore::read(const QStringList& keyPath,
                                           const QString& valueName) const {
    if (valueName.isEmpty() || !isWritable())
        return std::nullopt;
    QSettings settings(m_userFile, QSettings::NativeFormat);
    if (const std::optional<QString> key = findValue(settings, keyPath, valueName))
        return textOf(settings.value(*key));
    return std::nullopt;
}

bool RegistryStore::write(const QStringList& keyPath, const QString& valueName,
                          const QString& text) const {
    if (valueName.isEmpty() || !isWritable())
        return false;
    QSettings settings(m_userFile, QSettings::NativeFormat);
    settings.setValue(spelledKey(settings, keyPath, valueName), text);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool RegistryStore::removeKey(const QStringList& keyPath) const {
    if (keyPath.isEmpty() || !isWritable())
        return false;
    QSettings settings(m_userFile, QSettings::NativeFormat);
    const std::optional<QString> group = findGroup(settings, keyPath);
    if (!group)
        return false;
    settings.beginGroup(*group);
    const bool hasSubkeys = !settings.childGroups().isEmpty();
    settings.endGroup();
    if (hasSubkeys)
        return false;
    settings.remove(*group);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

#else

RegistryStore::RegistryStore(const QString& application)
    : m_userFile(storeFileName(QSettings::UserScope, application)),
      m_systemFile(storeFileName(QSettings::SystemScope, application)) {}

bool RegistryStore::isWritable() const {
    const QFileInfo file(m_userFile);
    if (file.exists())
        return file.isFile() && file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
    // Not created yet: the nearest existing folder must allow creating it.
    QString folder = file.absolutePath();
    while (!QFileInfo::exists(folder)) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder)
            return false;
        folder = parent;
    }
    const QFileInfo existing(folder);
    return existing.isDir() && existing.isWritable();
}

std::optional<QString> RegistryStore::read(const QStringList& keyPath,
                                           const QString& valueName) const {
    // A user file that cannot be written is still read, like the read-only
    // system-wide file; only writes fail then.
    if (valueName.isEmpty())
        return std::nullopt;
    for (const QString& fileName : {m_userFile, m_systemFile}) {
        if (!QFileInfo(fileName).isFile())
            continue;
        QSettings settings(fileName, QSettings::IniFormat);
        if (const std::optional<QString> key = findValue(settings, keyPath, valueName))
            return textOf(settings.value(*key));
    }
    return std::nullopt;
}

bool RegistryStore::write(const QStringList& keyPath, const QString& valueName,
                          const QString& text) const {
    if (valueName.isEmpty() || !isWritable())
        return false;
    if (!QDir().mkpath(QFileInfo(m_userFile).absolutePath()))
        return false;
    QLockFile lock(writerLockName(m_userFile));
    if (!lockWithin(lock, LockWaitMs))
        return false;
    if (!keepDamagedFile(m_userFile))
        return false;

    QString key;
    {
        // A key that only the system-wide file has keeps its spelling, so
        // the user's value overrides it.
        QSettings user(m_userFile, QSettings::IniFormat);
        if (!findValue(user, keyPath, valueName) && QFileInfo::exists(m_systemFile)) {
            QSettings system(m_systemFile, QSettings::IniFormat);
            if (findValue(system, keyPath, valueName))
                key = spelledKey(system, keyPath, valueName);
        }
        if (key.isEmpty())
            key = spelledKey(user, keyPath, valueName);
    }

    const FileIdentity before = identityOf(m_userFile);
    const QDateTime modifiedBefore = QFileInfo(m_userFile).lastModified();
    {
        QSettings user(m_userFile, QSettings::IniFormat);
        user.setValue(key, text);
        user.sync();
        if (user.status() == QSettings::AccessError)
            return false;
    }
    if (!wasReplaced(before, identityOf(m_userFile)))
        return false;
    advanceModificationTime(m_userFile, modifiedBefore);
    return true;
}

bool RegistryStore::removeKey(const QStringList& keyPath) const {
    if (keyPath.isEmpty() || !isWritable() || !QFileInfo::exists(m_userFile))
        return false;
    QLockFile lock(writerLockName(m_userFile));
    if (!lockWithin(lock, LockWaitMs))
        return false;
    if (!keepDamagedFile(m_userFile))
        return false;

    const FileIdentity before = identityOf(m_userFile);
    const QDateTime modifiedBefore = QFileInfo(m_userFile).lastModified();
    {
        QSettings user(m_userFile, QSettings::IniFormat);
        const std::optional<QString> group = findGroup(user, keyPath);
        if (!group)
            return false;
        // Like the registry, a key with subkeys is not deleted.
        user.beginGroup(*group);
        const bool hasSubkeys = !user.childGroups().isEmpty();
        user.endGroup();
        if (hasSubkeys)
            return false;
        user.remove(*group);
        user.sync();
        if (user.status() == QSettings::AccessError)
            return false;
    }
    if (!wasReplaced(before, identityOf(m_userFile)))
        return false;
    advanceModificationTime(m_userFile, modifiedBefore);
    return true;
}

#endif // Q_OS_WIN
