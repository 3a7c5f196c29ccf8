#include "AppContext.h"
#include "BookmarkCommandIds.h"
#include "BookmarkCommands.h"
#include "BookMarkStore.h"
#include "BrowserView.h"
#include "CommandBars.h"
#include "frmBookMarks.h"
#include "frmMain.h"
#include "QuranReader.h"
#include "RegSetting.h"
#include "StoreFolders.h"
#include "SuraTree.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <sys/stat.h>

namespace {

const QString App = QStringLiteral("Miravel");

} // namespace

// The bookmark commands in the real main window with the real engine.
class tst_BookmarkCommands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startUpListsTheStoredBookmarks();
    void addAndDeleteShareOneDialog();
    void entryIdentifiers_data();
    void entryIdentifiers();
    void entryGoesToItsVerse_data();
    void entryGoesToItsVerse();
    void goToVerseSelectsTheLabel();
    void importReplacesTheBookmarksAndTheMenu();
    void importAsksBeforeReplacing();
    void openDeleteDialogFollowsAnImport();
    void refusedFilesAreTold();
    void largestFileImportsAndTheWindowAnswers();
    void menuShowsAnotherCopysChanges();
    void exportWritesTheChosenFile();

private:
    void openWindow();
    void invoke(int id) {
        w_->commandBars()->ActiveMenuBar()->FindControl(id)->action()->trigger();
    }
    QStringList popupEntries() const;
    QString selection() const;
    BookmarkCommands* commands() const { return w_->findChild<BookmarkCommands*>(); }
    QString writeFile(const QString& name, const QByteArray& content) const {
        const QString file = folders_->root() + '/' + name;
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(content);
        return file;
    }
    void storeBookmarks(const QByteArray& listAndNames);
    // Records what the commands would show or ask.
    void recordMessages(bool answer = true);

    QStringList messages_;
    QStringList questions_;

    std::unique_ptr<StoreFolders> folders_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<frmMain> w_;
};

void tst_BookmarkCommands::storeBookmarks(const QByteArray& listAndNames) {
    // "3=2:25;1=2:250": number = name, in list order.
    QStringList list;
    for (const QByteArray& pair : listAndNames.split(';')) {
        const QList<QByteArray> parts = pair.split('=');
        list << QString::fromUtf8(parts.at(0));
        QVERIFY(RegSetting::SaveValue(App, "BookMarks\\" + QString::fromUtf8(parts.at(0)), "Name",
                                      QString::fromUtf8(parts.at(1)) + "  x"));
    }
    QVERIFY(RegSetting::SaveValue(App, "BookMarks", "BookMarks", list.join(';')));
}

void tst_BookmarkCommands::recordMessages(bool answer) {
    messages_.clear();
    questions_.clear();
    commands()->showImported = [this](const QString& text) { messages_ << text; };
    commands()->showFailure = [this](const QString& text) { messages_ << text; };
    commands()->showDialogMessage = [this](QWidget*, const QString& text) { messages_ << text; };
    commands()->askReplace = [this, answer](const QString& question) {
        questions_ << question;
        return answer;
    };
}

void tst_BookmarkCommands::init() {
    folders_ = std::make_unique<StoreFolders>();
}

void tst_BookmarkCommands::cleanup() {
    w_.reset();
    context_.reset();
    folders_.reset();
}

void tst_BookmarkCommands::openWindow() {
    context_ = std::make_unique<AppContext>();
    context_->openExternal = [](const QString&) { return true; };
    w_ = std::make_unique<frmMain>(*context_);
    w_->show();
    w_->Form_Load();
    QVERIFY(w_->browser()->waitForLoad());
}

QStringList tst_BookmarkCommands::popupEntries() const {
    QStringList out;
    CommandBar* popup =
        w_->commandBars()->ActiveMenuBar()->Controls()->Find(ControlKind::Popup, 209)->CommandBar();
    for (int i = 1; i <= popup->Controls()->Count(); ++i)
        out << QString::number(popup->Controls()->Item(i)->Id()) + ' ' +
                   popup->Controls()->Item(i)->Caption();
    return out;
}

QString tst_BookmarkCommands::selection() const {
    const auto selected = w_->browser()->runScript(
        QStringLiteral("(function(){var s = window.getSelection();"
                       "return s.rangeCount ? s.getRangeAt(0).toString() + '|' +"
                       " s.anchorNode.parentNode.className : '';})()"));
    return selected ? selected->toString() : QString();
}

