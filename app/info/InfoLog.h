#pragma once

#include <QLoggingCategory>

// Quiet fallbacks of the information window (an argument that names no
// chapter) are logged here at info level.
Q_DECLARE_LOGGING_CATEGORY(lcInfo)
