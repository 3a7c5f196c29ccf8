#pragma once

#include <QLoggingCategory>

// Quiet fallbacks of the bookmarks (a damaged stored entry, a favourites file
// that is refused) are logged here at info level.
Q_DECLARE_LOGGING_CATEGORY(lcBookmarks)