void tst_BookmarkCommands::startUpListsTheStoredBookmarks() {
    QVERIFY(RegSetting::SaveValue(App, "BookMarks", "BookMarks", "3;1"));
    QVERIFY(RegSetting::SaveValue(App, "BookMarks\\1", "Name", "1:7  one"));
    QVERIFY(RegSetting::SaveValue(App, "BookMarks\\3", "Name", "2:255  three"));
    openWindow();
    QCOMPARE(popupEntries().mid(2), QStringList({"2103 2:255  three", "2101 1:7  one"}));
}

void tst_BookmarkCommands::addAndDeleteShareOneDialog() {
    openWindow();
    invoke(210);
    frmBookMarks* dialog = commands()->dialog();
    QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
    QCOMPARE(dialog->Flag(), 1);
    auto* suras = dialog->findChild<QComboBox*>("cmbBookMarks");
    QCOMPARE(suras->itemText(1), "2 : " + w_->tree()->node(4)->text(0));

    // A delete command while the add dialog is open takes the same dialog.
    invoke(211);
    QCOMPARE(commands()->dialog(), dialog);
    QCOMPARE(dialog->Flag(), 2);
    QCOMPARE(suras->count(), 0);

    invoke(210);
    suras->setCurrentIndex(1);
    dialog->findChild<QComboBox*>("cmbAyat")->setCurrentIndex(254);
    dialog->findChild<QPushButton*>("cmdOK")->click();
    QTRY_VERIFY(!commands()->dialog());
    const QString name = "2:255  " + w_->tree()->node(4)->text(0);
    QCOMPARE(RegSetting::GetValue(App, "BookMarks\\1", "Name", ""), name);
    QCOMPARE(popupEntries().mid(2), QStringList{"2101 " + name});
}

void tst_BookmarkCommands::entryIdentifiers_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("entry");
    QTest::newRow("add bookmark") << 210 << false;
    QTest::newRow("delete bookmark") << 211 << false;
    QTest::newRow("bookmark 1") << 2101 << true;
    QTest::newRow("bookmark 10") << 21010 << true;
    QTest::newRow("bookmark 0") << 2100 << true;
    QTest::newRow("other four digits") << 2201 << false;
    QTest::newRow("print") << 202 << false;
}

void tst_BookmarkCommands::entryIdentifiers() {
    QFETCH(int, id);
    QFETCH(bool, entry);
    QCOMPARE(BookmarkCommandId::isEntry(id), entry);
}

void tst_BookmarkCommands::entryGoesToItsVerse_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("selected");
    QTest::newRow("mark") << "2:255  002- x"
                          << "2 : 255|A1";
    QTest::newRow("no mark") << "damaged"
                             << "";
}

void tst_BookmarkCommands::entryGoesToItsVerse() {
    QFETCH(QString, name);
    QFETCH(QString, selected);
    QVERIFY(RegSetting::SaveValue(App, "BookMarks", "BookMarks", "4"));
    QVERIFY(RegSetting::SaveValue(App, "BookMarks\\4", "Name", name));
    openWindow();
    const QString before = w_->browser()->bodyInnerHtml();
    invoke(2104);
    QCOMPARE(selection(), selected);
    if (selected.isEmpty())
        QCOMPARE(w_->browser()->bodyInnerHtml(), before);
}

void tst_BookmarkCommands::goToVerseSelectsTheLabel() {
    openWindow();
    // The add dialog is open without waiting; the command takes it, modally.
    invoke(210);
    const QPointer<frmBookMarks> open = commands()->dialog();
    bool answered = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<frmBookMarks*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog, open.data());
        QCOMPARE(dialog->Flag(), 3);
        dialog->findChild<QComboBox*>("cmbBookMarks")->setCurrentIndex(0);
        dialog->findChild<QComboBox*>("cmbAyat")->setCurrentIndex(6);
        dialog->findChild<QPushButton*>("cmdOK")->click();
        answered = true;
    });
    invoke(225);
    QVERIFY(answered);
    QCOMPARE(selection(), QString("1 : 7|A1"));
    QVERIFY(!commands()->dialog());
}

