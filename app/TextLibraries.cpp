#include "TextLibraries.h"

TextLibraries::TextLibraries(std::function<QStringList()> chosenFiles)
    : chosenFiles_(std::move(chosenFiles)) {}

ResReader TextLibraries::reader(const QString& fileName) const {
    ResReader reader;
    if (fileName.isEmpty())
        return reader;
    const QStringList chosen = chosenFiles_();
    if (chosen != opened_) {
        // Another language (or another file for one of its libraries): the
        // libraries of the former choice are let go once no reader holds them.
        libraries_.clear();
        opened_ = chosen;
    }
    if (!chosen.contains(fileName)) {
        reader.LoadLibrary(fileName);
        return reader;
    }
    auto found = libraries_.constFind(fileName);
    if (found == libraries_.cend())
        found = libraries_.insert(fileName, ResReader::openLibrary(fileName));
    reader.bind(fileName, *found);
    return reader;
}
