#pragma once

#include <QLoggingCategory>

// Info lines about text libraries that are refused or partly unreadable.
Q_DECLARE_LOGGING_CATEGORY(lcText)
