// Damaged text libraries: every case is read by a child process (this
// program with --read), so that a crash or a hang shows up as such instead
// of ending the test.  Each case must leave suras 1 and 2 (and the captions
// and tree names) reading either the library's exact text or the program's
// own text.
#include "RccValidator.h"
#include "ResReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <cstdio>
#include <sys/stat.h>

namespace {

const QString kCaseFile = QStringLiteral("fault-case.dll");
const QList<int> kSuras{101, 102};
const QList<int> kStrings{1, 2, 201, 223};

QString besideProgram(const QString& name) {
    return ResReader::programDirectory() + QLatin1Char('/') + name;
}

QByteArray bytesOf(const QString& name) {
    QFile file(besideProgram(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 u32At(const QByteArray& bytes, qint64 at) {
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    return (quint32(data[at]) << 24) | (quint32(data[at + 1]) << 16) |
           (quint32(data[at + 2]) << 8) | data[at + 3];
}

QByteArray flipped(QByteArray bytes, qint64 at, int mask) {
    if (at >= 0 && at < bytes.size())
        bytes[at] = char(bytes[at] ^ mask);
    return bytes;
}

// The child's side: reads the case library and says whether every text
// shown is the library's own or the program's own.
int readCase(const QString& caseName, const QString& goodName) {
    ResReader own;
    ResReader good;
    good.LoadLibrary(goodName);
    ResReader damaged;
    damaged.LoadLibrary(caseName);
    bool empty = false;
    bool garbled = false;
    for (const int id : kSuras) {
        const QString text = damaged.LoadHtml(id, QString()).value_or(QString());
        const QString ownText = own.LoadHtml(id, QString()).value_or(QString());
        const qsizetype verses = splitVerses(ownText).size() - 1;
        const QStringList shown = splitVerses(text);
        for (qsizetype v = 0; v < verses; ++v)
            empty = empty || v >= shown.size() || shown.at(v).trimmed().isEmpty();
        garbled = garbled ||
                  (text != ownText && text != good.LoadHtml(id, QString()).value_or(QString()));
    }
    for (const int id : kStrings) {
        const QString text = damaged.LoadSTvar(id);
        garbled = garbled || (text != own.LoadSTvar(id) && text != good.LoadSTvar(id));
    }
    std::printf("%s\n", empty ? "empty" : garbled ? "garbled" : "ok");
    return 0;
}

} // namespace

class TestLibFault : public QObject {
    Q_OBJECT

private:
    struct Tally {
        int cases = 0;
        int crashes = 0;
        int hangs = 0;
        int empty = 0;
        int garbled = 0;
    };
    Tally tally_;

    static void addDamage(const QString& library) {
        const QByteArray good = bytesOf(library);
        QVERIFY2(good.size() > 1000, qPrintable(library));
        const auto index = indexRcc(reinterpret_cast<const uchar*>(good.constData()), good.size());
        QVERIFY(index);
        const qint64 tree = u32At(good, 8);
        const qint64 names = u32At(good, 16);
        const qint64 sura1 = index->value(QStringLiteral("CUSTOM/101")).offset;
        const qint64 sura2 = index->value(QStringLiteral("CUSTOM/102")).offset;
        const qint64 manifest = index->value(QStringLiteral("MANIFEST")).offset;
        const qint64 size = good.size();
        const auto row = [&library](const QString& what, const QByteArray& bytes) {
            QTest::addRow("%s %s", qPrintable(library), qPrintable(what))
                << library << QString() << bytes;
        };

        QList<qint64> cuts{
            0,         1,     4,         8,         12,           16,        19,
            20,        21,    24,        tree,      tree + 7,     names,     names + 3,
            sura1 - 4, sura1, sura1 + 9, sura2 + 1, manifest + 2, size - 10, size - 2,
            size - 1};
        for (int i = 1; i < 10; ++i)
            cuts << size * i / 10;
        for (const qint64 cut : cuts)
            row(QStringLiteral("cut at %1").arg(cut), good.left(cut));

        QRandomGenerator random(14); // the same flips on every run
        for (int i = 0; i < 30; ++i) {
            const qint64 at = random.bounded(size);
            const int bit = 1 << random.bounded(8);
            row(QStringLiteral("flip %1 of byte %2").arg(bit).arg(at), flipped(good, at, bit));
        }
        for (qint64 at = 0; at < 24; ++at)
            row(QStringLiteral("header byte %1").arg(at), flipped(good, at, 1 << (at % 8)));
        for (qint64 at = tree; at < tree + 45; at += 5)
            row(QStringLiteral("tree byte +%1").arg(at - tree), flipped(good, at, 1 << (at % 8)));
        for (qint64 at = names; at < names + 32; at += 4)
            row(QStringLiteral("names byte +%1").arg(at - names), flipped(good, at, 1 << (at % 8)));
        for (const auto& [what, start] : {std::pair{QStringLiteral("sura 1"), sura1},
                                          std::pair{QStringLiteral("sura 2"), sura2},
                                          std::pair{QStringLiteral("manifest"), manifest}}) {
            // The 4-byte length before the data, then its first bytes.
            for (qint64 at = start - 4; at < start + 12; ++at)
                row(QStringLiteral("%1 byte %2").arg(what).arg(at - start),
                    flipped(good, at, at - start == 7 ? 0x40 : 1 << ((at + 4) % 8)));
        }
        row(QStringLiteral("low bit of the tree offset"), flipped(good, 11, 0x01));
        row(QStringLiteral("junk"), QByteArray(4096, '\x5a'));
        row(QStringLiteral("junk after qres"),
            QByteArray("qres\0\0\0\x03", 8) + QByteArray(2048, '\xff'));
    }

    // Writes (or makes) the case file beside the program.
    static bool placeCase(const QString& special, const QByteArray& bytes) {
        const QString path = besideProgram(kCaseFile);
        QFile::remove(path);
        QDir(path).removeRecursively();
        if (special == QLatin1String("directory"))
            return QDir().mkdir(path);
        if (special == QLatin1String("named pipe"))
            return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
        if (special == QLatin1String("link to a device"))
            return QFile::link(QStringLiteral("/dev/zero"), path);
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

private slots:
    void goodLibrariesAreRead() {
        for (const QString& name : {QStringLiteral("Etx2.dll"), QStringLiteral("Etx3.dll")}) {
            ResReader reader;
            reader.LoadLibrary(name);
            const QString sura1 = reader.LoadHtml(101, QString()).value_or(QString());
            QVERIFY(!sura1.isEmpty());
            QVERIFY2(sura1 != ResReader().LoadHtml(101, QString()), qPrintable(name));
        }
    }

    void damagedLibrary_data() {
        QTest::addColumn<QString>("good");
        QTest::addColumn<QString>("special");
        QTest::addColumn<QByteArray>("bytes");
        addDamage(QStringLiteral("Etx2.dll"));
        addDamage(QStringLiteral("Etx3.dll"));
        for (const char* special : {"empty", "directory", "named pipe", "link to a device"})
            QTest::newRow(special)
                << QStringLiteral("Etx2.dll") << QString::fromLatin1(special) << QByteArray();
    }
    void damagedLibrary() {
        QFETCH(QString, good);
        QFETCH(QString, special);
        QFETCH(QByteArray, bytes);
        QVERIFY(placeCase(special, bytes));
        ++tally_.cases;
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--read"), kCaseFile, good});
        QVERIFY(child.waitForStarted());
        if (!child.waitForFinished(15000)) {
            child.kill();
            child.waitForFinished();
            ++tally_.hangs;
            QFAIL("the reader hangs");
        }
        if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
            ++tally_.crashes;
            QFAIL("the reader crashed");
        }
        const QByteArray verdict = child.readAllStandardOutput().trimmed();
        if (verdict == "empty")
            ++tally_.empty;
        if (verdict == "garbled")
            ++tally_.garbled;
        QCOMPARE(verdict, QByteArray("ok"));
    }

    void cleanupTestCase() {
        placeCase(QStringLiteral("none"), {});
        QFile::remove(besideProgram(kCaseFile));
        std::printf("damaged libraries: %d cases, %d crashes, %d hangs, %d empty pages, "
                    "%d garbled texts\n",
                    tally_.cases, tally_.crashes, tally_.hangs, tally_.empty, tally_.garbled);
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 4 && args.at(1) == QLatin1String("--read"))
        return readCase(args.at(2), args.at(3));
    TestLibFault test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_libfault.moc"
