#include "WidgetsLog.h"

Q_LOGGING_CATEGORY(lcWidgets, "miravel.widgets", QtWarningMsg)
