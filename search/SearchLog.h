#pragma once

#include <QLoggingCategory>

// Quiet fallbacks of the search (a result reference that names no verse, a
// verse outside the result table) are logged here at info level.
Q_DECLARE_LOGGING_CATEGORY(lcSearch)
