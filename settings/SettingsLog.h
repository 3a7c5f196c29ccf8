#pragma once

#include <QLoggingCategory>

// Quiet fallbacks of the settings (a store that cannot be written, a damaged
// value read as its default) are logged here at info level.
Q_DECLARE_LOGGING_CATEGORY(lcSettings)
