#include "InfoLog.h"

Q_LOGGING_CATEGORY(lcInfo, "miravel.info", QtWarningMsg)
