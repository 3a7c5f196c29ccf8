#include "BrowserLog.h"

Q_LOGGING_CATEGORY(lcBrowser, "miravel.browser", QtWarningMsg)
