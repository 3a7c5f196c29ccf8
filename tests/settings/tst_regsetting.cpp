#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QtTest>

#include <memory>
#include <unistd.h>

#include "RegSetting.h"
#include "StoreFolders.h"

namespace {
const QString App = QStringLiteral("Miravel");
}

class TestRegSetting : public QObject {
    Q_OBJECT

private slots:
    void init() { m_store = std::make_unique<StoreFolders>(); }
    void cleanup() { m_store.reset(); }

    void keyPath_data();
    void keyPath();
    void valuesRoundTrip_data();
    void valuesRoundTrip();
    void namesIgnoreCase_data();
    void namesIgnoreCase();
    void readCreatesNothing();
    void writeCreatesParentKeys();
    void systemFileIsReadFallback();
    void deleteKeyRemovesOnlyLeafKeys();
    void emptyApplicationNameIgnoresSection();
    void exportKeyWithSubkeys();
    void replaceKeyUnderEverySpelling();
    void bookmarksIgnoreSystemFile();

    // Faults
    void storeThatCannotBeWritten_data();
    void storeThatCannotBeWritten();
    void damagedFileIsKeptAside();
    void commentedFileIsKeptAside_data();
    void commentedFileIsKeptAside();
    void twoWritersAtOnce();
    void failedReplaceChangesNothing();
    void updateWritesOnlyTheDifference();
    void partOfAKey();

private:
    QString helper() const {
        return QCoreApplication::applicationDirPath() + QStringLiteral("/settings_store_helper");
    }
    std::unique_ptr<StoreFolders> m_store;
};

void TestRegSetting::keyPath_data() {
    QTest::addColumn<QString>("application");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("path");
    QTest::newRow("culture 2") << App << "Cultures\\2"
                               << "Software\\Talvesk\\Miravel\\Cultures\\2";
    QTest::newRow("settings") << App << "Settings"
                              << "Software\\Talvesk\\Miravel\\Settings";
    QTest::newRow("no application") << QString() << "Settings"
                                    << "Software\\Talvesk\\";
}

void TestRegSetting::keyPath() {
    QFETCH(QString, application);
    QFETCH(QString, section);
    QFETCH(QString, path);
    QCOMPARE(RegSetting::KeyPath(application, section), path);
}

void TestRegSetting::valuesRoundTrip_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty is not the default") << "Name"
                                              << "";
    QTest::newRow("outer blanks") << "Name"
                                  << "  two  spaces ";
    QTest::newRow("comma") << "Name"
                           << "2:255  Al-Baqara, The Cow";
    QTest::newRow("ini syntax") << "Name"
                                << "[x] a=b; c";
    QTest::newRow("leading at") << "Name"
                                << "@Variant(junk)";
    QTest::newRow("line break") << "Name"
                                << "one\ntwo";
    QTest::newRow("quotes and backslashes") << "Name"
                                            << "\"C:\\Program Files\\x\"";
    QTest::newRow("non-latin") << "Name" << QString::fromUtf8("البقرة");
    QTest::newRow("slash in name") << "a/b"
                                   << "slash";
    QTest::newRow("backslash in name") << "a\\b"
                                       << "backslash";
    QTest::newRow("percent in name") << "100%2F"
                                     << "percent";
}

void TestRegSetting::valuesRoundTrip() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QVERIFY(RegSetting::SaveValue(App, "BookMarks\\1", name, text));
    QCOMPARE(RegSetting::GetValue(App, "BookMarks\\1", name, "DEFAULT"), text);
    // No other value appears through the name's separators.
    QCOMPARE(RegSetting::GetValue(App, "BookMarks\\1\\a", "b", "DEFAULT"), QString("DEFAULT"));
}

void TestRegSetting::namesIgnoreCase_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("otherSection");
    QTest::addColumn<QString>("otherName");
    QTest::newRow("value name") << "Settings"
                                << "BK1"
                                << "Settings"
                                << "bk1";
    QTest::newRow("key name") << "BookMarks\\1"
                              << "Name"
                              << "Bookmarks\\1"
                              << "NAME";
}

