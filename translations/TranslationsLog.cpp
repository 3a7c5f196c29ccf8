#include "TranslationsLog.h"

Q_LOGGING_CATEGORY(lcTranslations, "miravel.translations", QtWarningMsg)
