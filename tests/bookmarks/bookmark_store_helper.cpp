// Stands in for another copy of the program keeping bookmarks (and for a
// user without write access) in the bookmark tests.
//   bookmark_store_helper <user folder> <system folder> add <sura> <count> <go file>
//     waits for <go file>, then bookmarks the verses <sura>:1 to <sura>:<count>
//     one at a time; prints "failures=<n>".
//   bookmark_store_helper <user folder> <system folder> delete <sura> <count> <go file>
//     the same, deleting the bookmarks of those verses.
//   bookmark_store_helper <user folder> <system folder> export <file>
//     exports the bookmarks; prints "export=<0|1>".
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSettings>
#include <QThread>

#include <cstdio>

#include "BookMarkStore.h"
#include "Favourites.h"
#include "Settings.h"
#include "VerseMark.h"

namespace {

const QString App = QStringLiteral("Miravel");

void waitFor(const QString& goFile) {
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(goFile) && waited.elapsed() < 20000)
        QThread::msleep(1);
}

std::optional<QString> treeText(int sura) {
    return QStringLiteral("Sura %1").arg(sura);
}

bool add(BookMarkStore& store, const QString& mark) {
    return store.AddBookMark(mark) != 0;
}

// Deletes the bookmark of the mark as the dialog does: the one it lists,
// only while it is still that one.
bool remove(BookMarkStore& store, const QString& mark) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        bool found = false;
        for (const BookMarkStore::Entry& entry : store.entries()) {
            if (VerseMark::markOf(entry.name) != mark)
                continue;
            found = true;
            if (store.RemoveBookMark(entry.number, entry.name))
                return true;
        }
        if (!found)
            return false;
    }
    return false;
}

int run(const QString& action, int sura, int count, const QString& goFile) {
    Settings settings(App);
    BookMarkStore store(treeText, settings);
    waitFor(goFile);
    int failures = 0;
    for (int verse = 1; verse <= count; ++verse) {
        const QString mark = QStringLiteral("%1:%2").arg(sura).arg(verse);
        const bool done = action == QLatin1String("add") ? add(store, mark) : remove(store, mark);
        if (!done) {
            ++failures;
            std::fprintf(stderr, "%s %s failed\n", qPrintable(action), qPrintable(mark));
        }
    }
    std::printf("failures=%d\n", failures);
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5)
        return 2;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, args.at(1));
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, args.at(2));
    const QString action = args.at(3);
    if ((action == QLatin1String("add") || action == QLatin1String("delete")) && args.size() == 7)
        return run(action, args.at(4).toInt(), args.at(5).toInt(), args.at(6));
    if (action == QLatin1String("export")) {
        QString why;
        Settings settings(App);
        const bool exported = Favourites(settings).exportTo(args.at(4), &why);
        std::printf("export=%d %s\n", exported ? 1 : 0, qPrintable(why));
        return 0;
    }
    return 2;
}
