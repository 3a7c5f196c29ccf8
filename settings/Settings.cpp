#include "Settings.h"

#include "ArabicScripts.h"

#include "NumberText.h"
#include "SettingsLog.h"

#include <QMetaMethod>

Settings::Settings(QString application, QObject* parent)
    : QObject(parent), application_(std::move(application)), store_(application_) {}

QStringList Settings::keyPath(const QString& section) const {
    // An empty application name addresses the organisation's own key, which
    // has no sections.
    if (application_.isEmpty())
        return {};
    return section.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

QString Settings::text(const SettingKey& key, int number) const {
    return text(key, QString::fromLatin1(key.defaultText), number);
}

QString Settings::text(const SettingKey& key, const QString& defaultText, int number) const {
    return store_.read(keyPath(key.sectionFor(number)), QString::fromLatin1(key.valueName))
        .value_or(defaultText);
}

qint32 Settings::leadingNumber(const SettingKey& key, qint32 fallback, int number) const {
    return NumberText::LeadingInt32(text(key, number), fallback);
}

std::optional<qint32> Settings::strictNumber(const SettingKey& key, int number) const {
    const QString stored = text(key, number);
    const auto value = NumberText::StrictInt32(stored);
    if (!value)
        qCInfo(lcSettings) << "not a number, read as its default:" << key.valueName << stored;
    return value;
}

bool Settings::save(const SettingKey& key, const QString& text, int number) {
    const QString section = key.sectionFor(number);
    const QString name = QString::fromLatin1(key.valueName);
    const QStringList path = keyPath(section);
    if (store_.read(path, name) == text)
        return true;
    if (!store_.write(path, name, text)) {
        qCInfo(lcSettings) << "could not store" << section << name;
        return false;
    }
    emit valueChanged(section, name);
    return true;
}

bool Settings::removeSection(const SettingKey& key, int number) {
    const QString section = key.sectionFor(number);
    const QString name = QString::fromLatin1(key.valueName);
    const QStringList path = keyPath(section);
    const std::optional<QString> before = store_.read(path, name);
    if (!store_.removeKey(path)) {
        qCInfo(lcSettings) << "could not remove" << section;
        return false;
    }
    if (store_.read(path, name) != before)
        emit valueChanged(section, name);
    return true;
}

std::optional<StoredKey> Settings::readKey(const SettingKey& key) const {
    return store_.exportKey(keyPath(key.sectionFor(0)));
}

std::optional<StoredKey> Settings::readKeyPart(const SettingKey& key,
                                               const RegistryStore::SubkeyChoice& subkeys) const {
    return store_.exportPart(keyPath(key.sectionFor(0)), subkeys);
}

bool Settings::updateKey(const SettingKey& key, const RegistryStore::KeyUpdate& update,
                         RegistryStore::Replacement replacement) {
    const QString section = key.sectionFor(0);
    StoredKey before;
    StoredKey after;
    const bool saved = store_.updateKey(
        keyPath(section),
        [&](const StoredKey& current) {
            std::optional<StoredKey> next = update(current);
            if (next) {
                before = current;
                after = *next;
            }
            return next;
        },
        replacement);
    if (saved)
        announceChanges(section, before, after);
    return saved;
}

bool Settings::updateSections(const QStringList& sections, const SectionsUpdate& update) {
    QList<QStringList> paths;
    for (const QString& section : sections)
        paths.append(keyPath(section));
    QList<StoredKey> before;
    QList<StoredKey> after;
    const bool saved = store_.updateKeys(paths, [&](const QList<StoredKey>& current) {
        std::optional<QList<StoredKey>> next = update(current);
        if (next) {
            before = current;
            after = *next;
        }
        return next;
    });
    if (saved) {
        for (qsizetype i = 0; i < sections.size() && i < after.size(); ++i)
            announceChanges(sections.at(i), before.at(i), after.at(i));
    }
    return saved;
}

void Settings::announceChanges(const QString& section, const StoredKey& before,
                               const StoredKey& after) {
    // An import compares tens of thousands of values; not for nobody.
    static const QMetaMethod changed = QMetaMethod::fromSignal(&Settings::valueChanged);
    if (!isSignalConnected(changed))
        return;
    const auto announce = [&](const QString& subkey, const QString& valueName) {
        emit valueChanged(subkey.isEmpty() ? section : section + QLatin1Char('\\') + subkey,
                          valueName);
    };
    for (auto key = before.cbegin(); key != before.cend(); ++key) {
        const auto kept = after.constFind(key.key());
        for (auto value = key->cbegin(); value != key->cend(); ++value) {
            if (kept == after.cend() || !kept->contains(value.key()))
                announce(key.key(), value.key());
        }
    }
    for (auto key = after.cbegin(); key != after.cend(); ++key) {
        const auto was = before.constFind(key.key());
        for (auto value = key->cbegin(); value != key->cend(); ++value) {
            const auto old = was == before.cend() ? key->cend() : was->constFind(value.key());
            if (was == before.cend() || old == was->cend() || *old != value.value())
                announce(key.key(), value.key());
        }
    }
}

const AppSettings& Settings::values() const {
    // Where the store cannot tell a change, every call reads it.
    const std::optional<QString> stamp = store_.stamp();
    if (!stamp || stamp != valuesReadAt_) {
        valuesRead_ = readValues();
        valuesReadAt_ = stamp;
    }
    return valuesRead_;
}

AppSettings Settings::readValues() const {
    AppSettings values;
    const int culture = strictNumber(Setting::Culture)
                            .value_or(QString::fromLatin1(Setting::Culture.defaultText).toInt());
    values.ArabicLibraryFile = ArabicScripts::libraryFor(
        text(Setting::CultureArabicLibrary, DefaultArabicLibraryFile(), culture),
        text(Setting::ArabicScript));
    values.TranslationLibraryFile = text(Setting::CultureTranslationLibrary, culture);
    values.TransliterationLibraryFile = text(Setting::CultureTransliterationLibrary, culture);
    values.OrderString = displayOrder();
    values.GradientColor1 = leadingNumber(Setting::StartUpBK1, 0x00FEBE9E);
    values.GradientColor2 = leadingNumber(Setting::StartUpBK2, 0x00FADAC4);
    values.GradientAngle = leadingNumber(Setting::Angle, 90);
    return values;
}

QString Settings::displayOrder() const {
    const QString order = text(Setting::OrderString);
    for (const QString& code : order.split(QLatin1Char('/'))) {
        if (isLibraryCode(code))
            return order;
    }
    qCInfo(lcSettings) << "display order names no library, read as the default:" << order;
    return QString::fromLatin1(Setting::OrderString.defaultText);
}

bool Settings::setOrderString(const QString& order) {
    return save(Setting::OrderString, order);
}

bool Settings::isKey(const SettingKey& key, const QString& section, const QString& valueName) {
    return section.compare(QLatin1String(key.section), Qt::CaseInsensitive) == 0 &&
           valueName.compare(QLatin1String(key.valueName), Qt::CaseInsensitive) == 0;
}

bool Settings::isLibraryCode(const QString& part) {
    return part == QLatin1String("1") || part == QLatin1String("2") || part == QLatin1String("3");
}
