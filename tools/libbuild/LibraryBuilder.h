#pragma once

#include "LibraryFormat.h"

#include <QMap>
#include <QString>

// Collects the resources of one text library and writes them as a folder in
// the library layout (CUSTOM/, HTML/, STRINGTABLE/) with a .qrc that lists
// them; `rcc --binary` turns that into the library file.  Every library
// carries a MANIFEST with the size and checksum of each of its files, and
// its files are stored uncompressed so that a reader can check them before
// it uses them.
class LibraryBuilder {
public:
    // Verse texts become CUSTOM/101..214; `lead` elements go before verse 1.
    void addVerses(const LibraryFormat::VerseMap& verses, const QMap<int, QStringList>& lead = {});
    // The basmala of each sura (one text per sura) becomes CUSTOM/331, one
    // element per sura; a sura without one gets an empty element.
    void addBasmala(const QMap<int, QStringList>& basmala);
    void addStrings(const QMap<int, QString>& strings);
    void addCustom(int id, const QByteArray& bytes);
    void addHtml(const QString& name, const QByteArray& bytes);

    // Files named "<id>" or "<id>.<ext>" -> CUSTOM/<id>; other names are skipped.
    bool addCustomFolder(const QString& folder, QString* error);
    // Every file not named by a number -> HTML/<file name>.
    bool addHtmlFolder(const QString& folder, QString* error);

    // Lets rcc compress the files: only for the library compiled into the
    // program, which is not checked when it is read.
    void setCompressed(bool compressed) { compressed_ = compressed; }

    // Writes the folder and `library.qrc` inside it; clears what was there.
    bool write(const QString& folder, QString* error) const;

    // The library file itself, as `rcc --binary` makes it from the folder
    // (every file stored uncompressed, the manifest included), for a front
    // end that has no rcc at hand: the program adding a translation.
    QByteArray pack() const;

private:
    // The files with the manifest that lists them.
    QMap<QString, QByteArray> filesWithManifest() const;

    QMap<QString, QByteArray> files_; // path inside the library -> bytes
    bool compressed_ = false;
};
