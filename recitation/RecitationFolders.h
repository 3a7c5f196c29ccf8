#pragma once

#include <QList>
#include <QString>

class Settings;

// A recitation folder as the reader named it.
struct NamedFolder {
    QString name;
    QString path;
    bool operator==(const NamedFolder&) const = default;
};

// The recitation folders kept in the settings, and the one chosen.
namespace RecitationFolders {

QList<NamedFolder> read(const Settings& settings);
// The chosen folder's place in the list, from 1; 0 when none is chosen or
// the stored choice names no folder.
int chosen(const Settings& settings);
// The chosen folder's path; empty when none is chosen.
QString chosenPath(const Settings& settings);
// Replaces the stored list (entries without a path are left out) and the
// choice.
void store(Settings& settings, const QList<NamedFolder>& folders, int chosen);

} // namespace RecitationFolders
