#include "AddedTranslations.h"
#include "ChapterInfoPage.h"
#include "FakeComposerView.h"
#include "RegSetting.h"
#include "ResReader.h"
#include "Settings.h"
#include "SettingsModel.h"
#include "SuraPageComposer.h"
#include "SuraVerses.h"
#include "TextLanguage.h"
#include "UserLibraries.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopedPointer>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <sys/stat.h>

// Translations added from verse files: the library built from the file
// shows as the built-in one does, bad files change nothing, and the added
// translation outlives a restart and a culture change until it is removed.
class TestTranslations : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home_; // settings and the user's data folder
    QTemporaryDir sources_;               // the verse files the reader picks
    QList<int> counts_;

    static QString pickthallPath() {
        return QStringLiteral(MIRAVEL_DATA_DIR "/translation-en-pickthall.tsv");
    }

    // The built-in translation's source in the exchange layout
    // `sura|verse|text`, its comment lines kept; `edit` changes the text.
    QString pickthallWithBars(const QString& name,
                              const std::function<void(QByteArray&)>& edit = {}) {
        QFile source(pickthallPath());
        if (!source.open(QIODevice::ReadOnly))
            return {};
        QByteArray text;
        for (const QByteArray& line : source.readAll().split('\n')) {
            if (line.isEmpty())
                continue;
            if (line.startsWith('#')) {
                text += line + '\n';
                continue;
            }
            const qsizetype first = line.indexOf('\t');
            const qsizetype second = line.indexOf('\t', first + 1);
            QByteArray row = line;
            row[first] = '|';
            row[second] = '|';
            text += row + '\n';
        }
        if (edit)
            edit(text);
        return write(name, text);
    }

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = sources_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        return path;
    }

    static AddedTranslations::AskDetails
    answer(const QString& name, AddedTranslations::Slot slot = AddedTranslations::Translation) {
        return [name, slot](const TranslationSource&) {
            return std::optional<AddedTranslations::Details>({name, slot, QString()});
        };
    }

    // The body of sura `sura` as the page composer writes it.
    static QString page(int sura, const QString& order, const QString& translation,
                        const QString& transliteration = QStringLiteral("Etx3.dll")) {
        return composed(sura, order, translation, transliteration).body;
    }

    static FakeComposerView composed(int sura, const QString& order, const QString& translation,
                                     const QString& transliteration = QStringLiteral("Etx3.dll")) {
        bool cancel = false;
        ComposerHost host;
        host.orderString = order;
        host.arabicLibraryFile = QStringLiteral("miravel.exe");
        host.translationLibraryFile = translation;
        host.transliterationLibraryFile = transliteration;
        host.pageAddress = [](const QString& name) { return QStringLiteral("res:page/") + name; };
        host.treeNodeText = [](int n) { return QStringLiteral("%1- Name").arg(n); };
        host.englishName = [](int n) { return QStringLiteral("English %1").arg(n); };
        host.selectSuraNode = [](int) {};
        host.focusTree = [] {};
        host.yield = [] {};
        host.cancelDisplay = &cancel;
        FakeComposerView view;
        SuraPageComposer composer;
        composer.DispalyHTML(100 + sura, host, view);
        return view;
    }

    // A copy of this test program that adds `file` as a translation named
    // `name` to the store under `home` (see main below).
    static QProcess* startAdding(const QString& home, const QString& file, const QString& name,
                                 bool loop = false) {
        auto* child = new QProcess;
        child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child->start(
            QCoreApplication::applicationFilePath(),
            {loop ? QStringLiteral("--add-loop") : QStringLiteral("--add-once"), home, file, name});
        return child;
    }

    // Every culture the user's file holds is whole: a name and its three
    // libraries, each added one on the disc; every added library on the disc
    // but the newest is named by one.
    void verifyCulturesWhole() {
        QSettings file(RegSetting::UserFileName(QStringLiteral("Miravel")), QSettings::IniFormat);
        file.beginGroup(QStringLiteral("Cultures"));
        for (const QString& number : file.childGroups()) {
            file.beginGroup(number);
            const QStringList keys = file.childKeys();
            QVERIFY2(keys.contains(QStringLiteral("Name")), qPrintable(number));
            if (!file.value(QStringLiteral("Name")).toString().isEmpty() && number != "1") {
                for (const char* key : {"dll", "dll2", "dll3"})
                    QVERIFY2(keys.contains(QLatin1String(key)), qPrintable(number + key));
                for (const char* key : {"dll2", "dll3"}) {
                    const QString library = file.value(QLatin1String(key)).toString();
                    if (UserLibraries::isUserLibrary(library))
                        QVERIFY2(QFileInfo(UserLibraries::pathOf(library)).isFile(),
                                 qPrintable(library));
                }
            }
            file.endGroup();
        }
    }

    // What the user's settings file and data folder hold, to tell that a
    // refused file changed nothing.
    QStringList snapshot() const {
        QStringList state;
        QFile settings(RegSetting::UserFileName(QStringLiteral("Miravel")));
        state << (settings.open(QIODevice::ReadOnly) ? QString::fromUtf8(settings.readAll())
                                                     : QStringLiteral("<no settings file>"));
        QDirIterator it(home_->filePath(QStringLiteral("data")),
                        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            state << it.filePath() + QLatin1Char(' ') + QString::number(it.fileInfo().size());
        }
        return state;
    }

    static QString libraryFile(int code) {
        Settings settings;
        ReadAppSettings(settings);
        return code == 2 ? settings.values().TranslationLibraryFile
                         : settings.values().TransliterationLibraryFile;
    }

