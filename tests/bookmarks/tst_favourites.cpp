#include "Favourites.h"
#include "FavouritesFile.h"
#include "RegSetting.h"
#include "Settings.h"
#include "StoreFolders.h"

#include <QtTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString App = QStringLiteral("Miravel");

QByteArray validFile(const QByteArray& list, const QByteArray& keys) {
    return "Miravel favourites 1\n[BookMarks]\nBookMarks=" + list + "\n" + keys;
}

std::optional<StoredKey> storedBookmarks() {
    return RegSetting::ExportKey(App, "BookMarks");
}

} // namespace

// Favourites files between a fresh settings store and files of the test's own.
class tst_Favourites : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void roundTrip();
    void importReplacesEverything();
    void importOfAnEmptySet();
    void damagedStoreExportsWhatCanBeRead();
    void failedExportKeepsTheOldFile();
    void hostileFileChangesNothing_data();
    void hostileFileChangesNothing();
    void quotedListIsTheSameList();
    void importOnlyFromARegularFile_data();
    void importOnlyFromARegularFile();
    void exportOnlyToARegularFile_data();
    void exportOnlyToARegularFile();
    void exportFromAReadOnlyStore();
    void replacedBookmarksAreKept();

private:
    QString path(const QString& name) const { return folders_->root() + '/' + name; }
    void storeBookmarks(const StoredKey& key) {
        QVERIFY(RegSetting::ReplaceKey(App, "BookMarks", key));
    }
    void writeFile(const QString& name, const QByteArray& content) const;

    std::unique_ptr<StoreFolders> folders_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<Favourites> favourites_;
};

void tst_Favourites::init() {
    folders_ = std::make_unique<StoreFolders>();
    settings_ = std::make_unique<Settings>(App);
    favourites_ = std::make_unique<Favourites>(*settings_);
}

void tst_Favourites::cleanup() {
    favourites_.reset();
    settings_.reset();
    folders_.reset();
}

