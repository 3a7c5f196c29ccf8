#include "BookmarksLog.h"

Q_LOGGING_CATEGORY(lcBookmarks, "miravel.bookmarks", QtWarningMsg)