private slots:
    void initTestCase() {
        QCoreApplication::setApplicationName(QStringLiteral("Miravel"));
        QCoreApplication::setOrganizationName(QStringLiteral("Talvesk"));
        counts_ = AddedTranslations::verseCounts(ResReader());
        QCOMPARE(counts_.size(), 114);
        QCOMPARE(counts_.at(1), 286);
    }

    // Fresh settings and a fresh data folder for every case.
    void init() {
        home_ = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home_->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope,
                           home_->filePath(QStringLiteral("system")));
        qputenv("XDG_DATA_HOME", home_->filePath(QStringLiteral("data")).toUtf8());
    }

    void pickthallAddedShowsAsBuiltIn() {
        const QString path = pickthallWithBars(QStringLiteral("en.pickthall.txt"));
        QVERIFY(!path.isEmpty());
        Settings settings;
        ReadAppSettings(settings);
        const auto failure =
            AddedTranslations(settings).addFile(path, counts_, [](const TranslationSource& source) {
                // The comment lines name it as the built-in one is named.
                return std::optional<AddedTranslations::Details>(
                    {source.suggestedName, AddedTranslations::Translation, QString()});
            });
        QVERIFY2(!failure, qPrintable(failure.value_or(QString())));
        const auto added = AddedTranslations(settings).list();
        QCOMPARE(added.size(), 1);
        QCOMPARE(added.first().name, QStringLiteral("English (Pickthall)"));
        QCOMPARE(added.first().culture, 2);
        const QString library = added.first().library;
        QVERIFY(UserLibraries::isUserLibrary(library));
        QVERIFY(QFileInfo(UserLibraries::pathOf(library)).isFile());
        // It is chosen at once, and the program's own language stays the first.
        QCOMPARE(libraryFile(2), library);
        QCOMPARE(settings.text(Setting::CultureName, 1), QStringLiteral("English"));

        for (const int sura : {1, 2, 58}) {
            const QString builtIn = page(sura, QStringLiteral("1/2"), QStringLiteral("Etx2.dll"));
            QVERIFY(sura != 1 || builtIn.contains(QStringLiteral("Lord of the Worlds")));
            QCOMPARE(page(sura, QStringLiteral("1/2"), library), builtIn);
        }
        // The captions are the program's own, but for the translation's name.
        ResReader reader;
        reader.LoadLibrary(library);
        QCOMPARE(reader.LoadSTvar(224), QStringLiteral("English (Pickthall)"));
        QCOMPARE(reader.LoadSTvar(201), QStringLiteral("&File"));
        const QString notice = ChapterInfoPage::addedTranslationNotice(reader);
        QVERIFY(notice.contains(QStringLiteral("Name: Pickthall<br />")));
        QVERIFY(notice.contains(QStringLiteral("English (Pickthall)")));
    }

    // In place of the transliteration, verse k is verse k in every sura: the
    // translation's lead elements are left out.
    void addedAsTransliterationKeepsVersesInPlace() {
        const QString path = pickthallWithBars(QStringLiteral("p.txt"));
        Settings settings;
        QVERIFY(!AddedTranslations(settings).addFile(
            path, counts_,
            answer(QStringLiteral("Pickthall"), AddedTranslations::Transliteration)));
        const QString library = libraryFile(3);
        QVERIFY(UserLibraries::isUserLibrary(library));
        QCOMPARE(libraryFile(2), QStringLiteral("Etx2.dll"));
        QVERIFY(settings.text(Setting::OrderString).split(QLatin1Char('/')).contains("3"));
        ResReader builtIn;
        builtIn.LoadLibrary(QStringLiteral("Etx2.dll"));
        ResReader added;
        added.LoadLibrary(library);
        for (const int sura : {1, 47, 58}) {
            const SuraVerses expected = SuraVerses::read(builtIn, sura, true);
            const SuraVerses shown = SuraVerses::read(added, sura, false);
            QCOMPARE(shown.storedVerseCount(), counts_.at(sura - 1));
            for (int verse = 1; verse <= counts_.at(sura - 1); ++verse)
                QCOMPARE(shown.shownVerse(verse).trimmed(), expected.shownVerse(verse).trimmed());
        }
    }

    // Markup in a verse or a comment line is text to show, never markup.
    void markupShowsAsText() {
        const QString path = pickthallWithBars(QStringLiteral("m.txt"), [](QByteArray& text) {
            text.replace("1|1|In the name", "1|1|<b onclick='x()'>In</b> the name");
            text.prepend("# <script>alert(1)</script>\n");
        });
        Settings settings;
        QVERIFY(!AddedTranslations(settings).addFile(path, counts_,
                                                     answer(QStringLiteral("<i>M</i>"))));
        const QString library = libraryFile(2);
        const QString body = page(1, QStringLiteral("2"), library);
        QVERIFY(body.contains(QStringLiteral("&lt;b onclick='x()'&gt;In&lt;/b&gt; the name")));
        QVERIFY(!body.contains(QStringLiteral("<b ")));
        ResReader reader;
        reader.LoadLibrary(library);
        const QString notice = ChapterInfoPage::addedTranslationNotice(reader);
        QVERIFY(notice.contains(QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt;")));
        QVERIFY(notice.contains(QStringLiteral("&lt;i&gt;M&lt;/i&gt;")));
        QVERIFY(!notice.contains(QStringLiteral("<script")));
    }

    void badFilesChangeNothing_data() {
        QTest::addColumn<QString>("kind"); // file, folder, pipe, huge
        QTest::addColumn<QByteArray>("edit");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const char* kind, const QByteArray& edit,
                            const char* message) {
            QTest::newRow(name) << QString::fromLatin1(kind) << edit << QString::fromUtf8(message);
        };
        // An edit is "find=>replacement" on the Pickthall file in the bar layout.
        row("not UTF-8", "file", "1|1|In the name=>1|1|In the \xE9name", "is not UTF-8 text");
        row("malformed line", "file", "1|2|=>1 2 ", "Line 21: not a line \"sura|verse|text\"");
        row("sura out of range", "file", "114|6|Of the jinn and of mankind.=>115|1|x",
            "there is no verse 115:1");
        row("verse out of range", "file", "1|7|=>1|8|", "there is no verse 1:8");
        row("verse missing", "file", "2|255|=>#2|255|", "verse 2:255 is missing before it");
        row("verse twice", "file", "2|256|=>2|255|", "verse 2:255 is given twice");
        row("last verse missing", "file", "114|6|Of the jinn and of mankind.=>",
            "Verse 114:6 is missing at the end");
        row("no verses", "file", "", "holds no verses");
        row("folder", "folder", "", "is a folder, not a verse file");
        row("pipe", "pipe", "", "is not a plain file");
        row("100 MB", "huge", "", "is larger than 16 MiB");
    }
    void badFilesChangeNothing() {
        QFETCH(QString, kind);
        QFETCH(QByteArray, edit);
        QFETCH(QString, message);
        // A translation added before: the bad file must leave it alone too.
        Settings settings;
        QVERIFY(!AddedTranslations(settings).addFile(pickthallWithBars(QStringLiteral("ok.txt")),
                                                     counts_, answer(QStringLiteral("Before"))));
        QString path = sources_.filePath(QStringLiteral("bad"));
        QFile::remove(path);
        QDir(path).removeRecursively();
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == QLatin1String("pipe")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == QLatin1String("huge")) {
            QFile huge(path);
            QVERIFY(huge.open(QIODevice::WriteOnly));
            QVERIFY(huge.resize(100 * 1024 * 1024)); // sparse: no 100 MB written
        } else if (edit.isEmpty()) {
            path = write(QStringLiteral("bad"), "# comments only\n");
        } else {
            const QList<QByteArray> parts = edit.split('=');
            const QByteArray from = parts.first();
            const QByteArray to = edit.mid(from.size() + 2);
            path = pickthallWithBars(QStringLiteral("bad"), [&](QByteArray& text) {
                QVERIFY(text.contains(from));
                text.replace(text.indexOf(from), from.size(), to);
            });
        }
        const QStringList before = snapshot();
        bool asked = false;
        const auto failure =
            AddedTranslations(settings).addFile(path, counts_, [&asked](const TranslationSource&) {
                asked = true;
                return std::optional<AddedTranslations::Details>();
            });
        QVERIFY(failure);
        QVERIFY2(failure->contains(message), qPrintable(*failure));
        QVERIFY(failure->contains(QStringLiteral("Nothing was added.")));
        QVERIFY(!asked);
        QCOMPARE(snapshot(), before);
        QFile::remove(path);
        QDir(path).removeRecursively();
    }

    // Where the library cannot be stored, nothing half written stays and
    // the settings are untouched.
    void unwritableDataFolderChangesNothing() {
        const QString path = pickthallWithBars(QStringLiteral("p.txt"));
        const QString folder = UserLibraries::folder();
        QVERIFY(QDir().mkpath(QFileInfo(folder).path()));
        QFile blocker(folder); // a file where the folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Settings settings;
        const QStringList before = snapshot();
        const auto failure =
            AddedTranslations(settings).addFile(path, counts_, answer(QStringLiteral("X")));
        QVERIFY(failure);
        QVERIFY2(failure->contains(QStringLiteral("cannot be made")), qPrintable(*failure));
        QCOMPARE(snapshot(), before);
    }

    // A library left half written by a stopped program goes at the next
    // add; a fresh one may be another copy's at work and stays.
    void stalePartialLibrariesGo() {
        QVERIFY(QDir().mkpath(UserLibraries::folder()));
        const auto partial = [](const QString& name, qint64 secondsAgo) {
            const QString path = UserLibraries::folder() + QLatin1Char('/') + name;
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write("qres");
            file.flush(); // else closing would write, and date, it anew
            file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo),
                             QFileDevice::FileModificationTime);
            return path;
        };
        const QString old = partial(QStringLiteral("Translation-1.dll.part"), 2 * 3600);
        const QString fresh = partial(QStringLiteral("Translation-2.dll.part"), 60);
        Settings settings;
        QVERIFY(!AddedTranslations(settings).addFile(pickthallWithBars(QStringLiteral("p.txt")),
                                                     counts_, answer(QStringLiteral("P"))));
        QVERIFY(!QFileInfo::exists(old));
        QVERIFY(QFileInfo::exists(fresh));
    }

    // A copy of the program killed at any moment of an add leaves either
    // the whole culture or none; a library it named in no culture goes at
    // the next add.
    void addKilledAnywhereLeavesWholeCultures() {
        const QString path = pickthallWithBars(QStringLiteral("k.txt"));
        constexpr int kRounds = 20;
        for (int round = 0; round < kRounds; ++round) {
            QScopedPointer<QProcess> child(
                startAdding(home_->path(), path, QStringLiteral("K%1").arg(round), true));
            QVERIFY(child->waitForStarted());
            // The time one add takes, from the begin of one to the next;
            // the kill then falls at a point spread over a whole add.
            QElapsedTimer add;
            for (int begun = 0; begun < 2;) {
                QVERIFY(child->waitForReadyRead(120000));
                begun += int(child->readAll().count('+'));
                if (begun == 1 && !add.isValid())
                    add.start();
            }
            QTest::qSleep(int(add.elapsed() * round / kRounds));
            ::kill(pid_t(child->processId()), SIGKILL);
            QVERIFY(child->waitForFinished());
            verifyCulturesWhole();
        }
        // The next add leaves exactly the libraries the cultures name.
        Settings settings;
        QVERIFY(!AddedTranslations(settings).addFile(path, counts_, answer(QStringLiteral("L"))));
        verifyCulturesWhole();
        QSet<QString> named;
        for (const auto& entry : AddedTranslations(settings).list())
            named.insert(UserLibraries::fileNameOf(entry.library));
        const QStringList onDisc =
            QDir(UserLibraries::folder()).entryList({QStringLiteral("*.dll")}, QDir::Files);
        QCOMPARE(QSet<QString>(onDisc.cbegin(), onDisc.cend()), named);
    }

    // Two copies adding at the same moment both succeed, each with its own
    // library and culture.
    void twoCopiesAddTogether() {
        const QString path = pickthallWithBars(QStringLiteral("t.txt"));
        QScopedPointer<QProcess> first(startAdding(home_->path(), path, QStringLiteral("First")));
        QScopedPointer<QProcess> second(startAdding(home_->path(), path, QStringLiteral("Second")));
        QVERIFY(first->waitForFinished(120000));
        QVERIFY(second->waitForFinished(120000));
        QCOMPARE(first->exitCode(), 0);
        QCOMPARE(second->exitCode(), 0);
        Settings settings;
        const auto added = AddedTranslations(settings).list();
        QCOMPARE(added.size(), 2);
        QStringList names{added.at(0).name, added.at(1).name};
        names.sort();
        QCOMPARE(names, QStringList({QStringLiteral("First"), QStringLiteral("Second")}));
        QVERIFY(added.at(0).library != added.at(1).library);
        for (const auto& entry : added)
            QVERIFY(ResReader::openLibrary(entry.library));
        QVERIFY(QDir(UserLibraries::folder())
                    .entryList({QStringLiteral("*.part")}, QDir::Files)
                    .isEmpty());
    }

    // Settings edited by hand may name a library with a path: removing its
    // culture deletes nothing outside the data folder.
    void removeDeletesOnlyInTheDataFolder_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent folder") << QStringLiteral("added:../outside.dll");
        QTest::newRow("two up") << QStringLiteral("added:../../outside.dll");
        QTest::newRow("absolute") << QStringLiteral("added:/OUTSIDE");
    }
    void removeDeletesOnlyInTheDataFolder() {
        QFETCH(QString, name);
        QVERIFY(QDir().mkpath(UserLibraries::folder()));
        QString target = name.mid(6);
        target = target == QLatin1String("/OUTSIDE")
                     ? home_->filePath(QStringLiteral("outside.dll"))
                     : UserLibraries::folder() + QLatin1Char('/') + target;
        if (name.endsWith(QLatin1String("OUTSIDE")))
            name = QStringLiteral("added:") + target;
        QFile outside(target);
        QVERIFY(outside.open(QIODevice::WriteOnly));
        outside.write("keep me");
        outside.close();
        Settings settings;
        QVERIFY(settings.save(Setting::CultureName, QStringLiteral("English"), 1));
        QVERIFY(settings.save(Setting::CultureName, QStringLiteral("Crafted"), 2));
        QVERIFY(settings.save(Setting::CultureTranslationLibrary, name, 2));
        QCOMPARE(AddedTranslations(settings).list().size(), 1);
        QVERIFY(!AddedTranslations(settings).remove(2));
        QVERIFY(AddedTranslations(settings).list().isEmpty());
        QVERIFY(QFileInfo::exists(target));
    }

    // The language a file gives (or the reader chose) is set on every
    // paragraph of the translation, right to left where the language is
    // written so, and its first verse stands under the basmala.
    void languageMarksTheParagraphs_data() {
        QTest::addColumn<QByteArray>("comment");
        QTest::addColumn<QString>("chosen"); // what the reader gives; "-": as the file says
        QTest::addColumn<QString>("opening");
        QTest::newRow("French by name") << QByteArray("# Language: French\n") << "-"
                                        << QStringLiteral("<p class='Trans' lang='fr' dir='ltr'>");
        QTest::newRow("Urdu by code") << QByteArray("# Language: ur\n") << "-"
                                      << QStringLiteral("<p class='Trans' lang='ur' dir='rtl'>");
        QTest::newRow("chosen in the window")
            << QByteArray() << "zh" << QStringLiteral("<p class='Trans' lang='zh' dir='ltr'>");
    }
    void languageMarksTheParagraphs() {
        QFETCH(QByteArray, comment);
        QFETCH(QString, chosen);
        QFETCH(QString, opening);
        const QString path = pickthallWithBars(QStringLiteral("l.txt"), [&](QByteArray& text) {
            text.prepend(comment);
            text.replace("1|1|In the name of Allah", "1|1|Au nom d'Allah");
        });
        Settings settings;
        const auto failure = AddedTranslations(settings).addFile(
            path, counts_, [&](const TranslationSource& source) {
                return std::optional<AddedTranslations::Details>(
                    {QStringLiteral("L"), AddedTranslations::Translation,
                     chosen == QLatin1String("-") ? source.language : chosen});
            });
        QVERIFY2(!failure, qPrintable(failure.value_or(QString())));
        const FakeComposerView view = composed(2, QStringLiteral("1/2"), libraryFile(2));
        QCOMPARE(view.body.count(opening), counts_.at(1));
        QVERIFY(view.body.contains(QStringLiteral("<p class='main' lang='ar' dir='rtl'>")));
        QVERIFY2(view.openingLine.startsWith(QStringLiteral("Au nom d'Allah")),
                 qPrintable(view.openingLine));
        QCOMPARE(view.openingLanguage, QString(opening).section(QLatin1Char('\''), 3, 3));
        // The built-in translation keeps the template's own line.
        const FakeComposerView builtIn = composed(2, QStringLiteral("1/2"), "Etx2.dll");
        QVERIFY(builtIn.openingLine.isEmpty());
    }

    void languageFromTheFileOrItsLetters_data() {
        QTest::addColumn<QStringList>("comments");
        QTest::addColumn<QString>("verse");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("guess");
        QTest::newRow("English name") << QStringList{" Language: Urdu"} << "x"
                                      << "ur"
                                      << "en";
        QTest::newRow("code with region") << QStringList{"Language: zh-Hans"} << "x"
                                          << "zh-Hans"
                                          << "en";
        QTest::newRow("unknown name") << QStringList{"Language: Klingon"} << "x"
                                      << ""
                                      << "en";
        QTest::newRow("Urdu letters")
            << QStringList{} << QStringLiteral("وہ بڑا رحم کرنے والا ہے") << ""
            << "ur";
        QTest::newRow("Arabic letters") << QStringList{} << QStringLiteral("بسم الله الرحمن") << ""
                                        << "ar";
        QTest::newRow("Chinese") << QStringList{} << QStringLiteral("奉至仁至慈的安拉之名") << ""
                                 << "zh";
        QTest::newRow("French letters")
            << QStringList{} << QStringLiteral("le Très Miséricordieux") << ""
            << "fr";
    }
    void languageFromTheFileOrItsLetters() {
        QFETCH(QStringList, comments);
        QFETCH(QString, verse);
        QFETCH(QString, language);
        QFETCH(QString, guess);
        QCOMPARE(TranslationSource::languageFromComments(comments), language);
        QCOMPARE(TextLanguage::guessFrom(verse), guess);
    }

    void survivesRestartAndCultureChangeUntilRemoved() {
        Settings settings;
        QVERIFY(!AddedTranslations(settings).addFile(pickthallWithBars(QStringLiteral("a.txt")),
                                                     counts_, answer(QStringLiteral("A"))));
        QVERIFY(!AddedTranslations(settings).addFile(pickthallWithBars(QStringLiteral("b.txt")),
                                                     counts_, answer(QStringLiteral("B"))));
        const auto added = AddedTranslations(settings).list();
        QCOMPARE(added.size(), 2);
        const QString a = added.at(0).library;
        const QString b = added.at(1).library;
        QVERIFY(a != b);

        // A restart reads the stored choice afresh; the library still opens.
        QCOMPARE(libraryFile(2), b);
        QVERIFY(ResReader::openLibrary(b));
        // Another language and back.
        QVERIFY(settings.save(Setting::Culture, QStringLiteral("1")));
        QCOMPARE(libraryFile(2), QStringLiteral("Etx2.dll"));
        QVERIFY(settings.save(Setting::Culture, QStringLiteral("2")));
        QCOMPARE(libraryFile(2), a);
        QCOMPARE(page(58, QStringLiteral("2"), a),
                 page(58, QStringLiteral("2"), QStringLiteral("Etx2.dll")));

        // Removing the chosen one returns to the built-in translation; the
        // later one moves up and keeps its library.
        QVERIFY(!AddedTranslations(settings).remove(2));
        QCOMPARE(libraryFile(2), QStringLiteral("Etx2.dll"));
        QVERIFY(!QFileInfo::exists(UserLibraries::pathOf(a)));
        const auto left = AddedTranslations(settings).list();
        QCOMPARE(left.size(), 1);
        QCOMPARE(left.first().culture, 2);
        QCOMPARE(left.first().name, QStringLiteral("B"));
        QCOMPARE(left.first().library, b);
        QVERIFY(settings.text(Setting::CultureName, 3).isEmpty());

        // Removing one that is not chosen keeps the choice.
        QVERIFY(!AddedTranslations(settings).remove(2));
        QCOMPARE(settings.text(Setting::Culture), QStringLiteral("1"));
        QVERIFY(AddedTranslations(settings).list().isEmpty());
        QVERIFY(!QFileInfo::exists(UserLibraries::pathOf(b)));
        QVERIFY(AddedTranslations(settings).remove(1)); // the program's own: refused
    }
};

