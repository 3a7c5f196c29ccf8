#pragma once

#include <QLoggingCategory>

// A division file that is missing or damaged is logged here, once, at info
// level; the program then goes on without the divisions.
Q_DECLARE_LOGGING_CATEGORY(lcDivisions)
