#include "SettingsLog.h"

Q_LOGGING_CATEGORY(lcSettings, "miravel.settings", QtWarningMsg)
