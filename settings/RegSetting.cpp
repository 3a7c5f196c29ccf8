#include "RegSetting.h"

#include "RegistryStore.h"

namespace {

// Key paths of one application's store, below its own key; an empty
// application name addresses the organisation's key, where the section is
// ignored.
QStringList keysBelowStore(const QString& application, const QString& section) {
    if (application.isEmpty())
        return {};
    return section.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

} // namespace

namespace RegSetting {

QString KeyPath(const QString& application, const QString& section) {
    const QString vendorKey = QStringLiteral("Software\\Talvesk\\");
    if (application.isEmpty())
        return vendorKey;
    return vendorKey + application + QLatin1Char('\\') + section;
}

QString GetValue(const QString& application, const QString& section, const QString& valueName,
                 const QString& defaultText) {
    const RegistryStore store(application);
    return store.read(keysBelowStore(application, section), valueName).value_or(defaultText);
}

bool SaveValue(const QString& application, const QString& section, const QString& valueName,
               const QString& text) {
    const RegistryStore store(application);
    return store.write(keysBelowStore(application, section), valueName, text);
}

bool DeleteKey(const QString& application, const QString& section) {
    const RegistryStore store(application);
    store.removeKey(keysBelowStore(application, section));
    return false;
}

std::optional<StoredKey> ExportKey(const QString& application, const QString& section) {
    const RegistryStore store(application);
    return store.exportKey(keysBelowStore(application, section));
}

std::optional<StoredKey> ExportKeyPart(const QString& application, const QString& section,
                                       const RegistryStore::SubkeyChoice& subkeys) {
    const RegistryStore store(application);
    return store.exportPart(keysBelowStore(application, section), subkeys);
}

bool ReplaceKey(const QString& application, const QString& section, const StoredKey& content) {
    const RegistryStore store(application);
    return store.replaceKey(keysBelowStore(application, section), content);
}

bool UpdateKey(const QString& application, const QString& section,
               const RegistryStore::KeyUpdate& update, RegistryStore::Replacement replacement) {
    const RegistryStore store(application);
    return store.updateKey(keysBelowStore(application, section), update, replacement);
}

QString UserFileName(const QString& application) {
    return RegistryStore(application).userFileName();
}

} // namespace RegSetting
