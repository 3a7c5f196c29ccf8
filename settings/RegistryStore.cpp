#include "RegistryStore.h"

#include "SettingKeys.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QStringDecoder>
#include <QThread>
#include <QVariant>

#include <functional>

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
// Leaves the settings object at its root.  `topGroups`, when given, are the
// groups at the root as the file holds them (asking QSettings for them means
// a pass over every value of the file).
std::optional<QString> findGroup(QSettings& settings, const QStringList& keyPath,
                                 const QStringList* topGroups = nullptr) {
    QStringList spelled;
    std::optional<QString> result;
    for (const QString& part : keyPath) {
        const std::optional<QString> group =
            findName(spelled.isEmpty() && topGroups ? *topGroups : settings.childGroups(),
                     encodedName(part));
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
                                 const QString& valueName, const QStringList* topGroups = nullptr) {
    const std::optional<QString> group = findGroup(settings, keyPath, topGroups);
    if (!group)
        return std::nullopt;
    settings.beginGroup(*group);
    const std::optional<QString> key = findName(settings.childKeys(), encodedName(valueName));
    settings.endGroup();
    if (!key)
        return std::nullopt;
    return group->isEmpty() ? *key : *group + QLatin1Char('/') + *key;
}

// The spelling of a key path: that of the groups as far as they already
// exist, the caller's for the rest.  Also tells how many groups exist.
QStringList spelledGroups(QSettings& settings, const QStringList& keyPath, qsizetype* matched) {
    QStringList spelled;
    *matched = 0;
    for (const QString& part : keyPath) {
        const std::optional<QString> group = findName(settings.childGroups(), encodedName(part));
        if (!group)
            break;
        spelled << *group;
        settings.beginGroup(*group);
        ++*matched;
    }
    for (qsizetype i = 0; i < *matched; ++i)
        settings.endGroup();
    for (qsizetype i = *matched; i < keyPath.size(); ++i)
        spelled << encodedName(keyPath.at(i));
    return spelled;
}

// The spelling a new value gets: that of the groups and value as far as they
// already exist, the caller's for the rest.
QString spelledKey(QSettings& settings, const QStringList& keyPath, const QString& valueName) {
    qsizetype matched = 0;
    QStringList spelled = spelledGroups(settings, keyPath, &matched);
    std::optional<QString> key;
    if (matched == keyPath.size()) {
        settings.beginGroup(spelled.join(QLatin1Char('/')));
        key = findName(settings.childKeys(), encodedName(valueName));
        settings.endGroup();
    }
    spelled << key.value_or(encodedName(valueName));
    return spelled.join(QLatin1Char('/'));
}

QString textOf(const QVariant& value) {
    // A hand-written value such as "a, b" is read by QSettings as a list.
    if (value.typeId() == QMetaType::QStringList || value.typeId() == QMetaType::QVariantList)
        return value.toStringList().join(QLatin1String(", "));
    return value.toString();
}

// The inverse of encodedName, in one pass so that "%252F" stays "%2F".
QString decodedName(const QString& name) {
    QString plain;
    plain.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QStringView code = QStringView(name).mid(i, 3);
        if (code.compare(QLatin1String("%25"), Qt::CaseInsensitive) == 0) {
            plain += QLatin1Char('%');
        } else if (code.compare(QLatin1String("%2F"), Qt::CaseInsensitive) == 0) {
            plain += QLatin1Char('/');
        } else if (code.compare(QLatin1String("%5C"), Qt::CaseInsensitive) == 0) {
            plain += QLatin1Char('\\');
        } else {
            plain += name.at(i);
            continue;
        }
        i += 2;
    }
    return plain;
}

std::optional<StoredKey> exportFrom(QSettings& settings, const QStringList& keyPath) {
    StoredKey key;
    key.insert(QString(), {});
    if (const std::optional<QString> group = findGroup(settings, keyPath)) {
        settings.beginGroup(*group);
        // One pass over the values: asking for the subkeys of each subkey
        // costs a pass over the whole file per subkey.
        for (const QString& stored : settings.allKeys()) {
            QStringList parts = stored.split(QLatin1Char('/'));
            const QString valueName = decodedName(parts.takeLast());
            for (QString& part : parts)
                part = decodedName(part);
            key[parts.join(QLatin1Char('\\'))].insert(valueName, textOf(settings.value(stored)));
        }
        settings.endGroup();
    }
    return key;
}

