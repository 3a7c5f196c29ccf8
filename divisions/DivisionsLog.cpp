#include "DivisionsLog.h"

Q_LOGGING_CATEGORY(lcDivisions, "miravel.divisions", QtWarningMsg)
