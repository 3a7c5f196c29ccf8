#include "AppContext.h"

#include "AppLog.h"
#include "ResReader.h"

#include <QDesktopServices>
#include <QStandardPaths>
#include <QUrl>

AppContext::AppContext(const QString& application)
    : settings_(application), libraries_([this] {
          const AppSettings& values = settings_.values();
          return QStringList{values.ArabicLibraryFile, values.TranslationLibraryFile,
                             values.TransliterationLibraryFile};
      }),
      catalogue_([this] { return library(1); }) {
    captions_.translationCaption = [this] { return strings_.text(224); };
    captions_.setSharedCaption = [this](int code, const QString& caption) {
        strings_.setText(code == 1 ? 223 : 225, caption);
    };
    openExternal = [](const QString& address) {
        return QDesktopServices::openUrl(QUrl::fromUserInput(address));
    };
    // Qt on a Unix desktop hands files and addresses to xdg-open.
    shellOpenerInstalled = [] {
        return !QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty();
    };
}

QString AppContext::libraryFile(int code) const {
    const AppSettings& values = settings_.values();
    switch (code) {
    case 1:
        return values.ArabicLibraryFile;
    case 2:
        return values.TranslationLibraryFile;
    case 3:
        return values.TransliterationLibraryFile;
    default:
        return {};
    }
}

bool AppContext::isTranslationLibrary(const QString& file) const {
    return !file.isEmpty() && file == settings_.values().TranslationLibraryFile;
}

void AppContext::readCatalogue() {
    catalogue_.read(library(2));
}

bool AppContext::readGuiStrings() {
    const auto hasCaptions = [this] {
        for (const int id : GuiStrings::numbers()) {
            if (strings_.text(id) != QLatin1String("*"))
                return true;
        }
        return false;
    };
    strings_.load(library(2));
    if (hasCaptions())
        return true;
    // A sound library without captions (another language's transliteration
    // copied in its place): the program's own captions, as for a missing one.
    qCInfo(lcApp) << "no interface captions in" << libraryFile(2) << "- using the program's own";
    strings_.load(ResReader());
    return hasCaptions(); // false: not even the program's own library gave one
}
