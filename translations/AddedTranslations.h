#pragma once

#include "RegistryStore.h"
#include "TranslationSource.h"

#include <QList>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

class LibraryBuilder;
class ResReader;
class Settings;

// The translations the reader added from verse files.  Each one is a text
// library in the user's data folder and a culture of its own, which shows it
// in place of the translation (library 2) or the transliteration (library 3)
// of the language chosen when it was added; the culture's other libraries
// are that language's.  Nothing here opens a window.
class AddedTranslations {
public:
    enum Slot : int { Translation = 2, Transliteration = 3 };

    struct Entry {
        int culture = 0;
        QString name;
        QString library; // as the culture names it ("added:<file>")
        Slot slot = Translation;
    };

    // What the reader gives a translation being added.
    struct Details {
        QString name;
        Slot slot = Translation;
        // The language of its text as a BCP 47 tag ("fr", "ur", "zh"), set
        // on its paragraphs; empty where it is not known.
        QString language;
    };
    using AskDetails = std::function<std::optional<Details>(const TranslationSource&)>;

    explicit AddedTranslations(Settings& settings);

    // The added translations, by culture number.
    QList<Entry> list() const;

    // Builds the library from `source`, stores it (written under a
    // temporary name, checked, and only then given its own), adds a culture
    // named as `details` say that shows it in their slot, chooses that
    // culture and puts the slot on display.  The name and the culture are
    // given in one locked step of the settings, which also removes
    // libraries that no culture names (left by a program that stopped).
    // The message on failure; then nothing is left behind and the settings
    // are as they were.
    std::optional<QString> add(const TranslationSource& source, const Details& details);

    // Reads the verse file `path` (checked against `verseCounts`, the verse
    // count of sura n at n - 1), asks for its name and place, and adds it.
    // The message on failure, with nothing changed; nothing when it was
    // added or the reader cancelled.
    std::optional<QString> addFile(const QString& path, const QList<int>& verseCounts,
                                   const AskDetails& ask);

    // Takes the culture `culture` away (the later ones move up a number) and
    // deletes its library.  While it was chosen, the first culture (the
    // program's own translation) is chosen instead.  The message on failure.
    std::optional<QString> remove(int culture);

    // The verse count of every sura as the Arabic text gives it (sura n at
    // n - 1), which a verse file must match.
    static QList<int> verseCounts(const ResReader& arabic);

    // The library made from `source`: its verses (with the lead elements a
    // translation carries), the program's interface captions with `name` as
    // the translation's caption, the comment lines as NOTICE.TXT and the
    // language tag (when known) as LANGUAGE.TXT.
    static void build(LibraryBuilder& builder, const TranslationSource& source, const QString& name,
                      Slot slot, const QString& language = QString());

private:
    int cultureCount() const;
    // Writes the library as a new "<name>.dll.part" file; its path.
    std::optional<QString> store(const QByteArray& library, QString* partialPath) const;
    // The file names of the added libraries that any culture names.
    QSet<QString> namedLibraries(const StoredKey& cultures, int count) const;
    static void removeUnnamedLibraries(const QSet<QString>& named);

    Settings& settings_;
};
