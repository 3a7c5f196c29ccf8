#include "BookMarks.h"
#include "CommandBars.h"
#include "RegSetting.h"
#include "Settings.h"
#include "StoreFolders.h"
#include "VerseMark.h"

#include <QAction>
#include <QMainWindow>
#include <QProcess>
#include <QtTest>

#include <memory>

namespace {

const QString App = QStringLiteral("Miravel");

std::optional<QString> treeText(int sura) {
    if (sura < 1 || sura > 114)
        return std::nullopt;
    return QStringLiteral("%1- Sura %2").arg(sura, 3, 10, QLatin1Char('0')).arg(sura);
}

// A bookmark key built up one bookmark at a time.
struct BookmarkSetWriter {
    StoredKey key{{"", {{"BookMarks", ""}}}};
    void add(int number, const QString& name) {
        QString& list = key[""]["BookMarks"];
        list += (list.isEmpty() ? "" : ";") + QString::number(number);
        key[QString::number(number)] = {{"Name", name}};
    }
};

QString storedList() {
    return RegSetting::GetValue(App, "BookMarks", "BookMarks", "ABSENT");
}

} // namespace

// The bookmark store over a fresh settings store, and the Bookmarks popup of
// a menu bar built the way the main window builds it.
class tst_BookmarkStore : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstBookmarkOnAnEmptyStore();
    void removal_data();
    void removal();
    void freedNumberIsUsedAgain();
    void duplicateMarks();
    void menuIdentifiers_data();
    void menuIdentifiers();
    void marksFromCaptions_data();
    void marksFromCaptions();
    void menuFollowsTheStore();
    void menuRebuildKeepsTheFixedItems();
    void menuShowsNamesAsWritten();
    void longListEndsInMoreEntry();
    void menuFollowsAnotherCopy();
    void storeRefusesASecondBookmarkOfAVerse();
    void changesAreAnnounced();
    void failedSaveAnnouncesNothing();
    void twoCopiesAtOnce_data();
    void twoCopiesAtOnce();

private:
    QStringList popupEntries() const;
    QString helper() const {
        return QCoreApplication::applicationDirPath() + QStringLiteral("/bookmark_store_helper");
    }

    std::unique_ptr<StoreFolders> folders_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<BookMarks> bookmarks_;
    std::unique_ptr<QMainWindow> window_;
    CommandBars* bars_ = nullptr;
};

void tst_BookmarkStore::init() {
    folders_ = std::make_unique<StoreFolders>();
    settings_ = std::make_unique<Settings>(App);
    bookmarks_ = std::make_unique<BookMarks>(treeText, *settings_);
    window_ = std::make_unique<QMainWindow>();
    bars_ = new CommandBars(window_.get());
    bars_->Prepare(true);
    bars_->Prepare();
    CommandBarControls* menus = bars_->ActiveMenuBar()->Controls();
    menus->Add(ControlKind::Popup, 201, "&File");
    CommandBarControl* popup = menus->Add(ControlKind::Popup, 209, "Bookmarks");
    popup->CommandBar()->Controls()->Add(ControlKind::Button, 210, "Add");
    popup->CommandBar()->Controls()->Add(ControlKind::Button, 211, "Delete");
    bookmarks_->menu().attach(bars_);
}

void tst_BookmarkStore::cleanup() {
    window_.reset();
    bookmarks_.reset();
    settings_.reset();
    folders_.reset();
}

QStringList tst_BookmarkStore::popupEntries() const {
    QStringList out;
    CommandBar* popup = bookmarks_->menu().popup();
    for (int i = 1; i <= popup->Controls()->Count(); ++i) {
        const CommandBarControl* control = popup->Controls()->Item(i);
        out << QStringLiteral("%1 %2").arg(control->Id()).arg(control->Caption());
    }
    return out;
}

void tst_BookmarkStore::firstBookmarkOnAnEmptyStore() {
    BookMarkStore& store = bookmarks_->store();
    QCOMPARE(store.NextBookMark(), 1);
    QCOMPARE(bookmarks_->AddBookMark("2:255"), 1);
    QCOMPARE(storedList(), QString("1"));
    QCOMPARE(RegSetting::GetValue(App, "BookMarks\\1", "Name", ""), QString("2:255  002- Sura 2"));
}

void tst_BookmarkStore::removal_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("removed");
    QTest::addColumn<QString>("list");
    QTest::newRow("middle") << 3 << 2 << "1;3";
    QTest::newRow("first") << 3 << 1 << "2;3";
    QTest::newRow("last") << 3 << 3 << "1;2";
    QTest::newRow("the only one") << 1 << 1 << "";
}