void TestRegSetting::namesIgnoreCase() {
    QFETCH(QString, section);
    QFETCH(QString, name);
    QFETCH(QString, otherSection);
    QFETCH(QString, otherName);
    QVERIFY(RegSetting::SaveValue(App, section, name, "first"));
    QCOMPARE(RegSetting::GetValue(App, otherSection, otherName, "DEFAULT"), QString("first"));

    // Writing under the other spelling replaces the value instead of adding one.
    QVERIFY(RegSetting::SaveValue(App, otherSection, otherName, "second"));
    QCOMPARE(RegSetting::GetValue(App, section, name, "DEFAULT"), QString("second"));
    QSettings::Status status;
    const auto values = m_store->parse(m_store->userFile(), &status);
    QCOMPARE(values.size(), 1);
    QCOMPARE(values.first().toString(), QString("second"));
}

void TestRegSetting::readCreatesNothing() {
    for (int attempt = 0; attempt < 2; ++attempt)
        QCOMPARE(RegSetting::GetValue(App, "Nowhere\\Deep", "Name", "DEFAULT"), QString("DEFAULT"));
    QVERIFY(QDir(m_store->userFolder()).isEmpty());

    QVERIFY(RegSetting::SaveValue(App, "Settings", "Skin", "2"));
    const QByteArray before = StoreFolders::contentOf(m_store->userFile());
    const QStringList filesBefore = QDir(m_store->userFolder() + "/Talvesk").entryList(QDir::Files);
    QCOMPARE(RegSetting::GetValue(App, "Nowhere", "Name", "DEFAULT"), QString("DEFAULT"));
    QCOMPARE(StoreFolders::contentOf(m_store->userFile()), before);
    QCOMPARE(QDir(m_store->userFolder() + "/Talvesk").entryList(QDir::Files), filesBefore);
}

void TestRegSetting::writeCreatesParentKeys() {
    QVERIFY(RegSetting::SaveValue(App, "A\\B\\C", "v", "x"));
    QCOMPARE(RegSetting::GetValue(App, "a\\b\\c", "V", "DEFAULT"), QString("x"));
    QSettings::Status status;
    const auto values = m_store->parse(m_store->userFile(), &status);
    QCOMPARE(values.keys(), QStringList{"A/B/C/v"});
}

void TestRegSetting::systemFileIsReadFallback() {
    const QByteArray system = "[Cultures]\n1\\Name=Deutsch\n\n[Cultures\\2]\nname=Fran\xc3\xa7"
                              "ais, Suisse\n";
    m_store->writeSystemFile(system);
    QCOMPARE(RegSetting::GetValue(App, "Cultures\\1", "Name", ""), QString("Deutsch"));
    QCOMPARE(RegSetting::GetValue(App, "cultures\\2", "NAME", ""),
             QString::fromUtf8("Français, Suisse"));

    QVERIFY(RegSetting::SaveValue(App, "Cultures\\1", "Name", "Mine"));
    QCOMPARE(RegSetting::GetValue(App, "Cultures\\1", "Name", ""), QString("Mine"));
    QCOMPARE(StoreFolders::contentOf(m_store->systemFile()), system);
}

void TestRegSetting::deleteKeyRemovesOnlyLeafKeys() {
    QVERIFY(RegSetting::SaveValue(App, "BookMarks", "BookMarks", "1;2"));
    QVERIFY(RegSetting::SaveValue(App, "BookMarks\\1", "Name", "1:1  x"));
    QVERIFY(RegSetting::SaveValue(App, "BookMarks\\2", "Name", "2:255  y"));

    QCOMPARE(RegSetting::DeleteKey(App, "Bookmarks\\1"), false);
    QCOMPARE(RegSetting::GetValue(App, "BookMarks\\1", "Name", "gone"), QString("gone"));
    QCOMPARE(RegSetting::GetValue(App, "BookMarks\\2", "Name", "gone"), QString("2:255  y"));

    // A key with subkeys stays, as the registry refuses to delete it.
    QCOMPARE(RegSetting::DeleteKey(App, "BookMarks"), false);
    QCOMPARE(RegSetting::GetValue(App, "BookMarks", "BookMarks", "gone"), QString("1;2"));
    QCOMPARE(RegSetting::GetValue(App, "BookMarks\\2", "Name", "gone"), QString("2:255  y"));
}

