#include "AppContext.h"

#include "LibraryLayout.h"
#include "ResReader.h"

#include <QDesktopServices>
#include <QStandardPaths>
#include <QUrl>

AppContext::AppContext(const QString& application) : settings_(application) {
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

void AppContext::readSuraNames() {
    ResReader names;
    names.LoadLibrary(libraryFile(1));
    suraNames_ =
        splitVerses(names.LoadHtml(LibraryLayout::kNameList, QString()).value_or(QString()));
}

bool AppContext::readGuiStrings() {
    ResReader reader;
    reader.LoadLibrary(libraryFile(2));
    strings_.load(reader);
    for (const int id : GuiStrings::numbers()) {
        if (strings_.text(id) != QLatin1String("*"))
            return true;
    }
    return false; // not even the program's own library gave a caption
}
