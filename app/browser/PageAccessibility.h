#pragma once

// On Linux the web engine keeps a page's content away from screen readers
// unless QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY is set when the engine
// starts: without it a sura page is an empty document to them.  Sets it to
// "1" unless the user has set it (to anything); runs before the engine
// starts, so before the QApplication exists.
void allowPageAccessibility();