void TestRegSetting::emptyApplicationNameIgnoresSection() {
    QVERIFY(RegSetting::SaveValue(QString(), "Ignored", "v", "vendor"));
    QCOMPARE(RegSetting::GetValue(QString(), "Other", "v", "DEFAULT"), QString("vendor"));
    QCOMPARE(RegSetting::GetValue(App, "Ignored", "v", "DEFAULT"), QString("DEFAULT"));
}

void TestRegSetting::exportKeyWithSubkeys() {
    QVERIFY(RegSetting::SaveValue(App, "BookMarks", "BookMarks", "2;1"));
    QVERIFY(RegSetting::SaveValue(App, "BookMarks\\1", "Name", "1:7  a/b, c"));
    QVERIFY(RegSetting::SaveValue(App, "Bookmarks\\2", "Name", "2:255  x"));
    QVERIFY(RegSetting::SaveValue(App, "BookMarks\\2\\deep", "100%2F", "odd"));
    QVERIFY(RegSetting::SaveValue(App, "Settings", "Skin", "3"));

    const StoredKey expected{{"", {{"BookMarks", "2;1"}}},
                             {"1", {{"Name", "1:7  a/b, c"}}},
                             {"2", {{"Name", "2:255  x"}}},
                             {"2\\deep", {{"100%2F", "odd"}}}};
    QCOMPARE(RegSetting::ExportKey(App, "bookmarks"), std::optional<StoredKey>(expected));
    QCOMPARE(RegSetting::ExportKey(App, "Missing"), std::optional<StoredKey>(StoredKey{{"", {}}}));
}

void TestRegSetting::replaceKeyUnderEverySpelling() {
    // A hand-edited file may hold the key under two spellings; both go.
    m_store->writeUserFile("[Settings]\nSkin=3\n\n[BookMarks]\nBookMarks=1;2\n1\\Name=1:1  old\n"
                           "\n[bookmarks]\n2\\Name=2:2  old\n3\\Name=3:3  orphan\n");
    const StoredKey content{{"", {{"BookMarks", "5"}}}, {"5", {{"Name", "2:255  new"}}}};
    QVERIFY(RegSetting::ReplaceKey(App, "BookMarks", content));

    QCOMPARE(RegSetting::ExportKey(App, "BookMarks"), std::optional<StoredKey>(content));
    QCOMPARE(RegSetting::GetValue(App, "BookMarks\\3", "Name", "gone"), QString("gone"));
    QCOMPARE(RegSetting::GetValue(App, "Settings", "Skin", "2"), QString("3"));
    QSettings::Status status;
    const auto values = m_store->parse(m_store->userFile(), &status);
    QCOMPARE(values.keys(),
             QStringList({"BookMarks/5/Name", "BookMarks/BookMarks", "Settings/Skin"}));

    // Replacing by an empty key leaves no value behind.
    QVERIFY(RegSetting::ReplaceKey(App, "BookMarks", StoredKey{{"", {}}}));
    QCOMPARE(RegSetting::ExportKey(App, "BookMarks"),
             std::optional<StoredKey>(StoredKey{{"", {}}}));
    QCOMPARE(RegSetting::GetValue(App, "Settings", "Skin", "2"), QString("3"));
}

