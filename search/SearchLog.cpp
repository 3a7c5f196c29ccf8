#include "SearchLog.h"

Q_LOGGING_CATEGORY(lcSearch, "miravel.search", QtWarningMsg)
