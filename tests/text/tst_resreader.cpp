#include "GuiStrings.h"
#include "RccValidator.h"
#include "ResReader.h"
#include "StoredCharacters.h"
#include "UserLibraries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

// Reads the library built from tests/text/fixtures, which lies beside the
// test program as "fixture.dll".
class TestResReader : public QObject {
    Q_OBJECT

private:
    static QString ownSura1() { return ResReader().LoadHtml(101, QString()).value_or(QString()); }

    static void writeBeside(const QString& name, const QByteArray& bytes) {
        QFile file(ResReader::programDirectory() + QLatin1Char('/') + name);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    static QByteArray fixtureBytes() {
        QFile file(ResReader::programDirectory() + QStringLiteral("/fixture.dll"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

    static quint32 treeOffset(const QByteArray& bytes) {
        const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
        return (quint32(data[8]) << 24) | (quint32(data[9]) << 16) | (quint32(data[10]) << 8) |
               data[11];
    }

    // The lines a library look-up logs under miravel.text, with the
    // category's info lines switched on as a reader would switch them on.
    static QStringList textLogOf(const std::function<void()>& run) {
        static QStringList* lines = nullptr;
        QStringList captured;
        lines = &captured;
        QLoggingCategory::setFilterRules(QStringLiteral("miravel.*.info=true"));
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext& context, const QString& message) {
                if (QLatin1String(context.category) == QLatin1String("miravel.text"))
                    lines->append(message);
            });
        run();
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules(QString());
        lines = nullptr;
        return captured;
    }

    static int mappedLibraries() {
        return QDir(QStringLiteral(":/miravel-lib")).entryList(QDir::Dirs).size();
    }

private slots:
    void unboundReaderReadsOwnLibrary() {
        ResReader reader;
        reader.LoadLibrary(QString());
        QCOMPARE(reader.strFileName(), QString());
        const QString names = reader.LoadHtml(330, QString()).value_or(QString());
        QCOMPARE(splitVerses(names).size(), 115);
    }

    void missingLibraryFallsBackButKeepsName() {
        ResReader reader;
        reader.LoadLibrary(QStringLiteral("NoSuchLibrary.dll"));
        QCOMPARE(reader.strFileName(), QStringLiteral("NoSuchLibrary.dll"));
        const QString sura1 = reader.LoadHtml(101, QString()).value_or(QString());
        QVERIFY(!sura1.isEmpty());
        QCOMPARE(sura1, ownSura1());
    }

    // A reader who wonders why a translation is missing learns which file
    // was looked for; the program's own name (library 1) is no news.
    void missingLibraryLogsTheFileLookedFor_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("logged");
        QTest::newRow("missing library") << "NoSuchLibrary.dll" << true;
        QTest::newRow("the program itself")
            << QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + ".EXE"
            << false;
    }
    void missingLibraryLogsTheFileLookedFor() {
        QFETCH(QString, fileName);
        QFETCH(bool, logged);
        const QStringList lines = textLogOf([&fileName] {
            ResReader reader;
            reader.LoadLibrary(fileName);
            QVERIFY(!reader.isLoaded());
        });
        if (!logged) {
            QVERIFY2(lines.isEmpty(), qPrintable(lines.join('\n')));
            return;
        }
        QCOMPARE(lines.size(), 1);
        const QString path = ResReader::programDirectory() + QLatin1Char('/') + fileName;
        QVERIFY2(lines.first().contains(path), qPrintable(lines.first()));
    }

    void damagedLibraryFallsBack_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = fixtureBytes();
        QVERIFY(good.size() > 100);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header only") << good.left(20);
        QTest::newRow("half") << good.left(good.size() / 2);
        QTest::newRow("last byte missing") << good.left(good.size() - 1);
        QTest::newRow("not a library") << QByteArray("MZ\x90\0 this is no resource file", 30);
        QByteArray rootAsFile = good;
        rootAsFile[qsizetype(treeOffset(good)) + 5] = 0; // root node flags without "directory"
        QTest::newRow("root is not a directory") << rootAsFile;
        QByteArray badTree = good;
        badTree[10] = char(0x7f); // tree offset far past the end
        QTest::newRow("tree offset past end") << badTree;
    }
    void damagedLibraryFallsBack() {
        QFETCH(QByteArray, bytes);
        writeBeside(QStringLiteral("damaged.dll"), bytes);
        ResReader reader;
        reader.LoadLibrary(QStringLiteral("damaged.dll"));
        QCOMPARE(reader.strFileName(), QStringLiteral("damaged.dll"));
        QCOMPARE(reader.LoadHtml(101, QString()).value_or(QString()), ownSura1());
        QCOMPARE(reader.LoadHtml(1, QStringLiteral("|")), std::nullopt);
    }

