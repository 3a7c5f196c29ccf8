#pragma once

#include <QLoggingCategory>

// Recitation files that could not be played (missing, undecodable) and
// stored recitation settings that were out of range are logged here at info
// level.
Q_DECLARE_LOGGING_CATEGORY(lcRecitation)
