#pragma once

#include "CommandTable.h"
#include "GuiStrings.h"
#include "LibraryCaptions.h"
#include "Settings.h"
#include "SuraCatalogue.h"
#include "TextLibraries.h"

#include <QString>
#include <QStringList>

#include <functional>

// What the windows share for one run, built once at start-up and handed to
// each window by constructor: the settings, the interface captions, the
// text libraries of the chosen language (opened once per language choice),
// the sura catalogue, the command table and the way out to the desktop
// shell.  Tests build their own.
class AppContext {
public:
    explicit AppContext(const QString& application = QStringLiteral("Miravel"));
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    Settings& settings() { return settings_; }
    const Settings& settings() const { return settings_; }
    GuiStrings& strings() { return strings_; }
    const GuiStrings& strings() const { return strings_; }
    // The captions of the three libraries, wired to the GUI strings.
    const LibraryCaptions& captions() const { return captions_; }
    CommandTable& commands() { return commands_; }
    const CommandTable& commands() const { return commands_; }

    // The file of text library 1, 2 or 3 of the chosen language; empty for
    // any other code.
    QString libraryFile(int code) const;
    // Whether `file` is the translation library (which carries extra lead
    // elements in a few suras).
    bool isTranslationLibrary(const QString& file) const;
    // A reader of text library 1, 2 or 3 of the chosen language, or of the
    // library file `file`; the chosen libraries are opened once and shared.
    ResReader library(int code) const { return libraries_.reader(libraryFile(code)); }
    ResReader library(const QString& file) const { return libraries_.reader(file); }

    const SuraCatalogue& catalogue() const { return catalogue_; }
    // Fills the catalogue from the libraries of the chosen language.
    void readCatalogue();

    // The GUI strings from the translation library; false when the library
    // gave none at all.
    bool readGuiStrings();

    // Hands an address (a web address, a file) to the desktop shell; true
    // when the shell took it.  Tests replace it to see the address instead.
    std::function<bool(const QString& address)> openExternal;
    // Whether the program through which the desktop shell opens files is
    // installed (xdg-open), so that a failure can be told apart.
    std::function<bool()> shellOpenerInstalled;

private:
    Settings settings_;
    GuiStrings strings_;
    LibraryCaptions captions_;
    CommandTable commands_;
    TextLibraries libraries_;
    SuraCatalogue catalogue_;
};
