#pragma once

#include "RegistryStore.h"

#include <QString>

#include <optional>

// The program's only door to its persistent settings: string values under
// Software\Talvesk\<application>\<section>. Nothing here raises or reports an
// error; a caller learns of a failure only from the default it gets back or
// from the flag SaveValue returns.
namespace RegSetting {

// "Software\Talvesk\" + application + "\" + section; with an empty application
// name just "Software\Talvesk\" (the section is then ignored).
QString KeyPath(const QString& application, const QString& section);

// The stored text, or defaultText when the value (or its key) is missing or the
// store cannot be opened for writing. An empty stored text reads as empty.
QString GetValue(const QString& application, const QString& section, const QString& valueName,
                 const QString& defaultText);

// Writes the value, creating missing keys on the way. False when nothing was written.
bool SaveValue(const QString& application, const QString& section, const QString& valueName,
               const QString& text);

// Deletes the key of the section if it has no subkeys. Always returns false.
bool DeleteKey(const QString& application, const QString& section);

// The key of the section with all its subkeys and values, as the user's store
// holds it; nothing when the store cannot be opened.
std::optional<StoredKey> ExportKey(const QString& application, const QString& section);

// The values of the section's key and of the subkeys `subkeys` picks from
// them, without reading the other subkeys.
std::optional<StoredKey> ExportKeyPart(const QString& application, const QString& section,
                                       const RegistryStore::SubkeyChoice& subkeys);

// Replaces the key of the section and everything below it by `content`, all at
// once; on false the store is as it was.
bool ReplaceKey(const QString& application, const QString& section, const StoredKey& content);

// Reads the key of the section and replaces it by what `update` makes of it,
// as one step that no other copy of the program can come between; false (and
// the store as it was) when the update declined or the save failed.
bool UpdateKey(const QString& application, const QString& section,
               const RegistryStore::KeyUpdate& update,
               RegistryStore::Replacement replacement = RegistryStore::Replacement::Difference);

// The user's settings file (where the store keeps what the reader saves).
QString UserFileName(const QString& application);

} // namespace RegSetting
