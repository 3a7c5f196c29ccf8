#pragma once

#include <QLoggingCategory>

// Quiet fallbacks of the reading view (a verse label not found, a link not
// followed) are logged here at info level.
Q_DECLARE_LOGGING_CATEGORY(lcApp)