void tst_Favourites::writeFile(const QString& name, const QByteArray& content) const {
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

void tst_Favourites::roundTrip() {
    // Names as odd as a hand-edited store may hold them.
    const StoredKey original{{"", {{"BookMarks", "12;3;9999999"}}},
                             {"12", {{"Name", "2:255  002- Al-Baqara; [x] a=b"}}},
                             {"3", {{"Name", QString::fromUtf8("1:7  001- الفاتحة \\ C:\\x")}}},
                             {"9999999", {{"Name", "114:6  two\nlines\r"}}}};
    storeBookmarks(original);
    QVERIFY(favourites_->exportTo(path("set.fav")));

    storeBookmarks({{"", {{"BookMarks", "1"}}}, {"1", {{"Name", "5:5  other"}}}});
    QVERIFY(favourites_->importFrom(path("set.fav")));
    QCOMPARE(storedBookmarks(), std::optional<StoredKey>(original));
    // The file is text a person can read.
    const QByteArray text = StoreFolders::contentOf(path("set.fav"));
    QVERIFY(text.startsWith("Miravel favourites 1\n[BookMarks]\nBookMarks=12;3;9999999\n"));
    QVERIFY(text.contains("[BookMarks\\12]\nName=2:255  002- Al-Baqara; [x] a=b\n"));
}

void tst_Favourites::importReplacesEverything() {
    storeBookmarks({{"", {{"BookMarks", "1;2;3"}}},
                    {"1", {{"Name", "1:1  a"}}},
                    {"2", {{"Name", "1:2  b"}, {"Extra", "x"}}},
                    {"3", {{"Name", "1:3  c"}}},
                    {"4", {{"Name", "1:4  orphan"}}}});
    writeFile("one.fav", validFile("5", "[BookMarks\\5]\nName=2:255  e\n"));
    QSignalSpy changed(settings_.get(), &Settings::valueChanged);
    QVERIFY(favourites_->importFrom(path("one.fav")));
    const StoredKey expected{{"", {{"BookMarks", "5"}}}, {"5", {{"Name", "2:255  e"}}}};
    QCOMPARE(storedBookmarks(), std::optional<StoredKey>(expected));

    // Every value that came or went is announced, once; the same import
    // again changes nothing and announces nothing.
    QStringList announced;
    for (const QList<QVariant>& signal : std::as_const(changed))
        announced << signal.at(0).toString() + "/" + signal.at(1).toString();
    announced.sort();
    QCOMPARE(announced, QStringList({"BookMarks/BookMarks", "BookMarks\\1/Name",
                                     "BookMarks\\2/Extra", "BookMarks\\2/Name", "BookMarks\\3/Name",
                                     "BookMarks\\4/Name", "BookMarks\\5/Name"}));
    changed.clear();
    QVERIFY(favourites_->importFrom(path("one.fav")));
    QCOMPARE(changed.count(), 0);
}

void tst_Favourites::importOfAnEmptySet() {
    storeBookmarks({{"", {{"BookMarks", "1"}}}, {"1", {{"Name", "1:1  a"}}}});
    writeFile("none.fav", validFile("", ""));
    QVERIFY(favourites_->importFrom(path("none.fav")));
    const StoredKey expected{{"", {{"BookMarks", ""}}}};
    QCOMPARE(storedBookmarks(), std::optional<StoredKey>(expected));
}

void tst_Favourites::damagedStoreExportsWhatCanBeRead() {
    // Listed twice, listed without a name, a name without a listing: the
    // export holds the sound bookmarks, so it can always be imported again.
    storeBookmarks({{"", {{"BookMarks", "2;;x;2;7;1"}}},
                    {"1", {{"Name", "1:1  a"}}},
                    {"2", {{"Name", "1:2  b"}}},
                    {"4", {{"Name", "1:4  orphan"}}}});
    QVERIFY(favourites_->exportTo(path("damaged.fav")));
    QVERIFY(favourites_->importFrom(path("damaged.fav")));
    const StoredKey expected{
        {"", {{"BookMarks", "2;1"}}}, {"1", {{"Name", "1:1  a"}}}, {"2", {{"Name", "1:2  b"}}}};
    QCOMPARE(storedBookmarks(), std::optional<StoredKey>(expected));
}

void tst_Favourites::failedExportKeepsTheOldFile() {
    writeFile("old.fav", validFile("1", "[BookMarks\\1]\nName=1:1  kept\n"));
    const QByteArray before = StoreFolders::contentOf(path("old.fav"));
    // A store that cannot be opened: a folder stands where its file goes.
    QVERIFY(QDir().mkpath(folders_->userFile()));

    QVERIFY(!favourites_->exportTo(path("old.fav")));
    QCOMPARE(StoreFolders::contentOf(path("old.fav")), before);
    // Nor is anything left beside it.
    QCOMPARE(QDir(folders_->root()).entryList({"old.fav*"}, QDir::Files), QStringList{"old.fav"});
}

void tst_Favourites::hostileFileChangesNothing_data() {
    QTest::addColumn<QByteArray>("content");
    const QByteArray name = "[BookMarks\\1]\nName=1:1  a\n";
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("junk bytes") << QByteArray("\x00\xff\xfe\x01junk\n\xc3(", 11);
    QTest::newRow("no header") << QByteArray("[BookMarks]\nBookMarks=1\n" + name);
    QTest::newRow("key outside the bookmarks")
        << validFile("1", name + "[Settings]\nOrderString=3\n");
    QTest::newRow("key below a bookmark") << validFile("1", name + "[BookMarks\\1\\x]\nName=y\n");
    QTest::newRow("unknown value") << validFile("1", name + "Skin=3\n");
    QTest::newRow("eight digits") << validFile("12345678", "[BookMarks\\12345678]\nName=1:1  a\n");
    QTest::newRow("leading zero") << validFile("01", "[BookMarks\\01]\nName=1:1  a\n");
    QTest::newRow("negative") << validFile("-1", "[BookMarks\\-1]\nName=1:1  a\n");
    QTest::newRow("list names a missing subkey") << validFile("1;2", name);
    QTest::newRow("subkey missing from the list")
        << validFile("1", name + "[BookMarks\\2]\nName=1:2  b\n");
    QTest::newRow("listed twice") << validFile("1;1", name);
    QTest::newRow("no list") << QByteArray("Miravel favourites 1\n" + name);
    QTest::newRow("empty name") << validFile("1", "[BookMarks\\1]\nName=\n");
    QTest::newRow("name given twice") << validFile("1", name + "Name=1:2  b\n");
    QTest::newRow("broken escape") << validFile("1", "[BookMarks\\1]\nName=1:1 \\q\n");
    QTest::newRow("10 MB name") << validFile("1", "[BookMarks\\1]\nName=1:1  " +
                                                      QByteArray(10 * 1024 * 1024, 'x') + "\n");
    QTest::newRow("a verse bookmarked twice")
        << validFile("1;2", name + "[BookMarks\\2]\nName=1:1  again\n");
    QTest::newRow("1001 characters")
        << validFile("1", "[BookMarks\\1]\nName=" + QByteArray(1001, 'x') + "\n");
}

void tst_Favourites::hostileFileChangesNothing() {
    QFETCH(QByteArray, content);
    storeBookmarks({{"", {{"BookMarks", "2"}}}, {"2", {{"Name", "2:255  mine"}}}});
    QVERIFY(RegSetting::SaveValue(App, "Settings", "OrderString", "1/2"));
    const QByteArray before = StoreFolders::contentOf(folders_->userFile());
    writeFile("hostile.fav", content);

    QVERIFY(!favourites_->importFrom(path("hostile.fav")));
    QCOMPARE(StoreFolders::contentOf(folders_->userFile()), before);
}

void tst_Favourites::quotedListIsTheSameList() {
    // The list as the settings file must hold it, quoted.
    writeFile("quoted.fav", validFile("\"2;1\"", "[BookMarks\\1]\nName=1:1  a\n"
                                                 "[BookMarks\\2]\nName=1:2  b\n"));
    const std::optional<BookmarkSet> set = Favourites::readFile(path("quoted.fav"));
    QVERIFY(set);
    QCOMPARE(set->order, QList<int>({2, 1}));
}

void tst_Favourites::importOnlyFromARegularFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("named pipe") << "fifo";
    QTest::newRow("device") << "device";
    QTest::newRow("folder") << "folder";
    QTest::newRow("missing") << "missing";
}