void tst_BookmarkCommands::importReplacesTheBookmarksAndTheMenu() {
    QVERIFY(RegSetting::SaveValue(App, "BookMarks", "BookMarks", "1"));
    QVERIFY(RegSetting::SaveValue(App, "BookMarks\\1", "Name", "1:1  old"));
    openWindow();
    const QString file = folders_->root() + "/set.fav";
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("Miravel favourites 1\n[BookMarks]\nBookMarks=7\n[BookMarks\\7]\nName=2:255  new\n");
    out.close();

    recordMessages();
    commands()->chooseImportFile = [] { return QString(); };
    invoke(249);
    QVERIFY(messages_.isEmpty());

    commands()->chooseImportFile = [&] { return file; };
    invoke(249);
    QCOMPARE(questions_.size(), 1);
    QVERIFY(questions_.first().startsWith("Replace the 1 stored bookmarks by the 1 bookmarks of " +
                                          file + "?"));
    QCOMPARE(messages_.size(), 1);
    // The menu is rebuilt already: no word of a restart.
    QVERIFY(messages_.first().startsWith("Booksmarks have been successfully imported ... \r\n"));
    QVERIFY(!messages_.first().contains("restart"));
    QCOMPARE(RegSetting::GetValue(App, "BookMarks\\1", "Name", "gone"), QString("gone"));
    QCOMPARE(popupEntries().mid(2), QStringList{"2107 2:255  new"});
}

void tst_BookmarkCommands::importAsksBeforeReplacing() {
    storeBookmarks("3=2:25;1=2:250");
    openWindow();
    // A file holding only an empty list would erase them all.
    const QString file = writeFile("empty.fav", "Miravel favourites 1\n[BookMarks]\nBookMarks=\n");
    commands()->chooseImportFile = [&] { return file; };
    const QByteArray before = StoreFolders::contentOf(folders_->userFile());

    recordMessages(false);
    invoke(249);
    QCOMPARE(questions_.size(), 1);
    QVERIFY(questions_.first().startsWith("Replace the 2 stored bookmarks by the 0 bookmarks"));
    QVERIFY(messages_.isEmpty());
    QCOMPARE(StoreFolders::contentOf(folders_->userFile()), before);
    QCOMPARE(popupEntries().size(), 4);

    recordMessages(true);
    invoke(249);
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(popupEntries().size(), 2);
    // The message names the file that brings the replaced bookmarks back.
    static const QRegularExpression keptIn(
        "The 2 bookmarks they replaced were saved in (.+\\.fav);");
    const QRegularExpressionMatch match = keptIn.match(messages_.first());
    QVERIFY2(match.hasMatch(), qPrintable(messages_.first()));
    commands()->chooseImportFile = [&] { return match.captured(1); };
    invoke(249);
    QCOMPARE(RegSetting::GetValue(App, "BookMarks", "BookMarks", ""), QString("3;1"));
    QCOMPARE(popupEntries().mid(2), QStringList({"2103 2:25  x", "2101 2:250  x"}));
}

void tst_BookmarkCommands::openDeleteDialogFollowsAnImport() {
    storeBookmarks("3=2:25;1=2:250");
    openWindow();
    recordMessages();
    invoke(211);
    frmBookMarks* dialog = commands()->dialog();
    auto* list = dialog->findChild<QComboBox*>("cmbBookMarks");
    QCOMPARE(list->itemText(1), QString("2:250  x"));

    // Bookmark 1 is another verse after the import; the dialog lists anew.
    commands()->chooseImportFile = [&] {
        return writeFile("two.fav", "Miravel favourites 1\n[BookMarks]\nBookMarks=2;1\n"
                                    "[BookMarks\\2]\nName=2:255  y\n[BookMarks\\1]\nName=1:7  y\n");
    };
    invoke(249);
    QCOMPARE(commands()->dialog(), dialog);
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->itemText(1), QString("1:7  y"));

    // A list that is out of date (another copy imported) deletes nothing it
    // does not show.
    list->setItemText(1, "2:250  x");
    list->setCurrentIndex(1);
    dialog->findChild<QPushButton*>("cmdOK")->click();
    QCOMPARE(RegSetting::GetValue(App, "BookMarks", "BookMarks", ""), QString("2;1"));
    QVERIFY(commands()->dialog());
    QCOMPARE(messages_.size(), 2);
    QVERIFY(messages_.last().startsWith("This bookmark has been changed or deleted"));
    QCOMPARE(list->itemText(1), QString("1:7  y"));

    list->setCurrentIndex(1);
    dialog->findChild<QPushButton*>("cmdOK")->click();
    QTRY_VERIFY(!commands()->dialog());
    QCOMPARE(RegSetting::GetValue(App, "BookMarks", "BookMarks", ""), QString("2"));
}

