#pragma once

#include <optional>
#include <QString>
#include <QStringList>

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

    // False when the user's file could not be replaced (read-only file or folder).
    bool isWritable() const;

    QString userFileName() const { return m_userFile; }
    QString systemFileName() const { return m_systemFile; }

private:
    QString m_userFile;
    QString m_systemFile;
};
