#include "BookMarks.h"
#include "CommandBars.h"
#include "frmBookMarks.h"
#include "LibraryVerses.h"
#include "RegSetting.h"
#include "Settings.h"
#include "StoreFolders.h"

#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

const QString App = QStringLiteral("Miravel");

QString treeText(int sura) {
    return QStringLiteral("%1- Sura %2").arg(sura, 3, 10, QLatin1Char('0')).arg(sura);
}

QStringList suraEntries() {
    QStringList entries;
    for (int sura = 1; sura <= 114; ++sura)
        entries << treeText(sura);
    return entries;
}

} // namespace

// The bookmark dialog over a fresh store, the program's own Arabic library
// and a menu bar with the Bookmarks popup; the verse it goes to and the
// messages it shows are recorded.
class tst_BookmarkDialog : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensOnTheFirstSura_data();
    void opensOnTheFirstSura();
    void versesOfTheChosenSura_data();
    void versesOfTheChosenSura();
    void addStoresTheBookmarkOnce();
    void deleteRemovesTheChosenBookmark();
    void modeChangeRebuildsTheLists();
    void goToVerseShowsTheChosenVerse();
    void goToBookmarkShowsItsVerse();

private:
    frmBookMarks* open(qint16 mode);
    QComboBox* combo(const char* name) const { return dialog_->findChild<QComboBox*>(name); }
    void choose(int sura, int verse);
    QStringList popupCaptions() const;

    std::unique_ptr<StoreFolders> folders_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<BookMarks> bookmarks_;
    std::unique_ptr<QMainWindow> window_;
    QPointer<frmBookMarks> dialog_;
    QStringList messages_;
    QList<QPair<int, int>> shownVerses_;
};

void tst_BookmarkDialog::init() {
    folders_ = std::make_unique<StoreFolders>();
    settings_ = std::make_unique<Settings>(App);
    bookmarks_ = std::make_unique<BookMarks>([](int sura) { return treeText(sura); }, *settings_);
    window_ = std::make_unique<QMainWindow>();
    auto* bars = new CommandBars(window_.get());
    CommandBarControl* popup =
        bars->ActiveMenuBar()->Controls()->Add(ControlKind::Popup, 209, "Bookmarks");
    popup->CommandBar()->Controls()->Add(ControlKind::Button, 210, "Add");
    popup->CommandBar()->Controls()->Add(ControlKind::Button, 211, "Delete");
    bookmarks_->menu().attach(bars);
    messages_.clear();
    shownVerses_.clear();
}

void tst_BookmarkDialog::cleanup() {
    delete dialog_;
    window_.reset();
    bookmarks_.reset();
    settings_.reset();
    folders_.reset();
}

frmBookMarks* tst_BookmarkDialog::open(qint16 mode) {
    BookmarkDialogServices services;
    services.guiText = [](int number) { return QStringLiteral("G%1").arg(number); };
    services.suraEntries = suraEntries;
    services.verseCount = [](int id) { return versesInLibrary(QString(), id); };
    services.goToVerse = [this](int sura, int verse) {
        shownVerses_.append({sura, verse});
        return true;
    };
    services.showMessage = [this](QWidget*, const QString& text) { messages_ << text; };
    dialog_ = new frmBookMarks(*bookmarks_, services, window_.get());
    dialog_->setFlag(mode);
    dialog_->show();
    return dialog_;
}

void tst_BookmarkDialog::choose(int sura, int verse) {
    combo("cmbBookMarks")->setCurrentIndex(sura - 1);
    combo("cmbAyat")->setCurrentIndex(verse - 1);
}

QStringList tst_BookmarkDialog::popupCaptions() const {
    QStringList out;
    CommandBar* popup = bookmarks_->menu().popup();
    for (int i = 3; i <= popup->Controls()->Count(); ++i)
        out << popup->Controls()->Item(i)->Caption();
    return out;
}

void tst_BookmarkDialog::opensOnTheFirstSura_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::newRow("add") << 1 << "G210"
                         << "G236";
    QTest::newRow("go to a verse") << 3 << "G248"
                                   << "G247";
}

void tst_BookmarkDialog::opensOnTheFirstSura() {
    QFETCH(int, mode);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    open(qint16(mode));
    QCOMPARE(combo("cmbBookMarks")->count(), 114);
    QCOMPARE(combo("cmbBookMarks")->currentText(), QString("1 : 001- Sura 1"));
    QCOMPARE(combo("cmbBookMarks")->currentData().toInt(), 101);
    QCOMPARE(combo("cmbAyat")->currentText(), QString("Verse/1"));
    QCOMPARE(combo("cmbAyat")->count(), 7);
    QVERIFY(combo("cmbAyat")->isVisible());
    QCOMPARE(dialog_->windowTitle(), caption);
    QCOMPARE(dialog_->findChild<QPushButton*>("cmdOK")->text(), caption);
    QCOMPARE(dialog_->findChild<QLabel*>("lbl_Example")->text(), hint);
}

