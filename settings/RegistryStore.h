#pragma once

#include <optional>
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
// to case. Every call opens the store afresh and leaves nothing open.
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
    // it has none); nothing when the store cannot be opened.  The
    // system-wide file is not part of it.
    std::optional<StoredKey> exportKey(const QStringList& keyPath) const;
    // Replaces the key and everything below it (under any spelling of its
    // name) by `content`, in one write: either all of it takes effect or the
    // store stays as it was.  False in the second case.
    bool replaceKey(const QStringList& keyPath, const StoredKey& content) const;

    // Keys that belong to the reader alone (the bookmarks): read and written
    // in the user's store only, never completed from the system-wide file,
    // so that a key replaced whole is not mixed with values of an installer.
    static bool isUserOwned(const QStringList& keyPath);

    // False when the user's file could not be replaced (read-only file or folder).
    bool isWritable() const;

    QString userFileName() const { return m_userFile; }
    QString systemFileName() const { return m_systemFile; }

private:
    QString m_userFile;
    QString m_systemFile;
};
