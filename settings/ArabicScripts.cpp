#include "ArabicScripts.h"

#include "AppSettings.h"
#include "Settings.h"
#include "SettingsLog.h"

#include <QFileInfo>

namespace ArabicScripts {

QString normalised(const QString& stored) {
    return isUthmani(stored) ? kUthmani : kSimple;
}

bool isUthmani(const QString& stored) {
    return stored.trimmed().compare(kUthmani, Qt::CaseInsensitive) == 0;
}

QString libraryFor(const QString& arabicLibrary, const QString& script) {
    if (isUthmani(script) &&
        arabicLibrary.compare(DefaultArabicLibraryFile(), Qt::CaseInsensitive) == 0)
        return kUthmaniLibrary;
    return arabicLibrary;
}

void settleForNewReader(Settings& settings) {
    if (QFileInfo::exists(settings.userFileName()))
        return;
    if (!settings.save(Setting::ArabicScript, kUthmani))
        qCInfo(lcSettings) << "the first start's script could not be stored; Simple is shown";
}

} // namespace ArabicScripts
