#pragma once

#include "ResourceLibrary.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

// Reads numbered texts, named HTML resources and string-table entries from
// one text library.  An unbound reader, or one whose library could not be
// loaded, reads the program's own library instead.  Readers are cheap to
// copy: copies share their library, which stays open while one holds it.
class ResReader {
public:
    ResReader();
    ~ResReader();
    ResReader(const ResReader&);
    ResReader& operator=(const ResReader&);

    QString strFileName() const;
    // Whether a library file of its own was loaded (else the program's own is read).
    bool isLoaded() const { return library_ != nullptr; }
    void EnumRes();
    void LoadLibrary(const QString& fileName);
    // Binds the reader to a library opened before (openLibrary); nothing
    // reads the program's own.
    void bind(const QString& fileName, std::shared_ptr<const ResourceLibrary> library);
    // The library file `fileName` in the program's folder, checked and read
    // whole; nothing when it is missing, damaged or no plain file name.
    static std::shared_ptr<const ResourceLibrary> openLibrary(const QString& fileName);
    QString LoadSTvar(qint32 id) const;
    // Numeric ids (numbers or digit strings) address CUSTOM resources, any
    // other id the HTML resource of that name.  The text is cut into lines
    // at CR LF or a lone CR and every line is followed by `lineMark`.
    std::optional<QString> LoadHtml(const QVariant& id, const QString& lineMark) const;

    // The directory that holds the program file, without a trailing separator.
    static QString programDirectory();

private:
    const ResourceLibrary& library() const;

    std::shared_ptr<const ResourceLibrary> library_;
    QString fileName_;
};

// Splits a text at "//" the way every reader of verse lists does (empty
// parts are kept).
QStringList splitVerses(const QString& text);