void TestRegSetting::bookmarksIgnoreSystemFile() {
    // Bookmarks are the reader's own: an installer's values never join them,
    // not even after the user's key was replaced whole.
    m_store->writeSystemFile("[BookMarks]\nBookMarks=1;9\n9\\Name=9:9  system\n"
                             "1\\Name=1:1  system\n\n[Cultures]\n1\\Name=Deutsch\n");
    QCOMPARE(RegSetting::GetValue(App, "BookMarks", "BookMarks", ""), QString());
    QVERIFY(RegSetting::ReplaceKey(App, "BookMarks", {{"", {{"BookMarks", "1"}}}}));
    QCOMPARE(RegSetting::GetValue(App, "BookMarks", "BookMarks", ""), QString("1"));
    QCOMPARE(RegSetting::GetValue(App, "BookMarks\\1", "Name", ""), QString());
    QCOMPARE(RegSetting::GetValue(App, "BookMarks\\9", "Name", ""), QString());
    QCOMPARE(RegSetting::GetValue(App, "Cultures\\1", "Name", ""), QString("Deutsch"));
}

void TestRegSetting::storeThatCannotBeWritten_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QByteArray>("probed"); // what the probe's write and read give
    // A file that cannot be written is still read, as the system-wide one is.
    QTest::newRow("read-only file") << "file" << QByteArray("save=0 get=1");
    QTest::newRow("read-only folder") << "folder" << QByteArray("save=0 get=1");
    QTest::newRow("folder cannot be created") << "blocked" << QByteArray("save=0 get=default");
}

void TestRegSetting::storeThatCannotBeWritten() {
    QFETCH(QString, fault);
    const bool root = ::geteuid() == 0;
    const QString talvesk = m_store->userFolder() + "/Talvesk";
    if (fault == "blocked") {
        QFile blocker(talvesk); // a file where the store's folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    } else {
        QVERIFY(RegSetting::SaveValue(App, "Settings", "Skin", "1"));
    }
    const QByteArray before = StoreFolders::contentOf(m_store->userFile());

    // Permissions do not hold back root, so the probe then runs as "nobody".
    const QFile::Permissions readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions openFolder =
        readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    for (const QString& folder : {m_store->root(), m_store->userFolder(), m_store->systemFolder()})
        QVERIFY(QFile::setPermissions(folder, openFolder | QFile::WriteOwner));
    if (fault == "file") {
        QVERIFY(QFile::setPermissions(talvesk, openFolder | QFile::WriteOwner));
        QVERIFY(QFile::setPermissions(m_store->userFile(), readable));
    } else if (fault == "folder") {
        QVERIFY(QFile::setPermissions(talvesk, openFolder));
        QVERIFY(QFile::setPermissions(m_store->userFile(),
                                      readable | QFile::WriteOwner | QFile::WriteOther));
    }

    QProcess probe;
    QStringList args{m_store->userFolder(), m_store->systemFolder(), "probe"};
    if (root) {
        args.prepend(helper());
        args = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups"} + args;
        probe.start("setpriv", args);
    } else {
        probe.start(helper(), args);
    }
    QVERIFY(probe.waitForFinished(30000));
    QCOMPARE(probe.exitCode(), 0);
    QFETCH(QByteArray, probed);
    QCOMPARE(probe.readAllStandardOutput().trimmed(), probed);
    QCOMPARE(StoreFolders::contentOf(m_store->userFile()), before);
    QFile::setPermissions(talvesk, openFolder | QFile::WriteOwner);
}

