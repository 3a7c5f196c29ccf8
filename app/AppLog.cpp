#include "AppLog.h"

Q_LOGGING_CATEGORY(lcApp, "miravel.app", QtWarningMsg)