std::optional<StoredKey> exportPartFrom(QSettings& settings, const QStringList& keyPath,
                                        const RegistryStore::SubkeyChoice& subkeys) {
    StoredKey key;
    key.insert(QString(), {});
    const std::optional<QString> group = findGroup(settings, keyPath);
    if (!group)
        return key;
    const auto valuesOf = [&settings](const QString& path) {
        QMap<QString, QString> values;
        settings.beginGroup(path);
        for (const QString& name : settings.childKeys())
            values.insert(decodedName(name), textOf(settings.value(name)));
        settings.endGroup();
        return values;
    };
    key[QString()] = valuesOf(*group);
    for (const QString& subkey : subkeys(key.value(QString()))) {
        QStringList path{*group};
        for (const QString& part : subkey.split(QLatin1Char('\\'), Qt::SkipEmptyParts))
            path << encodedName(part);
        QMap<QString, QString> values = valuesOf(path.join(QLatin1Char('/')));
        if (!values.isEmpty())
            key.insert(subkey, values);
    }
    return key;
}

// Removes the key under every spelling of its name; true when there was one.
bool removeEverySpelling(QSettings& settings, const QStringList& keyPath) {
    const QStringList parentPath = keyPath.first(keyPath.size() - 1);
    const std::optional<QString> parent = findGroup(settings, parentPath);
    if (!parent)
        return false;
    const QString wanted = encodedName(keyPath.last());
    settings.beginGroup(*parent);
    const QStringList groups = settings.childGroups();
    bool removed = false;
    for (const QString& group : groups) {
        if (group.compare(wanted, Qt::CaseInsensitive) == 0) {
            settings.remove(group);
            removed = true;
        }
    }
    settings.endGroup();
    return removed;
}

// Writes the values of `content` below `group` (spelled as stored).
bool writeKey(QSettings& settings, const QString& group, const StoredKey& content) {
    bool wroteAny = false;
    for (auto key = content.cbegin(); key != content.cend(); ++key) {
        QStringList path{group};
        for (const QString& part : key.key().split(QLatin1Char('\\'), Qt::SkipEmptyParts))
            path << encodedName(part);
        for (auto value = key->cbegin(); value != key->cend(); ++value) {
            settings.setValue(path.join(QLatin1Char('/')) + QLatin1Char('/') +
                                  encodedName(value.key()),
                              value.value());
            wroteAny = true;
        }
    }
    return wroteAny;
}

// Replaces the key in `settings` without saving; false when nothing changes.
bool stageReplacement(QSettings& settings, const QStringList& keyPath, const StoredKey& content) {
    qsizetype matched = 0;
    const QString group = spelledGroups(settings, keyPath, &matched).join(QLatin1Char('/'));
    const bool removed = removeEverySpelling(settings, keyPath);
    const bool wrote = writeKey(settings, group, content);
    return removed || wrote;
}

// The key of a value below `group`: the subkey path and the value name as
// QSettings spells them.
QString valueKey(const QString& group, const QString& subkey, const QString& valueName) {
    QStringList path{group};
    for (const QString& part : subkey.split(QLatin1Char('\\'), Qt::SkipEmptyParts))
        path << encodedName(part);
    path << encodedName(valueName);
    return path.join(QLatin1Char('/'));
}

// Stages the change from `current` (the key as exported) to `next`: values
// that are new or changed are set, values that are gone are removed.  One
// bookmark changed among thousands thus costs one value, not thousands.
bool stageDifference(QSettings& settings, const QStringList& keyPath, const StoredKey& current,
                     const StoredKey& next) {
    qsizetype matched = 0;
    const QString group = spelledGroups(settings, keyPath, &matched).join(QLatin1Char('/'));
    bool changed = false;
    for (auto key = current.cbegin(); key != current.cend(); ++key) {
        const auto kept = next.constFind(key.key());
        for (auto value = key->cbegin(); value != key->cend(); ++value) {
            if (kept == next.cend() || !kept->contains(value.key())) {
                settings.remove(valueKey(group, key.key(), value.key()));
                changed = true;
            }
        }
    }
    for (auto key = next.cbegin(); key != next.cend(); ++key) {
        const auto before = current.constFind(key.key());
        for (auto value = key->cbegin(); value != key->cend(); ++value) {
            if (before == current.cend() || before->value(value.key()) != value.value() ||
                !before->contains(value.key())) {
                settings.setValue(valueKey(group, key.key(), value.key()), value.value());
                changed = true;
            }
        }
    }
    return changed;
}