void TestRegSetting::damagedFileIsKeptAside() {
    const QByteArray garbage("\x00\xff\xfe garbage\n[Settings\nSkin\n\x01\x02=\x03\n\xc3(", 34);
    m_store->writeUserFile(garbage);

    QCOMPARE(RegSetting::GetValue(App, "Settings", "Skin", "2"), QString("2"));
    QVERIFY(RegSetting::SaveValue(App, "Settings", "Skin", "3"));
    QCOMPARE(RegSetting::GetValue(App, "Settings", "Skin", "2"), QString("3"));

    const QDir folder(m_store->userFolder() + "/Talvesk");
    const QStringList backups = folder.entryList({"Miravel.ini.damaged-*"}, QDir::Files);
    QCOMPARE(backups.size(), 1);
    QCOMPARE(StoreFolders::contentOf(folder.filePath(backups.first())), garbage);
    QSettings::Status status;
    const auto values = m_store->parse(m_store->userFile(), &status);
    QCOMPARE(status, QSettings::NoError);
    QCOMPARE(values.value("Settings/Skin").toString(), QString("3"));

    // The repaired file needs no further backup.
    QVERIFY(RegSetting::SaveValue(App, "Settings", "Angle", "45"));
    QCOMPARE(folder.entryList({"Miravel.ini.damaged-*"}, QDir::Files).size(), 1);
}

void TestRegSetting::commentedFileIsKeptAside_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("copies");
    QTest::newRow("comment line") << QByteArray(
                                         "; written by hand\n[Settings]\nOrderString=1/2/3\n")
                                  << 1;
    QTest::newRow("indented comment among values")
        << QByteArray("[Settings]\nOrderString=1/2/3\n  ; keep the transliteration\n") << 1;
    QTest::newRow("comment after a value")
        << QByteArray("[Settings]\nOrderString=1/2/3\n[BookMarks]\nBookMarks=1;2\n") << 1;
    QTest::newRow("no comment") << QByteArray("[Settings]\nOrderString=1/2/3\n") << 0;
    QTest::newRow("semicolon in quotes")
        << QByteArray("[Settings]\nOrderString=1/2/3\n[BookMarks]\n"
                      "BookMarks=\"1;2\"\nName=\"a \\\" b;c\"\n")
        << 0;
}

void TestRegSetting::commentedFileIsKeptAside() {
    QFETCH(QByteArray, content);
    QFETCH(int, copies);
    m_store->writeUserFile(content);

    QVERIFY(RegSetting::SaveValue(App, "Settings", "Skin", "3"));
    QCOMPARE(RegSetting::GetValue(App, "Settings", "OrderString", "1/2"), QString("1/2/3"));
    const QDir folder(m_store->userFolder() + "/Talvesk");
    const QStringList kept = folder.entryList({"Miravel.ini.*-2*"}, QDir::Files);
    QCOMPARE(kept.size(), copies);
    if (copies)
        QCOMPARE(StoreFolders::contentOf(folder.filePath(kept.first())), content);

    // The comments are gone after the first save; later saves copy nothing.
    QVERIFY(RegSetting::SaveValue(App, "Settings", "Angle", "45"));
    QCOMPARE(folder.entryList({"Miravel.ini.*-2*"}, QDir::Files).size(), copies);
}

void TestRegSetting::twoWritersAtOnce() {
    const int count = 200;
    const QString goFile = m_store->root() + "/go";
    QProcess writers[2];
    const QString tags[2] = {"A", "B"};
    for (int i = 0; i < 2; ++i) {
        writers[i].setProcessChannelMode(QProcess::ForwardedErrorChannel);
        writers[i].start(helper(), {m_store->userFolder(), m_store->systemFolder(), "race", tags[i],
                                    QString::number(count), goFile});
        QVERIFY(writers[i].waitForStarted());
    }
    QFile go(goFile);
    QVERIFY(go.open(QIODevice::WriteOnly));
    go.close();
    for (QProcess& writer : writers) {
        QVERIFY(writer.waitForFinished(240000));
        QCOMPARE(writer.readAllStandardOutput().trimmed(), QByteArray("failures=0"));
        QCOMPARE(writer.exitCode(), 0);
    }

    QSettings::Status status;
    const auto values = m_store->parse(m_store->userFile(), &status);
    QCOMPARE(status, QSettings::NoError);
    for (int i = 0; i < count; ++i) {
        const QString shared = values.value(QString("Race/V%1").arg(i)).toString();
        QVERIFY2(shared == QString("A-%1").arg(i) || shared == QString("B-%1").arg(i),
                 qPrintable(QString("V%1 holds \"%2\"").arg(i).arg(shared)));
        for (const QString& tag : tags)
            QCOMPARE(values.value(QString("Race/%1/V%2").arg(tag).arg(i)).toString(),
                     QString("%1-%2").arg(tag).arg(i));
    }
    QCOMPARE(values.size(), 3 * count);
}