// Run as a copy of the program that adds a translation: "--add-once home
// file name" adds it once; "--add-loop ..." adds it again and again, writing
// "+" as each add begins, until it is killed.
int main(int argc, char** argv) {
    if (argc == 5 && (qstrcmp(argv[1], "--add-once") == 0 || qstrcmp(argv[1], "--add-loop") == 0)) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Miravel"));
        QCoreApplication::setOrganizationName(QStringLiteral("Talvesk"));
        const QString home = QString::fromLocal8Bit(argv[2]);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home);
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope,
                           home + QStringLiteral("/system"));
        qputenv("XDG_DATA_HOME", (home + QStringLiteral("/data")).toUtf8());
        const QList<int> counts = AddedTranslations::verseCounts(ResReader());
        const bool loop = qstrcmp(argv[1], "--add-loop") == 0;
        Settings settings;
        for (int n = 0;; ++n) {
            if (loop) {
                fputs("+", stdout);
                fflush(stdout);
            }
            const auto failure = AddedTranslations(settings).addFile(
                QString::fromLocal8Bit(argv[3]), counts, [&](const TranslationSource&) {
                    return std::optional<AddedTranslations::Details>(
                        {QString::fromLocal8Bit(argv[4]) + (loop ? QString::number(n) : QString()),
                         AddedTranslations::Translation, QString()});
                });
            if (failure) {
                fprintf(stderr, "%s\n", qPrintable(*failure));
                return 1;
            }
            if (!loop)
                return 0;
        }
    }
    QCoreApplication app(argc, argv);
    TestTranslations test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_translations.moc"
