#pragma once

#include "ResourceLibrary.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

// Reads numbered texts, named HTML resources and string-table entries from
// one text library.  An unbound reader, or one whose library could not be
// loaded, reads the program's own library instead.  Readers are cheap and
// made per operation; nothing is cached.
class ResReader {
public:
    ResReader();
    ~ResReader();

    QString strFileName() const;
    // Whether a library file of its own was loaded (else the program's own is read).
    bool isLoaded() const { return library_ != nullptr; }
    void EnumRes();
    void LoadLibrary(const QString& fileName);
    QString LoadSTvar(qint32 id) const;
    // Numeric ids (numbers or digit strings) address CUSTOM resources, any
    // other id the HTML resource of that name.  The text is cut into lines
    // at CR LF or a lone CR and every line is followed by `lineMark`.
    std::optional<QString> LoadHtml(const QVariant& id, const QString& lineMark) const;

    // The directory that holds the program file, without a trailing separator.
    static QString programDirectory();

private:
    const ResourceLibrary& library() const;

    std::unique_ptr<ResourceLibrary> library_;
    QString fileName_;
};

// Splits a text at "//" the way every reader of verse lists does (empty
// parts are kept).
QStringList splitVerses(const QString& text);
