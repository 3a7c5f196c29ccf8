#include "RecitationLog.h"

Q_LOGGING_CATEGORY(lcRecitation, "miravel.recitation", QtWarningMsg)
