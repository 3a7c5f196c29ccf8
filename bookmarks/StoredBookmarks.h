#pragma once

#include "RegistryStore.h"

#include <QList>
#include <QString>
#include <QStringList>

// The bookmark key as read in one go: the list value "BookMarks" and the
// "Name" of each numbered subkey.  Answers every question about the stored
// bookmarks from that one reading and makes the changed key for a save.
class StoredBookmarks {
public:
    // A listed bookmark: its number and its "Name".
    struct Entry {
        int number = 0;
        QString name;
    };

    explicit StoredBookmarks(StoredKey key) : key_(std::move(key)) {}

    const StoredKey& key() const { return key_; }

    // The list value as stored, and split at ";".
    QString list() const;
    QStringList listed() const;
    // The "Name" of a subkey ("" when it has none).
    QString name(const QString& number) const;
    QString name(int number) const { return name(QString::number(number)); }
    // The listed bookmarks in list order; elements that are no number are
    // left out.
    QList<Entry> entries() const;

    // The lowest number whose "Name" is empty or absent (freed numbers are
    // used again); 0 when every number up to `maxNumber` is taken.
    int nextNumber(int maxNumber) const;
    // Whether a listed bookmark's "Name" begins with this mark.
    bool hasMark(const QString& mark) const;

    // The key with bookmark n named `name` and listed (once) at the end.
    StoredKey withAdded(int number, const QString& name) const;
    // The key with bookmark n's subkey gone (unless it has subkeys of its
    // own) and n taken out of the list.
    StoredKey withRemoved(int number) const;

private:
    StoredKey key_;
};
