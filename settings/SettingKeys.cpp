#include "SettingKeys.h"

#include <array>
#include <cstring>

QString SettingKey::sectionFor(int number) const {
    const QString pattern = QString::fromLatin1(section);
    return pattern.contains(QLatin1String("%1")) ? pattern.arg(number) : pattern;
}

QLatin1String SettingKey::topSection() const {
    const char* end = std::strchr(section, '\\');
    return end ? QLatin1String(section, end) : QLatin1String(section);
}

namespace Setting {

bool isUserOnly(const QStringList& keyPath) {
    if (keyPath.isEmpty())
        return false;
    static const std::array userOnlyKeys{BookMarkList, BookMarkName};
    for (const SettingKey& key : userOnlyKeys) {
        if (key.scope == SettingScope::UserOnly &&
            keyPath.first().compare(key.topSection(), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace Setting
