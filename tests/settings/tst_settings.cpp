#include "ArabicScripts.h"
#include "Settings.h"
#include "StoreFolders.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

const QString App = QStringLiteral("Miravel");

using Announced = QList<QStringList>; // section, value name

Announced announced(const QSignalSpy& spy) {
    Announced out;
    for (const QList<QVariant>& signal : spy)
        out << QStringList{signal.at(0).toString(), signal.at(1).toString()};
    return out;
}

// Bookmark 1 added to the key as the bookmark store adds it.
std::optional<StoredKey> withBookmarkOne(StoredKey key) {
    key[QString()]["BookMarks"] = QStringLiteral("1");
    key[QStringLiteral("1")]["Name"] = QStringLiteral("2:255  x");
    return key;
}

} // namespace

// The settings over a fresh store: the one way to the stored values, whose
// change signal tells of real changes only.
class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_store = std::make_unique<StoreFolders>();
        m_settings = std::make_unique<Settings>(App);
    }
    void cleanup() {
        m_settings.reset();
        m_store.reset();
    }

    void saveAnnouncesRealChangesOnly_data();
    void saveAnnouncesRealChangesOnly();
    void failedWritesAnnounceNothing();
    void keyUpdateAnnouncesEachChangedValue();
    void userOnlyKeysIgnoreTheSystemFile();
    void userOnlySections_data();
    void userOnlySections();
    void valuesFollowTheStore();
    void arabicScriptOfANewReader_data();
    void arabicScriptOfANewReader();
    void uthmaniStandsInForTheProgramsOwnTextOnly_data();
    void uthmaniStandsInForTheProgramsOwnTextOnly();