void tst_BookmarkDialog::versesOfTheChosenSura_data() {
    QTest::addColumn<int>("sura");
    QTest::addColumn<int>("verses");
    QTest::newRow("2") << 2 << 286;
    QTest::newRow("114") << 114 << 6;
}

void tst_BookmarkDialog::versesOfTheChosenSura() {
    QFETCH(int, sura);
    QFETCH(int, verses);
    open(1);
    combo("cmbAyat")->setCurrentIndex(3);
    combo("cmbBookMarks")->setCurrentIndex(sura - 1);
    QComboBox* ayat = combo("cmbAyat");
    QCOMPARE(ayat->count(), verses);
    QCOMPARE(ayat->currentText(), QString("Verse/1"));
    QCOMPARE(ayat->itemText(verses - 1), QString("Verse/%1").arg(verses));
    QCOMPARE(ayat->itemData(verses - 1).toInt(), verses);
}

void tst_BookmarkDialog::addStoresTheBookmarkOnce() {
    open(1);
    choose(2, 255);
    dialog_->cmdOK_Click();
    QTRY_VERIFY(!dialog_);
    QCOMPARE(RegSetting::GetValue(App, "BookMarks\\1", "Name", ""), QString("2:255  002- Sura 2"));
    QCOMPARE(popupCaptions(), QStringList{"2:255  002- Sura 2"});

    open(1);
    choose(2, 255);
    dialog_->cmdOK_Click();
    QCOMPARE(messages_, QStringList{"G249"});
    QVERIFY(dialog_ && dialog_->isVisible());
    QCOMPARE(RegSetting::GetValue(App, "BookMarks", "BookMarks", ""), QString("1"));
    QCOMPARE(popupCaptions().size(), 1);
}

void tst_BookmarkDialog::deleteRemovesTheChosenBookmark() {
    for (const char* mark : {"1:1", "2:255", "114:6"})
        bookmarks_->AddBookMark(mark);
    open(2);
    QVERIFY(!combo("cmbAyat")->isVisible());
    QComboBox* list = combo("cmbBookMarks");
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->itemText(1), QString("2:255  002- Sura 2"));
    list->setCurrentIndex(1);
    dialog_->cmdOK_Click();
    QTRY_VERIFY(!dialog_);
    QCOMPARE(RegSetting::GetValue(App, "BookMarks", "BookMarks", ""), QString("1;3"));
    QCOMPARE(popupCaptions(), QStringList({"1:1  001- Sura 1", "114:6  114- Sura 114"}));
}

void tst_BookmarkDialog::modeChangeRebuildsTheLists() {
    bookmarks_->AddBookMark("1:1");
    open(2);
    QCOMPARE(combo("cmbBookMarks")->count(), 1);

    // An add command while the delete dialog is open: OK must add, from sura lists.
    dialog_->setFlag(1);
    QCOMPARE(combo("cmbBookMarks")->count(), 114);
    QVERIFY(combo("cmbAyat")->isVisible());
    choose(1, 2);
    dialog_->cmdOK_Click();
    QTRY_VERIFY(!dialog_);
    QCOMPARE(RegSetting::GetValue(App, "BookMarks", "BookMarks", ""), QString("1;2"));

    // And back: a delete command on the add dialog lists the bookmarks.
    open(1);
    dialog_->setFlag(2);
    QVERIFY(!combo("cmbAyat")->isVisible());
    QCOMPARE(combo("cmbBookMarks")->itemText(1), QString("1:2  001- Sura 1"));
    QCOMPARE(dialog_->windowTitle(), QString("G211"));
}

void tst_BookmarkDialog::goToVerseShowsTheChosenVerse() {
    open(3);
    choose(1, 7);
    dialog_->cmdOK_Click();
    QTRY_VERIFY(!dialog_);
    QCOMPARE(shownVerses_, (QList<QPair<int, int>>{{1, 7}}));
    QCOMPARE(RegSetting::GetValue(App, "BookMarks", "BookMarks", "none"), QString("none"));
}

void tst_BookmarkDialog::goToBookmarkShowsItsVerse() {
    // The list behind "More Bookmarks...": every bookmark, OK shows its verse.
    for (const char* mark : {"1:1", "2:255"})
        bookmarks_->AddBookMark(mark);
    open(4);
    QCOMPARE(dialog_->windowTitle(), QString("Go to Bookmark"));
    QVERIFY(!combo("cmbAyat")->isVisible());
    QCOMPARE(combo("cmbBookMarks")->count(), 2);
    combo("cmbBookMarks")->setCurrentIndex(1);
    dialog_->cmdOK_Click();
    QTRY_VERIFY(!dialog_);
    QCOMPARE(shownVerses_, (QList<QPair<int, int>>{{2, 255}}));
    QCOMPARE(RegSetting::GetValue(App, "BookMarks", "BookMarks", ""), QString("1;2"));
}

QTEST_MAIN(tst_BookmarkDialog)
#include "tst_bookmarkdialog.moc"