void tst_BookmarkStore::removal() {
    QFETCH(int, count);
    QFETCH(int, removed);
    QFETCH(QString, list);
    for (int verse = 1; verse <= count; ++verse)
        QCOMPARE(bookmarks_->AddBookMark(QStringLiteral("1:%1").arg(verse)), verse);

    bookmarks_->RemoveBookMark(removed);
    QCOMPARE(storedList(), list);
    QCOMPARE(
        RegSetting::GetValue(App, QStringLiteral("BookMarks\\%1").arg(removed), "Name", "gone"),
        QString("gone"));
    QCOMPARE(bookmarks_->store().NextBookMark(), removed);
}

void tst_BookmarkStore::freedNumberIsUsedAgain() {
    QCOMPARE(bookmarks_->AddBookMark("1:1"), 1);
    QCOMPARE(bookmarks_->AddBookMark("1:2"), 2);
    bookmarks_->RemoveBookMark(1);
    QCOMPARE(bookmarks_->AddBookMark("1:3"), 1);
    QCOMPARE(storedList(), QString("2;1"));

    // A listed bookmark that lost its name gets it back instead of a second listing.
    QVERIFY(RegSetting::SaveValue(App, "BookMarks\\1", "Name", ""));
    QCOMPARE(bookmarks_->AddBookMark("1:4"), 1);
    QCOMPARE(storedList(), QString("2;1"));
}

void tst_BookmarkStore::duplicateMarks() {
    BookMarkStore& store = bookmarks_->store();
    QVERIFY(!store.Dublicated("2:255"));
    bookmarks_->AddBookMark("2:255");
    QVERIFY(store.Dublicated("2:255"));
    // The whole mark counts, not a prefix or a suffix of it.
    QVERIFY(!store.Dublicated("2:25"));
    QVERIFY(!store.Dublicated("12:255"));
    // A subkey that the list does not name is no bookmark.
    QVERIFY(RegSetting::SaveValue(App, "BookMarks\\7", "Name", "3:3  orphan"));
    QVERIFY(!store.Dublicated("3:3"));
    bookmarks_->RemoveBookMark(1);
    QVERIFY(!store.Dublicated("2:255"));
}

void tst_BookmarkStore::menuIdentifiers_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("id");
    QTest::newRow("1") << 1 << 2101;
    QTest::newRow("10") << 10 << 21010;
    QTest::newRow("seven digits") << 9999999 << 2109999999;
    QTest::newRow("eight digits") << 10000000 << 0;
    QTest::newRow("zero") << 0 << 0;
}

void tst_BookmarkStore::menuIdentifiers() {
    QFETCH(int, number);
    QFETCH(int, id);
    QCOMPARE(BookMarkStore::menuId(number), id);
}

void tst_BookmarkStore::marksFromCaptions_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("sura");
    QTest::addColumn<int>("verse");
    QTest::newRow("name") << "2:255  002- Al-Baqara" << 2 << 255;
    QTest::newRow("mark alone") << "114:6" << 114 << 6;
    QTest::newRow("no mark") << "Al-Baqara 2:255" << 0 << 0;
    QTest::newRow("sura 115") << "115:1  x" << 0 << 0;
    QTest::newRow("verse 0") << "1:0  x" << 0 << 0;
    QTest::newRow("signed") << "+1:1  x" << 0 << 0;
    QTest::newRow("empty") << "" << 0 << 0;
}

void tst_BookmarkStore::marksFromCaptions() {
    QFETCH(QString, caption);
    QFETCH(int, sura);
    QFETCH(int, verse);
    const std::optional<VerseMark> mark = VerseMark::fromCaption(caption);
    QCOMPARE(mark ? mark->sura : 0, sura);
    QCOMPARE(mark ? mark->verse : 0, verse);
}

void tst_BookmarkStore::menuFollowsTheStore() {
    // Entries come in list order, not in number order.
    QVERIFY(RegSetting::SaveValue(App, "BookMarks", "BookMarks", "3;1"));
    QVERIFY(RegSetting::SaveValue(App, "BookMarks\\1", "Name", "1:7  one"));
    QVERIFY(RegSetting::SaveValue(App, "BookMarks\\3", "Name", "2:255  three"));
    bookmarks_->menu().EnumBookMarks(bookmarks_->store());
    QCOMPARE(popupEntries(),
             QStringList({"210 Add", "211 Delete", "2103 2:255  three", "2101 1:7  one"}));

    QCOMPARE(bookmarks_->AddBookMark("114:6"), 2);
    QCOMPARE(popupEntries().last(), QString("2102 114:6  114- Sura 114"));
    bookmarks_->RemoveBookMark(3);
    QCOMPARE(popupEntries(),
             QStringList({"210 Add", "211 Delete", "2101 1:7  one", "2102 114:6  114- Sura 114"}));
}

