#include "TextLog.h"

Q_LOGGING_CATEGORY(lcText, "miravel.text")