private:
    // A file where the user's settings folder should be: nothing can be saved.
    void blockUserFolder() const {
        QFile blocker(m_store->userFolder() + QStringLiteral("/Talvesk"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }

    std::unique_ptr<StoreFolders> m_store;
    std::unique_ptr<Settings> m_settings;
};

void TestSettings::saveAnnouncesRealChangesOnly_data() {
    QTest::addColumn<QByteArray>("userFile");
    QTest::addColumn<QByteArray>("systemFile");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("changes");

    QTest::newRow("first value") << QByteArray() << QByteArray() << "3" << 1;
    QTest::newRow("another value")
        << QByteArray("[Settings]\nSkin=1\n") << QByteArray() << "3" << 1;
    QTest::newRow("the same value")
        << QByteArray("[Settings]\nSkin=3\n") << QByteArray() << "3" << 0;
    QTest::newRow("the same under another spelling")
        << QByteArray("[settings]\nskin=3\n") << QByteArray() << "3" << 0;
    QTest::newRow("the installer's value")
        << QByteArray() << QByteArray("[Settings]\nSkin=3\n") << "3" << 0;
    QTest::newRow("over the installer's value")
        << QByteArray() << QByteArray("[Settings]\nSkin=3\n") << "1" << 1;
    // An empty text is a value of its own, not the missing one.
    QTest::newRow("empty where nothing was") << QByteArray() << QByteArray() << "" << 1;
}

void TestSettings::saveAnnouncesRealChangesOnly() {
    QFETCH(QByteArray, userFile);
    QFETCH(QByteArray, systemFile);
    QFETCH(QString, text);
    QFETCH(int, changes);
    if (!userFile.isEmpty())
        m_store->writeUserFile(userFile);
    if (!systemFile.isEmpty())
        m_store->writeSystemFile(systemFile);
    QSignalSpy spy(m_settings.get(), &Settings::valueChanged);

    QVERIFY(m_settings->save(Setting::Skin, text));
    QCOMPARE(m_settings->text(Setting::Skin, QStringLiteral("<missing>"), 0), text);
    QCOMPARE(announced(spy), Announced(changes, {"Settings", "Skin"}));
}

void TestSettings::failedWritesAnnounceNothing() {
    blockUserFolder();
    QSignalSpy spy(m_settings.get(), &Settings::valueChanged);

    QVERIFY(!m_settings->save(Setting::Skin, QStringLiteral("3")));
    QVERIFY(!m_settings->setOrderString(QStringLiteral("3/1")));
    QVERIFY(!m_settings->updateKey(Setting::BookMarkList, withBookmarkOne));
    QCOMPARE(spy.count(), 0);
    // Nothing in effect pretends otherwise.
    QCOMPARE(m_settings->text(Setting::Skin), QStringLiteral("2"));
    QCOMPARE(m_settings->values().OrderString, QStringLiteral("1/2"));
}

void TestSettings::keyUpdateAnnouncesEachChangedValue() {
    QSignalSpy spy(m_settings.get(), &Settings::valueChanged);
    QVERIFY(m_settings->updateKey(Setting::BookMarkList, withBookmarkOne));
    QCOMPARE(announced(spy), (Announced{{"BookMarks", "BookMarks"}, {"BookMarks\\1", "Name"}}));

    // The same content again, and an update that declines: no change.
    spy.clear();
    QVERIFY(m_settings->updateKey(Setting::BookMarkList, withBookmarkOne));
    QVERIFY(!m_settings->updateKey(Setting::BookMarkList,
                                   [](const StoredKey&) { return std::optional<StoredKey>(); }));
    QCOMPARE(spy.count(), 0);

    // Taking the bookmark away again, the whole key at once.
    QVERIFY(m_settings->updateKey(
        Setting::BookMarkList,
        [](const StoredKey&) {
            return std::optional<StoredKey>(StoredKey{{"", {{"BookMarks", ""}}}});
        },
        RegistryStore::Replacement::WholeKey));
    QCOMPARE(announced(spy), (Announced{{"BookMarks\\1", "Name"}, {"BookMarks", "BookMarks"}}));
}

void TestSettings::userOnlyKeysIgnoreTheSystemFile() {
    m_store->writeSystemFile("[BookMarks]\nBookMarks=1\n1\\Name=1:1  installer\n"
                             "[Settings]\nSkin=3\n");
    QCOMPARE(m_settings->text(Setting::BookMarkList, QStringLiteral("<missing>"), 0),
             QStringLiteral("<missing>"));
    QCOMPARE(m_settings->text(Setting::BookMarkName, QStringLiteral("<missing>"), 1),
             QStringLiteral("<missing>"));
    QCOMPARE(m_settings->readKey(Setting::BookMarkList),
             std::optional<StoredKey>(StoredKey{{"", {}}}));
    QCOMPARE(m_settings->text(Setting::Skin), QStringLiteral("3")); // shared keys still do

    // A bookmark saved by the reader stands alone, not beside the installer's.
    QVERIFY(m_settings->updateKey(Setting::BookMarkList, withBookmarkOne));
    QCOMPARE(m_settings->readKey(Setting::BookMarkList),
             std::optional<StoredKey>(
                 StoredKey{{"", {{"BookMarks", "1"}}}, {"1", {{"Name", "2:255  x"}}}}));
}

void TestSettings::userOnlySections_data() {
    QTest::addColumn<QStringList>("keyPath");
    QTest::addColumn<bool>("userOnly");
    QTest::newRow("bookmark list") << QStringList{"BookMarks"} << true;
    QTest::newRow("one bookmark, other spelling") << QStringList{"bookmarks", "7"} << true;
    QTest::newRow("display settings") << QStringList{"Settings"} << false;
    QTest::newRow("a culture") << QStringList{"Cultures", "1"} << false;
    QTest::newRow("a longer name") << QStringList{"BookMarksOld"} << false;
    QTest::newRow("no key") << QStringList{} << false;
}

void TestSettings::userOnlySections() {
    QFETCH(QStringList, keyPath);
    QFETCH(bool, userOnly);
    QCOMPARE(Setting::isUserOnly(keyPath), userOnly);
}

void TestSettings::valuesFollowTheStore() {
    m_store->writeSystemFile("[Cultures]\n1\\Name=English\n2\\Name=Deutsch\n2\\dll2=de2.dll\n");
    QCOMPARE(m_settings->values().OrderString, QStringLiteral("1/2"));
    QCOMPARE(m_settings->values().TranslationLibraryFile, QStringLiteral("Etx2.dll"));

    // Saved elsewhere (the settings dialog, another copy of the program):
    // the values in effect are what is stored, at once.
    Settings elsewhere(App);
    QVERIFY(elsewhere.save(Setting::OrderString, QStringLiteral("3/1")));
    QVERIFY(elsewhere.save(Setting::Culture, QStringLiteral("2")));
    QCOMPARE(m_settings->values().OrderString, QStringLiteral("3/1"));
    QCOMPARE(m_settings->values().TranslationLibraryFile, QStringLiteral("de2.dll"));

    // An order that names no library reads as the default.
    QVERIFY(elsewhere.save(Setting::OrderString, QStringLiteral("x/")));
    QCOMPARE(m_settings->values().OrderString, QStringLiteral("1/2"));
}

// A reader new to the program starts on the Uthmani script; one whose
// settings file is older than the choice keeps the Simple script.
void TestSettings::arabicScriptOfANewReader_data() {
    QTest::addColumn<QByteArray>("userFile"); // empty: none yet
    QTest::addColumn<QString>("script");
    QTest::newRow("new reader") << QByteArray() << ArabicScripts::kUthmani;
    QTest::newRow("file from before the choice")
        << QByteArray("[Settings]\nSkin=2\n") << ArabicScripts::kSimple;
    QTest::newRow("chose Simple") << QByteArray("[Settings]\nArabicScript=Simple\n")
                                  << ArabicScripts::kSimple;
    QTest::newRow("chose Uthmani")
        << QByteArray("[Settings]\nArabicScript=uthmani\n") << ArabicScripts::kUthmani;
    QTest::newRow("damaged value")
        << QByteArray("[Settings]\nArabicScript=Kufic\n") << ArabicScripts::kSimple;
}

void TestSettings::arabicScriptOfANewReader() {
    QFETCH(QByteArray, userFile);
    QFETCH(QString, script);
    if (!userFile.isEmpty())
        m_store->writeUserFile(userFile);
    ArabicScripts::settleForNewReader(*m_settings);
    QCOMPARE(ArabicScripts::normalised(m_settings->text(Setting::ArabicScript)), script);
    // A second start changes nothing.
    ArabicScripts::settleForNewReader(*m_settings);
    QCOMPARE(ArabicScripts::normalised(m_settings->text(Setting::ArabicScript)), script);
}

void TestSettings::uthmaniStandsInForTheProgramsOwnTextOnly_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("culturesArabic"); // empty: the culture names none
    QTest::addColumn<QString>("library");
    QTest::newRow("Uthmani, the program's own") << "Uthmani"
                                                << ""
                                                << "Uthmani.dll";
    QTest::newRow("Uthmani, named as the program")
        << "Uthmani" << DefaultArabicLibraryFile() << "Uthmani.dll";
    QTest::newRow("Simple") << "Simple"
                            << "" << DefaultArabicLibraryFile();
    QTest::newRow("Uthmani, another library") << "Uthmani"
                                              << "Other.dll"
                                              << "Other.dll";
}

void TestSettings::uthmaniStandsInForTheProgramsOwnTextOnly() {
    QFETCH(QString, script);
    QFETCH(QString, culturesArabic);
    QFETCH(QString, library);
    QByteArray file = "[Settings]\nArabicScript=" + script.toLatin1() + "\n";
    if (!culturesArabic.isEmpty())
        file += "[Cultures]\n1\\Name=English\n1\\dll=" + culturesArabic.toLatin1() + "\n";
    m_store->writeUserFile(file);
    QCOMPARE(m_settings->values().ArabicLibraryFile, library);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
