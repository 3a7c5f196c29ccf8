#include "AddedTranslations.h"
#include "ChapterInfoPage.h"
#include "FakeComposerView.h"
#include "RegSetting.h"
#include "ResReader.h"
#include "Settings.h"
#include "SettingsModel.h"
#include "SuraPageComposer.h"
#include "SuraVerses.h"
#include "UserLibraries.h"

#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

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
            return std::optional<AddedTranslations::Details>({name, slot});
        };
    }

    // The body of sura `sura` as the page composer writes it.
    static QString page(int sura, const QString& order, const QString& translation,
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
        return view.body;
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
                    {source.suggestedName, AddedTranslations::Translation});
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

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