void tst_BookmarkCommands::refusedFilesAreTold() {
    storeBookmarks("1=1:1");
    openWindow();
    recordMessages();
    const QByteArray before = StoreFolders::contentOf(folders_->userFile());
    const QString fifo = folders_->root() + "/pipe.fav";
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& file : {fifo, QString("/dev/null"), folders_->root()}) {
        commands()->chooseImportFile = [&] { return file; };
        invoke(249);
    }
    commands()->chooseImportFile = [&] { return writeFile("bad.fav", "not favourites"); };
    invoke(249);
    commands()->chooseExportFile = [&] { return fifo; };
    invoke(250);
    QCOMPARE(messages_.size(), 5);
    for (int i = 0; i < 4; ++i)
        QVERIFY2(messages_.at(i).startsWith("The bookmarks were not imported: "),
                 qPrintable(messages_.at(i)));
    QVERIFY(messages_.at(4).startsWith("The bookmarks were not exported: "));
    QVERIFY(questions_.isEmpty());
    QCOMPARE(StoreFolders::contentOf(folders_->userFile()), before);
}

void tst_BookmarkCommands::largestFileImportsAndTheWindowAnswers() {
    // As many bookmarks as a favourites file of 1 MiB holds.
    const int count = 28939;
    QByteArray list;
    QByteArray keys;
    for (int i = 0; i < count; ++i) {
        const QByteArray number = QByteArray::number(i + 1);
        list += (i ? ";" : "") + number;
        keys += "[BookMarks\\" + number + "]\nName=" + QByteArray::number(i / 254 + 1) + ':' +
                QByteArray::number(i % 254 + 1) + "\n";
    }
    const QByteArray content = "Miravel favourites 1\n[BookMarks]\nBookMarks=" + list + "\n" + keys;
    QVERIFY(content.size() <= 1024 * 1024);
    openWindow();
    recordMessages();
    commands()->chooseImportFile = [&] { return writeFile("large.fav", content); };
    invoke(249);
    QCOMPARE(messages_.size(), 1);
    QVERIFY(messages_.first().startsWith("Booksmarks have been successfully imported"));
    // The popup keeps to what a screen shows; the dialog lists them all.
    QCOMPARE(popupEntries().size(), 2 + BookmarkMenu::kMaxEntries + 1);
    QCOMPARE(popupEntries().last(), QString("251 More Bookmarks..."));
    invoke(251);
    QCOMPARE(commands()->dialog()->findChild<QComboBox*>("cmbBookMarks")->count(), count);

    // The window still answers.
    bool answered = false;
    QTimer::singleShot(0, w_.get(), [&] { answered = true; });
    QTRY_VERIFY(answered);
}

void tst_BookmarkCommands::menuShowsAnotherCopysChanges() {
    storeBookmarks("1=1:1");
    openWindow();
    // Another copy of the program adds a bookmark; the popup shows it as it opens.
    Settings otherSettings(App);
    BookMarkStore other([](int) { return std::optional<QString>("other"); }, otherSettings);
    QCOMPARE(other.AddBookMark("2:255"), 2);
    auto* popup = qobject_cast<QMenu*>(w_->commandBars()
                                           ->ActiveMenuBar()
                                           ->Controls()
                                           ->Find(ControlKind::Popup, 209)
                                           ->CommandBar()
                                           ->widget());
    QVERIFY(popup);
    emit popup->aboutToShow();
    QCOMPARE(popupEntries().mid(2), QStringList({"2101 1:1  x", "2102 2:255  other"}));
}

void tst_BookmarkCommands::exportWritesTheChosenFile() {
    QVERIFY(RegSetting::SaveValue(App, "BookMarks", "BookMarks", "1"));
    QVERIFY(RegSetting::SaveValue(App, "BookMarks\\1", "Name", "1:1  kept"));
    openWindow();
    const QString file = folders_->root() + "/out.fav";
    commands()->chooseExportFile = [&] { return file; };
    invoke(250);
    QCOMPARE(StoreFolders::contentOf(file),
             QByteArray("Miravel favourites 1\n[BookMarks]\nBookMarks=1\n\n[BookMarks\\1]\n"
                        "Name=1:1  kept\n"));
}

QTEST_MAIN(tst_BookmarkCommands)
#include "tst_bookmarkcommands.moc"