void tst_Favourites::importOnlyFromARegularFile() {
    QFETCH(QString, kind);
    storeBookmarks({{"", {{"BookMarks", "2"}}}, {"2", {{"Name", "2:255  mine"}}}});
    const QByteArray before = StoreFolders::contentOf(folders_->userFile());
    QString file = path("x.fav");
    if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    else if (kind == "device")
        file = "/dev/zero";
    else if (kind == "folder")
        QVERIFY(QDir().mkpath(file));

    // A pipe with no writer would hold the reading for ever.
    QString why;
    QVERIFY(!favourites_->importFrom(file, &why));
    QVERIFY(why.contains(file));
    QCOMPARE(StoreFolders::contentOf(folders_->userFile()), before);
}

void tst_Favourites::exportOnlyToARegularFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("named pipe") << "fifo";
    QTest::newRow("folder") << "folder";
}

void tst_Favourites::exportOnlyToARegularFile() {
    QFETCH(QString, kind);
    storeBookmarks({{"", {{"BookMarks", "2"}}}, {"2", {{"Name", "2:255  mine"}}}});
    const QString file = path("x.fav");
    if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    else
        QVERIFY(QDir().mkpath(file));

    QString why;
    QVERIFY(!favourites_->exportTo(file, &why));
    QVERIFY(why.contains("not a regular file"));
    // Still what it was, not a plain file saved in its place.
    const QFileInfo after(file);
    QVERIFY(kind == "fifo" ? !after.isFile() && after.exists() : after.isDir());
}

void tst_Favourites::exportFromAReadOnlyStore() {
    storeBookmarks({{"", {{"BookMarks", "2"}}}, {"2", {{"Name", "2:255  mine"}}}});
    const QFile::Permissions readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions openFolder =
        readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    QVERIFY(QFile::setPermissions(folders_->userFile(), readable));
    // The export goes to a folder anyone may write to.
    const QString out = path("out");
    QVERIFY(QDir().mkpath(out));
    QVERIFY(QFile::setPermissions(out, openFolder | QFile::WriteOwner | QFile::WriteGroup |
                                           QFile::WriteOther));
    for (const QString& folder :
         {folders_->root(), folders_->userFolder(), folders_->userFolder() + "/Talvesk"})
        QVERIFY(QFile::setPermissions(folder, openFolder | QFile::WriteOwner));

    // Permissions do not hold back root, so the export then runs as "nobody".
    const QString helper =
        QCoreApplication::applicationDirPath() + QStringLiteral("/bookmark_store_helper");
    QStringList args{folders_->userFolder(), folders_->systemFolder(), "export", out + "/set.fav"};
    QProcess exporter;
    if (::geteuid() == 0) {
        args.prepend(helper);
        exporter.start("setpriv",
                       QStringList{"--reuid=65534", "--regid=65534", "--clear-groups"} + args);
    } else {
        exporter.start(helper, args);
    }
    QVERIFY(exporter.waitForFinished(30000));
    QCOMPARE(exporter.readAllStandardOutput().trimmed(), QByteArray("export=1"));
    QCOMPARE(StoreFolders::contentOf(out + "/set.fav"),
             QByteArray("Miravel favourites 1\n[BookMarks]\nBookMarks=2\n\n[BookMarks\\2]\n"
                        "Name=2:255  mine\n"));
}

void tst_Favourites::replacedBookmarksAreKept() {
    const StoredKey original{
        {"", {{"BookMarks", "2;1"}}}, {"1", {{"Name", "1:1  a"}}}, {"2", {{"Name", "2:255  b"}}}};
    storeBookmarks(original);
    const BookmarkSet imported{{7}, {{7, "3:3  new"}}};
    QString why;
    const std::optional<Favourites::Replaced> replaced = favourites_->replaceWith(imported, &why);
    QVERIFY2(replaced, qPrintable(why));
    QCOMPARE(replaced->count, 2);
    QCOMPARE(QFileInfo(replaced->keptIn).absolutePath(),
             QFileInfo(folders_->userFile()).absolutePath());
    QVERIFY(replaced->keptIn.endsWith(".fav"));

    // The kept file brings them back, and holds what the new set replaced.
    QVERIFY(favourites_->importFrom(replaced->keptIn));
    QCOMPARE(storedBookmarks(), std::optional<StoredKey>(original));

    // Nothing stored, nothing kept.
    storeBookmarks({{"", {{"BookMarks", ""}}}});
    const std::optional<Favourites::Replaced> none = favourites_->replaceWith(imported);
    QVERIFY(none);
    QCOMPARE(none->count, 0);
    QVERIFY(none->keptIn.isEmpty());
}

QTEST_GUILESS_MAIN(tst_Favourites)
#include "tst_favourites.moc"
