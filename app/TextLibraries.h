#pragma once

#include "ResReader.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class ResourceLibrary;

// The text library files of the chosen language, each opened (read whole and
// checked against its manifest) once and shared by every reader handed out.
// When the language choice names other files, the files no longer named are
// let go and the new ones opened as they are first asked for.
class TextLibraries {
public:
    // `chosenFiles` gives the files of libraries 1, 2 and 3 in effect now.
    explicit TextLibraries(std::function<QStringList()> chosenFiles);

    // A reader of `fileName`; a name that is not one of the chosen files
    // is opened for this reader alone.
    ResReader reader(const QString& fileName) const;

private:
    std::function<QStringList()> chosenFiles_;
    mutable QStringList opened_; // the chosen files when the cache was filled
    mutable QHash<QString, std::shared_ptr<const ResourceLibrary>> libraries_;
};
