#pragma once

#include <QLoggingCategory>

// The widgets' quiet fallbacks (a damaged value in a property bag read as its
// default) log one info line here; turn them on with
// QT_LOGGING_RULES="miravel.widgets.info=true".
Q_DECLARE_LOGGING_CATEGORY(lcWidgets)