void TestRegSetting::failedReplaceChangesNothing() {
    QVERIFY(RegSetting::SaveValue(App, "BookMarks", "BookMarks", "1"));
    QVERIFY(RegSetting::SaveValue(App, "BookMarks\\1", "Name", "1:1  kept"));
    const QByteArray before = StoreFolders::contentOf(m_store->userFile());
    // The writers' lock cannot be taken: a folder stands where it goes.
    QVERIFY(QDir().mkpath(m_store->userFile() + ".writer"));

    QVERIFY(!RegSetting::ReplaceKey(App, "BookMarks", {{"", {{"BookMarks", "2"}}}}));
    QCOMPARE(StoreFolders::contentOf(m_store->userFile()), before);
    QCOMPARE(RegSetting::GetValue(App, "BookMarks\\1", "Name", ""), QString("1:1  kept"));
}

void TestRegSetting::updateWritesOnlyTheDifference() {
    // Values the update does not touch stay as written, a second spelling of
    // the key included.
    m_store->writeUserFile("[Settings]\nSkin=3\n\n[BookMarks]\nBookMarks=\"1\"\n1\\Name=1:1  a\n"
                           "1\\Extra=x\n2\\Name=1:2  b\n\n[bookmarks]\n9\\Name=9:9  hidden\n");
    const QByteArray before = StoreFolders::contentOf(m_store->userFile());
    StoredKey seen;
    QVERIFY(!RegSetting::UpdateKey(App, "BookMarks", [&](const StoredKey& current) {
        seen = current;
        return std::optional<StoredKey>();
    }));
    QCOMPARE(StoreFolders::contentOf(m_store->userFile()), before);
    QCOMPARE(seen, StoredKey({{"", {{"BookMarks", "1"}}},
                              {"1", {{"Extra", "x"}, {"Name", "1:1  a"}}},
                              {"2", {{"Name", "1:2  b"}}}}));

    QVERIFY(RegSetting::UpdateKey(App, "BookMarks", [](StoredKey key) {
        key[""]["BookMarks"] = "1;3";
        key.remove("2");
        key["3"]["Name"] = "3:3  c";
        return std::optional<StoredKey>(key);
    }));
    QSettings::Status status;
    const auto values = m_store->parse(m_store->userFile(), &status);
    QCOMPARE(values.keys(),
             QStringList({"BookMarks/1/Extra", "BookMarks/1/Name", "BookMarks/3/Name",
                          "BookMarks/BookMarks", "Settings/Skin", "bookmarks/9/Name"}));
    QCOMPARE(values.value("BookMarks/BookMarks").toString(), QString("1;3"));
}

void TestRegSetting::partOfAKey() {
    m_store->writeUserFile("[BookMarks]\nBookMarks=\"3;1;2\"\n1\\Name=a\n2\\Name=b\n3\\Name=c\n");
    const std::optional<StoredKey> part =
        RegSetting::ExportKeyPart(App, "bookmarks", [](const QMap<QString, QString>& own) {
            return own.value("BookMarks").split(';').mid(0, 2) + QStringList{"7"};
        });
    QCOMPARE(part, std::optional<StoredKey>(StoredKey({{"", {{"BookMarks", "3;1;2"}}},
                                                       {"3", {{"Name", "c"}}},
                                                       {"1", {{"Name", "a"}}}})));
}

QTEST_GUILESS_MAIN(TestRegSetting)
#include "tst_regsetting.moc"
