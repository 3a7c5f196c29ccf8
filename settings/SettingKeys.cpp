#include "SettingKeys.h"

QString SettingKey::sectionFor(int number) const {
    const QString pattern = QString::fromLatin1(section);
    return pattern.contains(QLatin1String("%1")) ? pattern.arg(number) : pattern;
}