void tst_BookmarkStore::menuRebuildKeepsTheFixedItems() {
    bookmarks_->AddBookMark("1:1");
    bookmarks_->AddBookMark("1:2");
    QVERIFY(RegSetting::ReplaceKey(App, "BookMarks",
                                   {{"", {{"BookMarks", "5"}}}, {"5", {{"Name", "9:9  new"}}}}));
    bookmarks_->menu().rebuild(bookmarks_->store());
    QCOMPARE(popupEntries(), QStringList({"210 Add", "211 Delete", "2105 9:9  new"}));
}

void tst_BookmarkStore::menuShowsNamesAsWritten() {
    QVERIFY(RegSetting::SaveValue(App, "BookMarks", "BookMarks", "1"));
    QVERIFY(RegSetting::SaveValue(App, "BookMarks\\1", "Name", "1:1  A&B && C"));
    bookmarks_->menu().EnumBookMarks(bookmarks_->store());
    CommandBarControl* entry = bookmarks_->menu().popup()->Controls()->Item(3);
    QCOMPARE(entry->Caption(), QString("1:1  A&B && C"));
    // The menu shows "&&" as "&" and reads a lone "&" as an access key.
    QCOMPARE(entry->action()->text(), QString("1:1  A&&B &&&& C"));
}

void tst_BookmarkStore::longListEndsInMoreEntry() {
    const int count = BookmarkMenu::kMaxEntries + 5;
    BookmarkSetWriter set;
    for (int n = 1; n <= count; ++n)
        set.add(n, QStringLiteral("1:%1  x").arg(n));
    QVERIFY(RegSetting::ReplaceKey(App, "BookMarks", set.key));
    bookmarks_->menu().EnumBookMarks(bookmarks_->store());
    QStringList entries = popupEntries();
    QCOMPARE(entries.size(), 2 + BookmarkMenu::kMaxEntries + 1);
    QCOMPARE(entries.at(2), QString("2101 1:1  x"));
    QCOMPARE(entries.last(), QString("251 More Bookmarks..."));
    QVERIFY(bookmarks_->menu().isFull());

    // Adding to a full popup keeps it as it is; removing a shown bookmark
    // takes the next listed one in.
    QVERIFY(bookmarks_->AddBookMark("2:1") != 0);
    QCOMPARE(popupEntries(), entries);
    QVERIFY(bookmarks_->RemoveBookMark(1));
    entries = popupEntries();
    QCOMPARE(entries.at(2), QString("2102 1:2  x"));
    QCOMPARE(entries.at(entries.size() - 2),
             QStringLiteral("210%1 1:%1  x").arg(BookmarkMenu::kMaxEntries + 1));
    QCOMPARE(entries.last(), QString("251 More Bookmarks..."));
}

void tst_BookmarkStore::menuFollowsAnotherCopy() {
    bookmarks_->store().AddBookMark("1:1");
    bookmarks_->menu().EnumBookMarks(bookmarks_->store());
    bookmarks_->menu().refresh(bookmarks_->store());
    QCOMPARE(popupEntries().mid(2), QStringList{"2101 1:1  001- Sura 1"});

    // Another copy of the program adds a bookmark.
    Settings otherSettings(App);
    BookMarkStore other(treeText, otherSettings);
    QCOMPARE(other.AddBookMark("2:255"), 2);
    bookmarks_->menu().refresh(bookmarks_->store());
    QCOMPARE(popupEntries().mid(2),
             QStringList({"2101 1:1  001- Sura 1", "2102 2:255  002- Sura 2"}));
}

void tst_BookmarkStore::storeRefusesASecondBookmarkOfAVerse() {
    // The dialog asks first; the store itself holds the line for the moment
    // when another copy bookmarked the verse in between.
    Settings otherSettings(App);
    BookMarkStore other(treeText, otherSettings);
    QCOMPARE(other.AddBookMark("2:255"), 1);
    QCOMPARE(bookmarks_->AddBookMark("2:255"), 0);
    QCOMPARE(storedList(), QString("1"));
    // A delete of what the dialog showed leaves a bookmark that changed alone.
    QVERIFY(!bookmarks_->RemoveBookMark(1, QString("2:255  old name")));
    QCOMPARE(storedList(), QString("1"));
    QVERIFY(bookmarks_->RemoveBookMark(1, QString("2:255  002- Sura 2")));
    QCOMPARE(storedList(), QString(""));
}

