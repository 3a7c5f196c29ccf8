#include "AppContext.h"
#include "BookmarkCommandIds.h"
#include "BookmarkCommands.h"
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
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

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
    void exportWritesTheChosenFile();

private:
    void openWindow();
    void invoke(int id) {
        w_->commandBars()->ActiveMenuBar()->FindControl(id)->action()->trigger();
    }
    QStringList popupEntries() const;
    QString selection() const;
    BookmarkCommands* commands() const { return w_->findChild<BookmarkCommands*>(); }

    std::unique_ptr<StoreFolders> folders_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<frmMain> w_;
};

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

    QStringList messages;
    commands()->showImported = [&](const QString& text) { messages << text; };
    commands()->chooseImportFile = [] { return QString(); };
    invoke(249);
    QVERIFY(messages.isEmpty());

    commands()->chooseImportFile = [&] { return file; };
    invoke(249);
    QCOMPARE(messages, QStringList{"Booksmarks have been successfully imported ... \r\n"
                                   "Please restart Miravel for changes to take effect"});
    QCOMPARE(RegSetting::GetValue(App, "BookMarks\\1", "Name", "gone"), QString("gone"));
    QCOMPARE(popupEntries().mid(2), QStringList{"2107 2:255  new"});
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
