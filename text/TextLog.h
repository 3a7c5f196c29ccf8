#pragma once

#include <QLoggingCategory>

// Quiet fallbacks of the text libraries (a library that cannot be loaded, a
// missing resource) are logged here at info level.
Q_DECLARE_LOGGING_CATEGORY(lcText)
