#pragma once

#include <functional>
#include <optional>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// The values of one key and of every key below it, as a whole key moves
// between the store and a file: subkey path relative to the key ("" for the
// key itself, "1", "1\\a" below it) -> value name -> text.
using StoredKey = QMap<QString, QMap<QString, QString>>;

// A registry-like tree of string values kept in QSettings INI files: the
// user's file for reading and writing, the system-wide file as a read-only
// fallback (where an installer puts the culture sections). On Windows the
// machine-wide registry key itself. Key and value names match without regard
// to case. Every call sees the file as it is now: one parsed copy per file is
// kept for the run, and QSettings reads the file again whenever it changed.
class RegistryStore {
public:
    // The store of one application under the organisation "Talvesk"; an empty
    // name addresses the organisation's own store.
    explicit RegistryStore(const QString& application);

    std::optional<QString> read(const QStringList& keyPath, const QString& valueName) const;
    bool write(const QStringList& keyPath, const QString& valueName, const QString& text) const;
    // Removes a key that has no subkeys; returns whether it did.
    bool removeKey(const QStringList& keyPath) const;

    // The key with its subkeys as the user's own store holds them (empty when
    // it has none); nothing when the store cannot be read.  The system-wide
    // file is not part of it.  Reading needs no write access.
    std::optional<StoredKey> exportKey(const QStringList& keyPath) const;
    // Part of a large key: its own values and those of the subkeys that
    // `subkeys` picks from them (by their names relative to the key), read
    // without going through every subkey.  Nothing when the store cannot be
    // read.
    using SubkeyChoice = std::function<QStringList(const QMap<QString, QString>& ownValues)>;
    std::optional<StoredKey> exportPart(const QStringList& keyPath,
                                        const SubkeyChoice& subkeys) const;

    // Replaces the key and everything below it (under any spelling of its
    // name) by `content`, in one write: either all of it takes effect or the
    // store stays as it was.  False in the second case.
    bool replaceKey(const QStringList& keyPath, const StoredKey& content) const;

    // What an update makes of the key as it is stored: its new content, or
    // nothing to leave the store as it is.
    using KeyUpdate = std::function<std::optional<StoredKey>(const StoredKey& current)>;
    // How an update is written: only the values that differ, or the whole
    // key anew (under any spelling of its name, as replaceKey does).
    enum class Replacement { Difference, WholeKey };
    // Reads the key and replaces it by what `update` makes of it as one step
    // under the writers' lock, so that no other copy of the program writes
    // between the reading and the save.  False when the store could not be
    // read or saved, or the update declined; the store is then as it was.
    bool updateKey(const QStringList& keyPath, const KeyUpdate& update,
                   Replacement replacement = Replacement::Difference) const;

    // Several keys changed together, as updateKey changes one: `update` gets
    // each key of `keyPaths` as stored (in that order) and gives their new
    // contents in the same order, or nothing to leave the store as it is.
    // Only the values that differ are written, in one save under the
    // writers' lock, so a change that spans keys is whole or absent.
    using KeysUpdate = std::function<std::optional<QList<StoredKey>>(const QList<StoredKey>&)>;
    bool updateKeys(const QList<QStringList>& keyPaths, const KeysUpdate& update) const;

    // The user-only keys of the key table (the bookmarks): read and written
    // in the user's store only, never completed from the system-wide file,
    // so that a key replaced whole is not mixed with values of an installer.
    static bool isUserOwned(const QStringList& keyPath);

    // False when the user's file could not be replaced (read-only file or folder).
    bool isWritable() const;

    // Changes whenever either file is saved or replaced (by any copy of the
    // program); nothing where the store cannot tell.
    std::optional<QString> stamp() const;

    QString userFileName() const { return m_userFile; }
    QString systemFileName() const { return m_systemFile; }

private:
    QString m_userFile;
    QString m_systemFile;
};
