#pragma once

#include <QString>

#include <functional>

class QWidget;

// The help file help.chm in the program's folder, handed to the desktop
// shell to be shown by whatever help viewer the desktop has.
class HelpFile {
public:
    // Opens an address through the desktop shell; false when it could not.
    using Shell = std::function<bool(const QString& address)>;

    // Whether the program through which the shell opens files (xdg-open)
    // is installed.
    using OpenerInstalled = std::function<bool()>;

    static QString path();
    // Hands the file to the shell. Returns what the reader should be told
    // when that fails (the file is missing, the shell's opener is missing, or
    // nothing could show the file), or an empty text when it was handed over.
    static QString open(const Shell& shell, const OpenerInstalled& openerInstalled,
                        const QString& filePath = path());
    // Shows the problem `open` reported in a message box; nothing if empty.
    static void tellReader(QWidget* owner, const QString& problem);
};
