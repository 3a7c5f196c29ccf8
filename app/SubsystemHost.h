#pragma once

class AppContext;
class QuranReader;
class QWidget;

// What a subsystem (search, bookmarks, the settings dialog) is handed when
// the main window installs it: the run's context (settings, captions,
// command table), the reader that shows pages and verses, and the main
// window as the owner of the windows it opens.
struct SubsystemHost {
    AppContext& context;
    QuranReader& reader;
    QWidget* mainWindow;
};
