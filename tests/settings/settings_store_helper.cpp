// Stands in for another copy of the program writing to the settings store.
//   settings_store_helper <user folder> <system folder> race <tag> <count> <go file>
//     waits for <go file>, then writes <count> values to the shared key "Race"
//     and <count> to its own key "Race\<tag>"; exit code 1 if any write failed.
//   settings_store_helper <user folder> <system folder> probe
//     tries one write and one read of "Settings\Skin" and prints
//     "save=<0|1> get=<text>".
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSettings>
#include <QThread>

#include <cstdio>

#include "RegSetting.h"

namespace {

int race(const QString& tag, int count, const QString& goFile) {
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(goFile) && waited.elapsed() < 20000)
        QThread::msleep(1);
    int failures = 0;
    const QString own = QStringLiteral("Race\\") + tag;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("V%1").arg(i);
        const QString text = QStringLiteral("%1-%2").arg(tag).arg(i);
        for (const QString& section : {QStringLiteral("Race"), own}) {
            QElapsedTimer took;
            took.start();
            if (!RegSetting::SaveValue(QStringLiteral("Miravel"), section, name, text)) {
                ++failures;
                std::fprintf(stderr, "write %s\\%s failed after %lld ms\n", qPrintable(section),
                             qPrintable(name), qint64(took.elapsed()));
            }
        }
    }
    std::printf("failures=%d\n", failures);
    return failures == 0 ? 0 : 1;
}

int probe() {
    const bool saved = RegSetting::SaveValue(QStringLiteral("Miravel"), QStringLiteral("Settings"),
                                             QStringLiteral("Skin"), QStringLiteral("3"));
    const QString read = RegSetting::GetValue(QStringLiteral("Miravel"), QStringLiteral("Settings"),
                                              QStringLiteral("Skin"), QStringLiteral("default"));
    std::printf("save=%d get=%s\n", saved ? 1 : 0, qPrintable(read));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return 2;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, args.at(1));
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, args.at(2));
    if (args.at(3) == QLatin1String("race") && args.size() == 7)
        return race(args.at(4), args.at(5).toInt(), args.at(6));
    if (args.at(3) == QLatin1String("probe"))
        return probe();
    return 2;
}