    void numericAndNamedIds_data() {
        QTest::addColumn<QVariant>("id");
        QTest::addColumn<QString>("expected");
        QTest::newRow("number") << QVariant(215) << QStringLiteral("two-one-five");
        QTest::newRow("digits") << QVariant(QStringLiteral("215"))
                                << QStringLiteral("two-one-five");
        QTest::newRow("padded digits")
            << QVariant(QStringLiteral(" 215 ")) << QStringLiteral("two-one-five");
        QTest::newRow("lower name")
            << QVariant(QStringLiteral("replace")) << QStringLiteral("cut text");
        QTest::newRow("mixed name")
            << QVariant(QStringLiteral("RePlAcE")) << QStringLiteral("cut text");
        QTest::newRow("page name")
            << QVariant(QStringLiteral("PAGE.html")) << QStringLiteral("<p>page</p>");
    }
    void numericAndNamedIds() {
        QFETCH(QVariant, id);
        QFETCH(QString, expected);
        ResReader reader;
        reader.LoadLibrary(QStringLiteral("fixture.dll"));
        QCOMPARE(reader.LoadHtml(id, QString()), std::optional<QString>(expected));
    }

    void linesAreCutAndMarked_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("expected");
        QTest::newRow("CR LF, lone CR, lone LF")
            << 1 << QStringLiteral("|") << QStringLiteral("a|b|c\nd|");
        QTest::newRow("zero bytes kept") << 2 << QString() << QString::fromLatin1("x //\0\0\0", 7);
        QTest::newRow("final terminator, no empty line")
            << 3 << QStringLiteral("#") << QStringLiteral("first#second#");
    }
    void linesAreCutAndMarked() {
        QFETCH(int, id);
        QFETCH(QString, mark);
        QFETCH(QString, expected);
        ResReader reader;
        reader.LoadLibrary(QStringLiteral("fixture.dll"));
        QCOMPARE(reader.LoadHtml(id, mark), std::optional<QString>(expected));
    }

    void missingOrEmptyResourceHasNoValue_data() {
        QTest::addColumn<QVariant>("id");
        QTest::newRow("missing number") << QVariant(999);
        QTest::newRow("empty resource") << QVariant(4);
        QTest::newRow("missing name") << QVariant(QStringLiteral("NOPE.HTML"));
        QTest::newRow("path in name") << QVariant(QStringLiteral("../CUSTOM/1"));
    }
    void missingOrEmptyResourceHasNoValue() {
        QFETCH(QVariant, id);
        ResReader reader;
        reader.LoadLibrary(QStringLiteral("fixture.dll"));
        QCOMPARE(reader.LoadHtml(id, QString()), std::nullopt);
    }

    void stringTable_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing") << 1 << QStringLiteral("*");
        QTest::newRow("trailing spaces") << 5 << QStringLiteral("padded");
        QTest::newRow("both sides") << 9 << QStringLiteral("both sides");
        QTest::newRow("longer than the buffer") << 6 << QString(255, QLatin1Char('x'));
        QTest::newRow("empty entry") << 7 << QStringLiteral("*");
        QTest::newRow("spaces only") << 8 << QString();
        QTest::newRow("non-ASCII") << 10 << QStringLiteral("N\u00eeb\u00e2");
    }
    void stringTable() {
        QFETCH(int, id);
        QFETCH(QString, expected);
        ResReader reader;
        reader.LoadLibrary(QStringLiteral("fixture.dll"));
        QCOMPARE(reader.LoadSTvar(id), expected);
    }

    void ownStringTableAnswersWhenUnbound() {
        ResReader reader;
        QCOMPARE(reader.LoadSTvar(102), QStringLiteral("Al-Baqarah"));
        QCOMPARE(reader.LoadSTvar(104), QStringLiteral("An-Nis\u00e2'"));
        QCOMPARE(reader.LoadSTvar(1), QStringLiteral("*"));
    }

    void libraryIsReleasedWithItsReader() {
        // A library file is read into the reader, never mapped into Qt's
        // resource system, so nothing of it outlives the reader.
        ResourceLibrary::own();
        const int before = mappedLibraries();
        for (int i = 0; i < 50; ++i) {
            ResReader reader;
            reader.LoadLibrary(QStringLiteral("fixture.dll"));
            QCOMPARE(reader.LoadSTvar(5), QStringLiteral("padded"));
            QCOMPARE(mappedLibraries(), before);
        }
        QCOMPARE(mappedLibraries(), before);
    }

    void libraryNamesStayInTheProgramFolder_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent folder") << QStringLiteral("../bin/fixture.dll");
        QTest::newRow("absolute path") << ResReader::programDirectory() + "/fixture.dll";
        QTest::newRow("this folder") << QStringLiteral("./fixture.dll");
        QTest::newRow("backslashes") << QStringLiteral("..\\bin\\fixture.dll");
        QTest::newRow("parent itself") << QStringLiteral("..");
    }
    void libraryNamesStayInTheProgramFolder() {
        // Each name reaches the fixture, but only a plain file name may.
        QFETCH(QString, name);
        ResReader reader;
        reader.LoadLibrary(name);
        QCOMPARE(reader.strFileName(), name);
        QCOMPARE(reader.LoadHtml(1, QStringLiteral("|")), std::nullopt);
        QCOMPARE(reader.LoadHtml(101, QString()).value_or(QString()), ownSura1());
    }

    // A library the reader added is a plain file name in the user's data
    // folder; a name that climbs out of it reads the program's own.
    void addedLibraryNamesStayInTheUsersFolder() {
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        QVERIFY(QDir().mkpath(UserLibraries::folder()));
        QVERIFY(QFile::copy(ResReader::programDirectory() + QStringLiteral("/fixture.dll"),
                            UserLibraries::folder() + QStringLiteral("/fixture.dll")));
        ResReader added;
        added.LoadLibrary(QStringLiteral("added:fixture.dll"));
        QCOMPARE(added.LoadSTvar(5), QStringLiteral("padded"));
        const QString climbing =
            QDir(UserLibraries::folder())
                .relativeFilePath(ResReader::programDirectory() + QStringLiteral("/fixture.dll"));
        QVERIFY(QFileInfo::exists(UserLibraries::folder() + QLatin1Char('/') + climbing));
        for (const QString& name :
             {QStringLiteral("added:") + climbing, QStringLiteral("added:./fixture.dll"),
              QStringLiteral("added:..")}) {
            ResReader reader;
            reader.LoadLibrary(name);
            QCOMPARE(reader.LoadHtml(101, QString()).value_or(QString()), ownSura1());
            QCOMPARE(reader.LoadSTvar(5), QStringLiteral("*"));
        }
        qunsetenv("XDG_DATA_HOME");
    }

    void damagedEntryReadsTheOwnOne() {
        QByteArray bytes = fixtureBytes();
        const auto index =
            indexRcc(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size());
        QVERIFY(index);
        const RccEntry info = index->value(QStringLiteral("CUSTOM/215"));
        QVERIFY(info.size > 4);
        bytes[info.offset + 2] = char(bytes[info.offset + 2] ^ 0x20); // "two" -> "tWo"
        writeBeside(QStringLiteral("damaged.dll"), bytes);
        ResReader reader;
        reader.LoadLibrary(QStringLiteral("damaged.dll"));
        const auto own = ResReader().LoadHtml(215, QString());
        QVERIFY(own && !own->isEmpty());
        QCOMPARE(reader.LoadHtml(215, QString()), own);
        // The library's intact files are still its own.
        QCOMPARE(reader.LoadSTvar(5), QStringLiteral("padded"));
        QCOMPARE(reader.LoadHtml(1, QStringLiteral("|")), std::optional<QString>("a|b|c\nd|"));
    }

    void guiStringsWithoutTheirLibrary() {
        // The program's own library has no captions but its own label of the
        // angle slider (207): every other read one shows "*", the fixed ones stay.
        GuiStrings strings;
        ResReader reader;
        reader.LoadLibrary(QStringLiteral("NoSuchLibrary.dll"));
        strings.load(reader);
        for (const int id : GuiStrings::numbers()) {
            if (id != 207)
                QCOMPARE(strings.text(id), QStringLiteral("*"));
        }
        QCOMPARE(strings.text(207), QStringLiteral("Gradient angle"));
        QCOMPARE(GuiStrings::information(), QStringLiteral("Information"));
        QCOMPARE(GuiStrings::importFavorites(), QStringLiteral("Import favorites"));
        QVERIFY(GuiStrings::longReportQuestion().contains(QStringLiteral(" take \r\nseveral")));
    }

    void guiStringsFromTheTranslation() {
        GuiStrings strings;
        ResReader reader;
        reader.LoadLibrary(QStringLiteral("Etx2.dll"));
        strings.load(reader);
        for (const int id : GuiStrings::numbers())
            QVERIFY2(strings.text(id) != QLatin1String("*"), qPrintable(QString::number(id)));
        strings.setText(223, QStringLiteral("Arabic"));
        QCOMPARE(strings.text(223), QStringLiteral("Arabic"));
    }

    // What a screen reader reads for a caption with an access key.
    void spokenCaptions_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("access key") << "Find &Now"
                                    << "Find Now";
        QTest::newRow("first letter") << "&Cancel"
                                      << "Cancel";
        QTest::newRow("doubled is a plain &") << "Search && find"
                                              << "Search & find";
        QTest::newRow("trailing marker") << "Close&"
                                         << "Close";
        QTest::newRow("none") << QString::fromUtf8("-\u00fb-") << QString::fromUtf8("-\u00fb-");
    }
    void spokenCaptions() {
        QFETCH(QString, caption);
        QFETCH(QString, spoken);
        QCOMPARE(GuiStrings::spoken(caption), spoken);
    }

    void twoReadersOfOneFileAreIndependent() {
        auto first = std::make_unique<ResReader>();
        first->LoadLibrary(QStringLiteral("fixture.dll"));
        ResReader second;
        second.LoadLibrary(QStringLiteral("fixture.dll"));
        first.reset();
        QCOMPARE(second.LoadSTvar(5), QStringLiteral("padded"));
    }

    void splitsAtEveryPairOfSlashes_data() {
        QTest::addColumn<QString>("text");
        QTest::addRow("empty") << "";
        QTest::addRow("no separator") << "a/b";
        QTest::addRow("verses") << "one // two // ";
        QTest::addRow("three slashes") << "a///b";
        QTest::addRow("four slashes") << "////";
        QTest::addRow("slash at the end") << "a//b/";
        QTest::addRow("separator first and last") << "//a//";
    }

    // The same pieces as QString::split, empty ones included.
    void splitsAtEveryPairOfSlashes() {
        QFETCH(QString, text);
        QCOMPARE(splitVerses(text), text.split(QStringLiteral("//")));
    }

    // The characters of stored text and where each starts; what is no
    // reference the libraries write stays as it stands.
    void storedCharacters_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("characters");
        QTest::addColumn<QList<qsizetype>>("starts");

        QTest::newRow("references and plain letters")
            << "a&#1576;&amp;&lt;&gt;b" << QStringLiteral("a\u0628&<>b")
            << QList<qsizetype>{0, 1, 8, 13, 17, 21};
        QTest::newRow("beyond the basic plane")
            << "&#127769;" << QString::fromUcs4(U"\U0001F319", 1) << QList<qsizetype>{0};
        QTest::newRow("plain surrogate pair")
            << QString::fromUcs4(U"x\U0001F319", 2) << QString::fromUcs4(U"x\U0001F319", 2)
            << QList<qsizetype>{0, 1};
        QTest::newRow("a lone ampersand") << "& b"
                                          << "& b" << QList<qsizetype>{0, 1, 2};
        QTest::newRow("no semicolon") << "&#1576"
                                      << "&#1576" << QList<qsizetype>{0, 1, 2, 3, 4, 5};
        QTest::newRow("no digits") << "&#;"
                                   << "&#;" << QList<qsizetype>{0, 1, 2};
        QTest::newRow("unknown name") << "&x;"
                                      << "&x;" << QList<qsizetype>{0, 1, 2};
        QTest::newRow("past the last code point")
            << "&#1114112;"
            << "&#1114112;" << QList<qsizetype>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        QTest::newRow("surrogate code point")
            << "&#55357;"
            << "&#55357;" << QList<qsizetype>{0, 1, 2, 3, 4, 5, 6, 7};
    }

    void storedCharacters() {
        QFETCH(QString, stored);
        QString characters;
        QList<qsizetype> starts;
        StoredCharacters walk(stored);
        StoredCharacters::Character character;
        qsizetype end = 0;
        while (walk.next(character)) {
            QCOMPARE(character.start, end); // no gaps
            characters += QString::fromUcs4(&character.codePoint, 1);
            starts << character.start;
            end = character.end;
        }
        QCOMPARE(end, stored.size());
        QTEST(characters, "characters");
        QTEST(starts, "starts");
    }
};

QTEST_GUILESS_MAIN(TestResReader)
#include "tst_resreader.moc"
