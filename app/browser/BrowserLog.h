#pragma once

#include <QLoggingCategory>

// The browser layer's quiet fallbacks (a refused navigation, a script whose
// answer never came, printing as pictures) log one info line here; turn them
// on with QT_LOGGING_RULES="miravel.browser.info=true".
Q_DECLARE_LOGGING_CATEGORY(lcBrowser)
