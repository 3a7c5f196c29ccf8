#include "RecitationFolders.h"

#include "Settings.h"

namespace RecitationFolders {

namespace {
constexpr int kMaxFolders = 999;
}

QList<NamedFolder> read(const Settings& settings) {
    QList<NamedFolder> folders;
    for (int n = 1; n <= kMaxFolders; ++n) {
        const QString path = settings.text(Setting::RecitationFolderPath, n);
        if (path.isEmpty())
            break;
        folders.append({settings.text(Setting::RecitationFolderName, n), path});
    }
    return folders;
}

int chosen(const Settings& settings) {
    const int number = settings.strictNumber(Setting::RecitationChosen).value_or(0);
    return number >= 1 && number <= read(settings).size() ? number : 0;
}

QString chosenPath(const Settings& settings) {
    const int number = chosen(settings);
    return number > 0 ? settings.text(Setting::RecitationFolderPath, number) : QString();
}

void store(Settings& settings, const QList<NamedFolder>& folders, int chosenNumber) {
    const int before = int(read(settings).size());
    int n = 0;
    int chosenStored = 0;
    for (int i = 0; i < folders.size(); ++i) {
        if (folders.at(i).path.isEmpty())
            continue;
        ++n;
        settings.save(Setting::RecitationFolderName, folders.at(i).name, n);
        settings.save(Setting::RecitationFolderPath, folders.at(i).path, n);
        if (i + 1 == chosenNumber)
            chosenStored = n;
    }
    // The list ends at the first number without a path.
    for (int rest = n + 1; rest <= before; ++rest) {
        settings.save(Setting::RecitationFolderName, QString(), rest);
        settings.save(Setting::RecitationFolderPath, QString(), rest);
    }
    settings.save(Setting::RecitationChosen, QString::number(chosenStored));
}

} // namespace RecitationFolders
