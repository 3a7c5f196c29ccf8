#include "Settings.h"

#include "NumberText.h"
#include "RegSetting.h"
#include "SettingsLog.h"

Settings::Settings(QString application, QObject* parent)
    : QObject(parent), application_(std::move(application)) {}

QString Settings::text(const SettingKey& key, int number) const {
    return text(key, QString::fromLatin1(key.defaultText), number);
}

QString Settings::text(const SettingKey& key, const QString& defaultText, int number) const {
    return RegSetting::GetValue(application_, key.sectionFor(number),
                                QString::fromLatin1(key.valueName), defaultText);
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
    const bool saved = RegSetting::SaveValue(application_, section, name, text);
    if (!saved)
        qCInfo(lcSettings) << "could not store" << section << name;
    emit valueChanged(section, name);
    return saved;
}

void Settings::setOrderString(const QString& order) {
    values_.OrderString = order;
    save(Setting::OrderString, order);
}

bool Settings::isKey(const SettingKey& key, const QString& section, const QString& valueName) {
    return section.compare(QLatin1String(key.section), Qt::CaseInsensitive) == 0 &&
           valueName.compare(QLatin1String(key.valueName), Qt::CaseInsensitive) == 0;
}