#ifndef Q_OS_WIN

// QSettings shares one parsed copy of a file between all its objects, and
// keeps it after the last one goes only for small files; so with thousands
// of bookmarks stored every call parsed the whole file again.  One reader
// kept open per file for the run keeps the parsed copy, which QSettings still
// reads again whenever the file changed (size or modification time).  Never
// written through, and never deleted: it outlives the program's last call.
void keepParsed(const QString& fileName) {
    static auto* kept = new QHash<QString, QSettings*>;
    if (!kept->contains(fileName))
        kept->insert(fileName, new QSettings(fileName, QSettings::IniFormat));
}

// Reads a key out of the user's file with `read`: an empty key while the
// file is not there yet, nothing when it cannot be read.
std::optional<StoredKey>
readFromUserFile(const QString& fileName, const QStringList& keyPath,
                 const std::function<std::optional<StoredKey>(QSettings&)>& read) {
    if (keyPath.isEmpty())
        return std::nullopt;
    const QFileInfo file(fileName);
    if (!file.exists())
        return StoredKey{{QString(), {}}};
    if (!file.isFile() || !file.isReadable())
        return std::nullopt;
    keepParsed(fileName);
    QSettings user(fileName, QSettings::IniFormat);
    if (user.status() != QSettings::NoError)
        return std::nullopt;
    return read(user);
}

// What QSettings goes by to tell that a file changed.
QString fileStamp(const QString& fileName) {
    const QFileInfo file(fileName);
    return QStringLiteral("%1/%2/%3")
        .arg(file.size())
        .arg(file.lastModified().toMSecsSinceEpoch())
        .arg(file.birthTime().toMSecsSinceEpoch());
}

// The groups at the root of a file, kept while the file is unchanged: every
// read looks its key up there, and with thousands of bookmarks stored asking
// QSettings each time cost a pass over all of them.  `stamp` is taken before
// `settings` read the file, so a change in between is seen on the next call.
// Only for reading: a QSettings object with changes not yet saved has other
// groups.
QStringList topGroupsOf(const QString& fileName, const QString& stamp, QSettings& settings) {
    struct Kept {
        QString stamp;
        QStringList groups;
    };
    static auto* kept = new QHash<QString, Kept>;
    Kept& entry = (*kept)[fileName];
    if (entry.stamp != stamp) {
        entry.groups = settings.childGroups();
        entry.stamp = stamp;
    }
    return entry.groups;
}

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

// A ";" outside quotes ends a value: the rest of the line is a comment. A
// list written by hand as "BookMarks=2;1" thus reads as "2", and a save would
// keep only that.  QSettings itself quotes every value holding a ";".
bool hasTrailingComment(const QByteArray& text) {
    const qsizetype equals = text.indexOf('=');
    if (equals < 0 || text.startsWith('['))
        return false;
    bool quoted = false;
    for (qsizetype i = equals + 1; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c == '\\')
            ++i;
        else if (c == '"')
            quoted = !quoted;
        else if (c == ';' && !quoted)
            return true;
    }
    return false;
}

