#pragma once

#include "AppSettings.h"
#include "RegistryStore.h"
#include "SettingKeys.h"

#include <QObject>
#include <QString>

#include <optional>

// The program's one way to its stored settings: typed access to the values
// of the key table, whole keys of the user-only sections (the bookmarks),
// the values every part uses (the library files, the display order, the
// gradient), read from the store, and a signal whenever a saved value
// really changed, so that what shows a value can follow a change made
// elsewhere.
class Settings : public QObject {
    Q_OBJECT
public:
    explicit Settings(QString application = QStringLiteral("Miravel"), QObject* parent = nullptr);

    const QString& application() const { return application_; }

    // The stored text, or the key's default.
    QString text(const SettingKey& key, int number = 0) const;
    QString text(const SettingKey& key, const QString& defaultText, int number) const;
    // The leading number of the stored text ("12abc" reads 12), else `fallback`.
    qint32 leadingNumber(const SettingKey& key, qint32 fallback, int number = 0) const;
    // The stored text when it is a whole number, else nothing.
    std::optional<qint32> strictNumber(const SettingKey& key, int number = 0) const;

    // Writes a value and announces it when the stored text changed.  True
    // without a write when the value is stored already; false when nothing
    // was written.
    bool save(const SettingKey& key, const QString& text, int number = 0);

    // Deletes `key`'s section (numbered `number`) from the user's file and
    // announces its value when one was stored there.  False when the store
    // could not be written.
    bool removeSection(const SettingKey& key, int number = 0);

    // The key of `key`'s section with all its subkeys, as the user's file
    // holds it; nothing when the store cannot be read.
    std::optional<StoredKey> readKey(const SettingKey& key) const;
    // The values of that key and of the subkeys `subkeys` picks from them.
    std::optional<StoredKey> readKeyPart(const SettingKey& key,
                                         const RegistryStore::SubkeyChoice& subkeys) const;
    // Reads the key of `key`'s section and replaces it by what `update` makes
    // of it, as one step that no other copy of the program comes between;
    // announces every value that changed.  False, and the store as it was,
    // when the update declined or the save failed.
    bool updateKey(const SettingKey& key, const RegistryStore::KeyUpdate& update,
                   RegistryStore::Replacement replacement = RegistryStore::Replacement::Difference);
    // Several sections (e.g. "Cultures" and "Settings") read and changed
    // as one step, as updateKey changes one: only the values that differ
    // are written; every value that changed is announced.
    using SectionsUpdate =
        std::function<std::optional<QList<StoredKey>>(const QList<StoredKey>& current)>;
    bool updateSections(const QStringList& sections, const SectionsUpdate& update);
    // The user's settings file (where whole keys are kept).
    QString userFileName() const { return store_.userFileName(); }
    // The system-wide file read where the user's has no value.
    QString systemFileName() const { return store_.systemFileName(); }

    // The values in effect, as the store holds them now: read again whenever
    // the store's files changed, so they never differ from what is stored.
    const AppSettings& values() const;

    // The stored display order; one that names none of the three libraries
    // (empty or damaged) would show pages without text, so it reads as the
    // default order.
    QString displayOrder() const;
    // Stores a new display order; false when it could not be saved.
    bool setOrderString(const QString& order);

    static bool isKey(const SettingKey& key, const QString& section, const QString& valueName);
    // "1", "2" or "3": a code of a text library in a display order.
    static bool isLibraryCode(const QString& part);

signals:
    // A saved value changed (section as stored, e.g. "Settings" or
    // "BookMarks\\3").
    void valueChanged(const QString& section, const QString& valueName);

private:
    QStringList keyPath(const QString& section) const;
    AppSettings readValues() const;
    void announceChanges(const QString& section, const StoredKey& before, const StoredKey& after);

    QString application_;
    RegistryStore store_;
    // values() as last read, and the stamp of the store's files it was read
    // at: a reading of the store, not a copy anything writes to.
    mutable AppSettings valuesRead_;
    mutable std::optional<QString> valuesReadAt_;
};