void tst_BookmarkStore::changesAreAnnounced() {
    // What shows bookmarks (the menu, an open dialog) can follow the
    // settings' change signal: every stored change comes through it, and
    // nothing else does.
    QSignalSpy changed(settings_.get(), &Settings::valueChanged);
    const auto announced = [&changed] {
        QStringList out;
        for (const QList<QVariant>& signal : std::as_const(changed))
            out << signal.at(0).toString() + "/" + signal.at(1).toString();
        changed.clear();
        return out;
    };
    QCOMPARE(bookmarks_->AddBookMark("2:255"), 1);
    QCOMPARE(announced(), QStringList({"BookMarks/BookMarks", "BookMarks\\1/Name"}));
    QCOMPARE(bookmarks_->AddBookMark("2:255"), 0); // refused: the verse has one
    QVERIFY(!bookmarks_->RemoveBookMark(1, QString("2:255  another name")));
    QCOMPARE(announced(), QStringList());
    QVERIFY(bookmarks_->RemoveBookMark(1));
    QCOMPARE(announced(), QStringList({"BookMarks\\1/Name", "BookMarks/BookMarks"}));
}

void tst_BookmarkStore::failedSaveAnnouncesNothing() {
    // A file where the settings folder should be: no save can succeed.
    QFile blocker(folders_->userFolder() + "/Talvesk");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSignalSpy changed(settings_.get(), &Settings::valueChanged);
    QCOMPARE(bookmarks_->AddBookMark("2:255"), 0);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(popupEntries(), QStringList({"210 Add", "211 Delete"}));
}

void tst_BookmarkStore::twoCopiesAtOnce_data() {
    QTest::addColumn<QString>("firstAction");
    QTest::addColumn<int>("prestored"); // bookmarks of sura 3 stored before
    QTest::addColumn<int>("expected");  // bookmarks left: sura 2 and, when added, sura 3
    QTest::newRow("both add") << "add" << 0 << 400;
    QTest::newRow("one deletes while the other adds") << "delete" << 200 << 200;
}

void tst_BookmarkStore::twoCopiesAtOnce() {
    QFETCH(QString, firstAction);
    QFETCH(int, prestored);
    QFETCH(int, expected);
    const int count = 200;
    for (int verse = 1; verse <= prestored; ++verse)
        QVERIFY(bookmarks_->store().AddBookMark(QStringLiteral("3:%1").arg(verse)) != 0);

    const QString goFile = folders_->root() + "/go";
    QProcess copies[2];
    const QStringList actions{firstAction, "add"};
    const QStringList suras{"3", "2"};
    for (int i = 0; i < 2; ++i) {
        copies[i].setProcessChannelMode(QProcess::ForwardedErrorChannel);
        copies[i].start(helper(), {folders_->userFolder(), folders_->systemFolder(), actions[i],
                                   suras[i], QString::number(count), goFile});
        QVERIFY(copies[i].waitForStarted());
    }
    QFile go(goFile);
    QVERIFY(go.open(QIODevice::WriteOnly));
    go.close();
    for (QProcess& copy : copies) {
        QVERIFY(copy.waitForFinished(240000));
        QCOMPARE(copy.readAllStandardOutput().trimmed(), QByteArray("failures=0"));
        QCOMPARE(copy.exitCode(), 0);
    }

    // Numbers unique, every listed bookmark named, every named one listed.
    QSettings::Status status;
    const auto values = folders_->parse(folders_->userFile(), &status);
    QCOMPARE(status, QSettings::NoError);
    const QStringList listed = values.value("BookMarks/BookMarks").toString().split(';');
    QCOMPARE(listed.size(), expected);
    QCOMPARE(QSet<QString>(listed.begin(), listed.end()).size(), expected);
    QSet<QString> marks;
    for (const QString& number : listed) {
        const QString name = values.value("BookMarks/" + number + "/Name").toString();
        QVERIFY2(!name.isEmpty(), qPrintable("bookmark " + number + " has no name"));
        marks.insert(VerseMark::markOf(name));
    }
    QCOMPARE(values.size(), expected + 1);
    QSet<QString> wanted;
    for (int verse = 1; verse <= count; ++verse) {
        wanted.insert(QStringLiteral("2:%1").arg(verse));
        if (firstAction == "add")
            wanted.insert(QStringLiteral("3:%1").arg(verse));
    }
    QCOMPARE(marks, wanted);
}

QTEST_MAIN(tst_BookmarkStore)
#include "tst_bookmarkstore.moc"