// True when the file holds text QSettings keeps no trace of on a save:
// comments (";" or "#") written by hand, on lines of their own or after a
// value.
bool hasComments(const QByteArray& content) {
    for (const QByteArray& line : content.split('\n')) {
        const QByteArray text = line.trimmed();
        if (text.startsWith(';') || text.startsWith('#') || hasTrailingComment(text))
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

// What a change made to the user's file asks for.
enum class Change { Save, Unchanged, Refused };

// Makes one change to the user's file and saves it whole, under the writers'
// lock and after keeping a damaged file aside.  QSettings saves through a new
// file renamed over the old one, so the file changes at once or not at all.
// True when the change was saved (or asked for no save).
bool saveUserFile(const QString& fileName, const std::function<Change(QSettings&)>& change) {
    QLockFile lock(writerLockName(fileName));
    if (!lockWithin(lock, LockWaitMs) || !keepDamagedFile(fileName))
        return false;
    const FileIdentity before = identityOf(fileName);
    const QDateTime modifiedBefore = QFileInfo(fileName).lastModified();
    {
        keepParsed(fileName);
        QSettings user(fileName, QSettings::IniFormat);
        switch (change(user)) {
        case Change::Unchanged:
            return true;
        case Change::Refused:
            return false;
        case Change::Save:
            break;
        }
        user.sync();
        if (user.status() == QSettings::AccessError)
            return false;
    }
    if (!wasReplaced(before, identityOf(fileName)))
        return false;
    advanceModificationTime(fileName, modifiedBefore);
    return true;
}

#endif // !Q_OS_WIN

} // namespace

bool RegistryStore::isUserOwned(const QStringList& keyPath) {
    return Setting::isUserOnly(keyPath);
}

#ifdef Q_OS_WIN

// The machine-wide registry itself: it ignores case in names, saves each value
// on its own and has no fallback.
RegistryStore::RegistryStore(const QString& application)
    : m_userFile(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\") + Organisation +
                 (application.isEmpty() ? QString() : QLatin1Char('\\') + application)) {}

bool RegistryStore::isWritable() const {
    return QSettings(m_userFile, QSettings::NativeFormat).isWritable();
}

std::optional<QString> RegistryStore::stamp() const {
    // The registry tells no time of change.
    return std::nullopt;
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

std::optional<StoredKey> RegistryStore::exportKey(const QStringList& keyPath) const {
    if (keyPath.isEmpty())
        return std::nullopt;
    QSettings settings(m_userFile, QSettings::NativeFormat);
    return exportFrom(settings, keyPath);
}

std::optional<StoredKey> RegistryStore::exportPart(const QStringList& keyPath,
                                                   const SubkeyChoice& subkeys) const {
    if (keyPath.isEmpty())
        return std::nullopt;
    QSettings settings(m_userFile, QSettings::NativeFormat);
    return exportPartFrom(settings, keyPath, subkeys);
}

bool RegistryStore::replaceKey(const QStringList& keyPath, const StoredKey& content) const {
    if (keyPath.isEmpty() || !isWritable())
        return false;
    QSettings settings(m_userFile, QSettings::NativeFormat);
    stageReplacement(settings, keyPath, content);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool RegistryStore::updateKey(const QStringList& keyPath, const KeyUpdate& update,
                              Replacement replacement) const {
    if (keyPath.isEmpty() || !isWritable())
        return false;
    QSettings settings(m_userFile, QSettings::NativeFormat);
    const std::optional<StoredKey> current = exportFrom(settings, keyPath);
    const std::optional<StoredKey> next = update(*current);
    if (!next)
        return false;
    if (replacement == Replacement::WholeKey)
        stageReplacement(settings, keyPath, *next);
    else
        stageDifference(settings, keyPath, *current, *next);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool RegistryStore::updateKeys(const QList<QStringList>& keyPaths, const KeysUpdate& update) const {
    if (keyPaths.isEmpty() || !isWritable())
        return false;
    QSettings settings(m_userFile, QSettings::NativeFormat);
    QList<StoredKey> current;
    for (const QStringList& keyPath : keyPaths) {
        if (keyPath.isEmpty())
            return false;
        current.append(*exportFrom(settings, keyPath));
    }
    const std::optional<QList<StoredKey>> next = update(current);
    if (!next || next->size() != current.size())
        return false;
    for (qsizetype i = 0; i < keyPaths.size(); ++i)
        stageDifference(settings, keyPaths.at(i), current.at(i), next->at(i));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

#else

RegistryStore::RegistryStore(const QString& application)
    : m_userFile(storeFileName(QSettings::UserScope, application)),
      m_systemFile(storeFileName(QSettings::SystemScope, application)) {}

std::optional<QString> RegistryStore::stamp() const {
    return fileStamp(m_userFile) + QLatin1Char('|') + fileStamp(m_systemFile);
}

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
    QStringList files{m_userFile};
    if (!isUserOwned(keyPath))
        files << m_systemFile;
    for (const QString& fileName : files) {
        if (!QFileInfo(fileName).isFile())
            continue;
        const QString stamp = fileStamp(fileName);
        keepParsed(fileName);
        QSettings settings(fileName, QSettings::IniFormat);
        const QStringList topGroups = topGroupsOf(fileName, stamp, settings);
        if (const std::optional<QString> key = findValue(settings, keyPath, valueName, &topGroups))
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
    return saveUserFile(m_userFile, [&](QSettings& user) {
        // A key that only the system-wide file has keeps its spelling, so
        // the user's value overrides it.
        QString key;
        if (!findValue(user, keyPath, valueName) && !isUserOwned(keyPath) &&
            QFileInfo::exists(m_systemFile)) {
            QSettings system(m_systemFile, QSettings::IniFormat);
            if (findValue(system, keyPath, valueName))
                key = spelledKey(system, keyPath, valueName);
        }
        if (key.isEmpty())
            key = spelledKey(user, keyPath, valueName);
        user.setValue(key, text);
        return Change::Save;
    });
}

bool RegistryStore::removeKey(const QStringList& keyPath) const {
    if (keyPath.isEmpty() || !isWritable() || !QFileInfo::exists(m_userFile))
        return false;
    return saveUserFile(m_userFile, [&](QSettings& user) {
        const std::optional<QString> group = findGroup(user, keyPath);
        if (!group)
            return Change::Refused;
        // Like the registry, a key with subkeys is not deleted.
        user.beginGroup(*group);
        const bool hasSubkeys = !user.childGroups().isEmpty();
        user.endGroup();
        if (hasSubkeys)
            return Change::Refused;
        user.remove(*group);
        return Change::Save;
    });
}

std::optional<StoredKey> RegistryStore::exportKey(const QStringList& keyPath) const {
    return readFromUserFile(m_userFile, keyPath,
                            [&](QSettings& user) { return exportFrom(user, keyPath); });
}

std::optional<StoredKey> RegistryStore::exportPart(const QStringList& keyPath,
                                                   const SubkeyChoice& subkeys) const {
    return readFromUserFile(m_userFile, keyPath, [&](QSettings& user) {
        return exportPartFrom(user, keyPath, subkeys);
    });
}

bool RegistryStore::replaceKey(const QStringList& keyPath, const StoredKey& content) const {
    if (keyPath.isEmpty() || !isWritable())
        return false;
    if (!QDir().mkpath(QFileInfo(m_userFile).absolutePath()))
        return false;
    // One save of the whole file: the key changes at once or not at all.
    return saveUserFile(m_userFile, [&](QSettings& user) {
        return stageReplacement(user, keyPath, content) ? Change::Save : Change::Unchanged;
    });
}

bool RegistryStore::updateKey(const QStringList& keyPath, const KeyUpdate& update,
                              Replacement replacement) const {
    if (keyPath.isEmpty() || !isWritable())
        return false;
    if (!QDir().mkpath(QFileInfo(m_userFile).absolutePath()))
        return false;
    return saveUserFile(m_userFile, [&](QSettings& user) {
        if (user.status() != QSettings::NoError)
            return Change::Refused;
        const std::optional<StoredKey> current = exportFrom(user, keyPath);
        const std::optional<StoredKey> next = update(*current);
        if (!next)
            return Change::Refused;
        if (*next == *current)
            return Change::Unchanged;
        const bool changed = replacement == Replacement::WholeKey
                                 ? stageReplacement(user, keyPath, *next)
                                 : stageDifference(user, keyPath, *current, *next);
        return changed ? Change::Save : Change::Unchanged;
    });
}

bool RegistryStore::updateKeys(const QList<QStringList>& keyPaths, const KeysUpdate& update) const {
    if (keyPaths.isEmpty() || !isWritable())
        return false;
    if (!QDir().mkpath(QFileInfo(m_userFile).absolutePath()))
        return false;
    return saveUserFile(m_userFile, [&](QSettings& user) {
        if (user.status() != QSettings::NoError)
            return Change::Refused;
        QList<StoredKey> current;
        for (const QStringList& keyPath : keyPaths) {
            const std::optional<StoredKey> key =
                keyPath.isEmpty() ? std::nullopt : exportFrom(user, keyPath);
            if (!key)
                return Change::Refused;
            current.append(*key);
        }
        const std::optional<QList<StoredKey>> next = update(current);
        if (!next || next->size() != current.size())
            return Change::Refused;
        bool changed = false;
        for (qsizetype i = 0; i < keyPaths.size(); ++i)
            changed = stageDifference(user, keyPaths.at(i), current.at(i), next->at(i)) || changed;
        return changed ? Change::Save : Change::Unchanged;
    });
}

#endif // Q_OS_WIN
