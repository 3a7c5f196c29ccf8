#include "AsciiHtml.h"
#include "ChapterInfoPage.h"
#include "ChapterTexts.h"
#include "ChapterWriter.h"
#include "SuraTable.h"
#include "TanzilNotice.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString ResourcesDir = QStringLiteral(MIRAVEL_RESOURCES_DIR);

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// A text resource as the library reader hands it over with an empty line
// mark: lines end at CR LF or at a lone CR, and the breaks vanish.
QString readAsLibrary(const QByteArray& bytes) {
    QByteArray text = bytes;
    text.replace("\r\n", "");
    text.replace('\r', "");
    return QString::fromLatin1(text);
}

// The headings the information page turns into heading paragraphs; any other
// "#...#" would reach the reader with its '#' signs.
const QStringList& KnownHeadings = ChapterInfoPage::knownHeadings();

// "#...#" pairs of a joined text. Numeric character references ("&#1575;")
// carry '#' signs too but are no markup.
QStringList headingsIn(QString text) {
    text.remove(QRegularExpression(QStringLiteral("&#[0-9]+;")));
    QStringList found;
    qsizetype open = text.indexOf(u'#');
    while (open >= 0) {
        const qsizetype close = text.indexOf(u'#', open + 1);
        if (close < 0) {
            found << text.mid(open);
            break;
        }
        QString heading = text.mid(open, close - open + 1);
        // Heading 17 is stored with the space that follows its closing '#'.
        if (text.mid(close + 1, 1) == QLatin1String(" ") && KnownHeadings.contains(heading + u' '))
            heading += u' ';
        found << heading;
        open = text.indexOf(u'#', close + 1);
    }
    return found;
}

// id -> text of a strings table file (id<TAB>text, '#' comment lines).
QMap<int, QString> readStringTable(const QString& path, QStringList* problems) {
    QMap<int, QString> table;
    const QByteArray bytes = readFile(path);
    for (const QByteArray& line : bytes.split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const qsizetype tab = line.indexOf('\t');
        bool ok = false;
        const int id = tab > 0 ? line.left(tab).toInt(&ok) : 0;
        if (!ok || table.contains(id)) {
            *problems << QString::fromUtf8(line);
            continue;
        }
        table.insert(id, QString::fromUtf8(line.mid(tab + 1)));
    }
    return table;
}

} // namespace

class TestChapters : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void rejectsDamagedSuraTable_data();
    void rejectsDamagedSuraTable();
    void noticeNeedsTheWholeBlock_data();
    void noticeNeedsTheWholeBlock();

    void nameListSplitsIntoNames();
    void introductionCarriesCutTextOnce();
    void introductionCreditsTheArabicText();
    void chapterTextsKeepTheLayout_data();
    void chapterTextsKeepTheLayout();
    void writesEveryFile();

    void defaultStringTable_data();
    void defaultStringTable();
    void translationStringTable();

private:
    QList<SuraFacts> m_suras;
    QStringList m_notice;
    QMap<QString, QByteArray> m_files;
};

void TestChapters::initTestCase() {
    QString error;
    m_suras = SuraTable::parse(readFile(ResourcesDir + "/data/suras.tsv"), &error);
    QVERIFY2(m_suras.size() == SuraTable::SuraCount, qPrintable(error));
    m_notice = TanzilNotice::extract(readFile(ResourcesDir + "/data/quran-arabic.tsv"));
    QVERIFY(!m_notice.isEmpty());
    m_files = ChapterWriter::files(m_suras, m_notice);
}

void TestChapters::rejectsDamagedSuraTable_data() {
    QTest::addColumn<QByteArray>("tsv");
    const QByteArray header = "sura\tname_arabic\tname_transliterated\tname_english\tverses\t"
                              "type\trevelation_order\n";
    const QByteArray whole = readFile(ResourcesDir + "/data/suras.tsv");
    const qsizetype lastLine = whole.lastIndexOf('\n', whole.size() - 2);

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header only") << header;
    QTest::newRow("last sura missing") << whole.left(lastLine + 1);
    QTest::newRow("unknown type") << QByteArray(whole).replace("\tMeccan\t", "\tMakki\t");
    QTest::newRow("repeated revelation order")
        << QByteArray(whole).replace("\t286\tMedinan\t87", "\t286\tMedinan\t5");
    QTest::newRow("missing column") << QByteArray(whole).replace("\tThe Cow\t", "\t");
    QTest::newRow("suras out of order") << QByteArray(whole).replace("\n2\t", "\n3\t");
}

void TestChapters::rejectsDamagedSuraTable() {
    QFETCH(QByteArray, tsv);
    QString error;
    QVERIFY(SuraTable::parse(tsv, &error).isEmpty());
    QVERIFY(!error.isEmpty());
}

void TestChapters::noticeNeedsTheWholeBlock_data() {
    QTest::addColumn<QByteArray>("fileText");
    QTest::addColumn<int>("lines");
    const QByteArray whole = readFile(ResourcesDir + "/data/quran-arabic.tsv");
    const qsizetype lastRule = whole.lastIndexOf("#====");

    QTest::newRow("whole file") << whole << 28;
    QTest::newRow("CR LF line ends") << QByteArray(whole).replace("\n", "\r\n") << 28;
    QTest::newRow("closing rule missing") << whole.left(lastRule) << 0;
    QTest::newRow("no header") << QByteArray("1\t1\tx\n") << 0;
    QTest::newRow("block after data is not the header")
        << QByteArray("1\t1\tx\n") + whole.left(whole.indexOf("\n1\t1\t")) << 0;
}

void TestChapters::noticeNeedsTheWholeBlock() {
    QFETCH(QByteArray, fileText);
    QFETCH(int, lines);
    const QStringList notice = TanzilNotice::extract(fileText);
    QCOMPARE(notice.size(), lines);
    if (lines > 0) {
        QCOMPARE(notice.first(),
                 QStringLiteral("# PLEASE DO NOT REMOVE OR CHANGE THIS COPYRIGHT BLOCK"));
        QVERIFY(notice.last().startsWith(QLatin1String("#====")));
        QVERIFY(notice.contains(QStringLiteral("#  Copyright (C) 2007-2025 Tanzil Project")));
    }
}

void TestChapters::nameListSplitsIntoNames() {
    const QByteArray bytes = m_files.value(QStringLiteral("330"));
    QVERIFY(bytes.endsWith(QByteArray("//\r\n") + QByteArray(3, '\0')));
    const QStringList names = readAsLibrary(bytes).split(QStringLiteral("//"));
    QCOMPARE(names.size(), 115);
    QCOMPARE(names.at(0), QStringLiteral("The Opening"));
    QCOMPARE(names.at(1), QStringLiteral("The Cow"));
    QCOMPARE(names.at(113), QStringLiteral("Mankind"));
    QCOMPARE(names.at(114), QString(3, QChar(0)));
}

void TestChapters::introductionCarriesCutTextOnce() {
    const QString intro = readAsLibrary(m_files.value(QStringLiteral("329")));
    const QString cut = QString::fromLatin1(m_files.value(QStringLiteral("REPLACE")));
    QCOMPARE(cut, ChapterTexts::cutText());
    QVERIFY(cut.startsWith(QLatin1String("Chapter Information By : Miravel Team# ")));
    QVERIFY(cut.endsWith(u'#'));
    QCOMPARE(intro.count(cut, Qt::CaseInsensitive), 1);

    QString shown = intro;
    shown.remove(cut, Qt::CaseInsensitive);
    QVERIFY(!shown.contains(QLatin1String("Chapter Information By"), Qt::CaseInsensitive));
    QVERIFY(shown.startsWith(QLatin1String("#Miravel#") + ChapterTexts::TranslationCredit +
                             QLatin1String(" #About Talvesk#Miravel is a reader")));
    QCOMPARE(headingsIn(shown),
             QStringList({QStringLiteral("#Miravel#"), QStringLiteral("#About Talvesk#"),
                          QStringLiteral("#Introduction#")}));
}

void TestChapters::introductionCreditsTheArabicText() {
    const QString intro = readAsLibrary(m_files.value(QStringLiteral("329")));
    for (const QString& line : m_notice)
        QVERIFY2(
            intro.contains(AsciiHtml::escape(TanzilNotice::withoutCommentMark(line)) + "<br />"),
            qPrintable(line));
    QVERIFY(intro.contains(QLatin1String("href='https://tanzil.net/'")));
    QVERIFY(intro.contains(ChapterTexts::MetadataCredit));
    QVERIFY(intro.contains(QLatin1String("114 suras")));
    QVERIFY(intro.contains(QLatin1String("6236 verses")));

    const QByteArray noticeFile = m_files.value(QStringLiteral("TANZIL.TXT"));
    QCOMPARE(noticeFile, (m_notice.join(u'\n') + u'\n').toUtf8());
    QVERIFY(readFile(ResourcesDir + "/data/quran-arabic.tsv").contains(noticeFile));
}

void TestChapters::chapterTextsKeepTheLayout_data() {
    QTest::addColumn<int>("id");
    for (int id = 215; id <= 329; ++id)
        QTest::addRow("%d", id) << id;
}

void TestChapters::chapterTextsKeepTheLayout() {
    QFETCH(int, id);
    const QByteArray bytes = m_files.value(QString::number(id));
    QVERIFY(!bytes.isEmpty());
    for (const char c : bytes)
        QVERIFY2(static_cast<unsigned char>(c) < 0x80, "byte outside 7-bit ASCII");
    QVERIFY(bytes.endsWith("\r\n"));
    QVERIFY2(!bytes.contains("\n\r") && bytes.count('\n') == bytes.count("\r\n"),
             "line feed without carriage return");

    const QString text = readAsLibrary(bytes);
    const QStringList headings = headingsIn(text);
    QVERIFY(!headings.isEmpty());
    for (const QString& heading : headings)
        QVERIFY2(KnownHeadings.contains(heading), qPrintable(heading));
    // Joined lines must not glue words together: every line that does not end
    // in markup or a heading ends in a space.
    for (const QByteArray& line : bytes.split('\n')) {
        const QByteArray content = line.chopped(line.endsWith('\r') ? 1 : 0);
        if (content.isEmpty() || content.endsWith('#') || content.endsWith('>'))
            continue;
        QVERIFY2(content.endsWith(' '), content.constData());
    }

    if (id == 329)
        return;
    const SuraFacts& facts = m_suras.at(id - 215);
    QCOMPARE(headings,
             QStringList({QStringLiteral("#Name#"), QStringLiteral("#Period of Revelation#"),
                          QStringLiteral("#Sequence#")}));
    QVERIFY(text.contains(facts.transliteratedName));
    QVERIFY(text.contains('"' + facts.englishName + '"'));
    QVERIFY(text.contains(QStringLiteral(" %1 verse").arg(facts.verses)));
    QVERIFY(text.contains(facts.medinan ? QLatin1String("is a Medinan sura")
                                        : QLatin1String("is a Meccan sura")));
    // The Arabic name comes back from its character references.
    const QRegularExpression arabic(QStringLiteral("<span lang='ar' dir='rtl'>(.*?)</span>"));
    const QRegularExpressionMatch match = arabic.match(text);
    QVERIFY(match.hasMatch());
    QString decoded;
    const QRegularExpression reference(QStringLiteral("&#([0-9]+);|(.)"));
    for (auto it = reference.globalMatch(match.captured(1)); it.hasNext();) {
        const QRegularExpressionMatch part = it.next();
        decoded += part.hasCaptured(1) ? QChar(part.captured(1).toInt()) : part.captured(2).at(0);
    }
    QCOMPARE(decoded, facts.arabicName);
}

void TestChapters::writesEveryFile() {
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString out = temp.filePath(QStringLiteral("chapters"));
    QString error;
    QVERIFY2(ChapterWriter::writeAll(out, m_files, &error), qPrintable(error));
    QStringList expected;
    for (int id = 215; id <= 330; ++id)
        expected << QString::number(id);
    expected << QStringLiteral("REPLACE") << QStringLiteral("TANZIL.TXT");
    QStringList written = QDir(out).entryList(QDir::Files);
    std::sort(expected.begin(), expected.end());
    std::sort(written.begin(), written.end());
    QCOMPARE(written, expected);
    QCOMPARE(readFile(out + "/215"), m_files.value(QStringLiteral("215")));

    // A path under a plain file cannot become a folder: failure, not a crash.
    QFile blocker(temp.filePath(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(!ChapterWriter::writeAll(blocker.fileName() + "/sub", m_files, &error));
}

void TestChapters::defaultStringTable_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::newRow("101") << 101 << QStringLiteral("Al-F\u00e2tih^ah");
    QTest::newRow("102") << 102 << QStringLiteral("Al-Baqarah");
    QTest::newRow("103") << 103 << QStringLiteral("'A-li `Imr\u00e2n");
    QTest::newRow("104") << 104 << QStringLiteral("An-Nis\u00e2' ");
    QTest::newRow("105") << 105 << QStringLiteral("Al-M\u00e2'idah");
    QTest::newRow("106") << 106 << QStringLiteral("Al-'An`\u00e2m");
    QTest::newRow("107") << 107 << QStringLiteral("Al-'A`r\u00e2f");
    QTest::newRow("108") << 108 << QStringLiteral("Al-'Anf\u00e2l");
    QTest::newRow("109") << 109 << QStringLiteral("At-Tawbah");
    QTest::newRow("110") << 110 << QStringLiteral("Yu-nisu-");
}

void TestChapters::defaultStringTable() {
    QFETCH(int, id);
    QFETCH(QString, text);
    QStringList problems;
    const QMap<int, QString> table =
        readStringTable(ResourcesDir + "/strings/default.tsv", &problems);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    // The ten names, and the angle slider's caption for translations without one.
    QCOMPARE(table.size(), 11);
    QCOMPARE(table.value(id), text);
    QCOMPARE(table.value(207), QStringLiteral("Gradient angle"));
}

void TestChapters::translationStringTable() {
    QStringList problems;
    const QMap<int, QString> table = readStringTable(ResourcesDir + "/strings/etx2.tsv", &problems);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    for (const SuraFacts& facts : std::as_const(m_suras))
        QCOMPARE(table.value(facts.number),
                 QStringLiteral("%1 (%2)").arg(facts.transliteratedName, facts.englishName));
    // Every caption the program reads at start-up, and nothing it would not read.
    const QList<int> read = {201, 202, 203, 204, 205, 206, 207, 210, 211, 212, 213, 214, 215, 216,
                             217, 218, 219, 220, 223, 224, 225, 226, 227, 228, 229, 231, 233, 236,
                             237, 238, 239, 240, 241, 242, 243, 244, 245, 246, 247, 248, 249};
    QCOMPARE(table.keys().mid(114), read);
    for (auto it = table.cbegin(); it != table.cend(); ++it) {
        // The reader returns at most 255 characters, trimmed.
        QVERIFY2(!it->isEmpty() && it->size() <= 255, qPrintable(QString::number(it.key())));
        QCOMPARE(it->trimmed(), *it);
    }
    QCOMPARE(table.value(223), QStringLiteral("Arabic"));
    QCOMPARE(table.value(224), QStringLiteral("English (Pickthall)"));
    QCOMPARE(table.value(225), QStringLiteral("Transliteration"));
}

QTEST_GUILESS_MAIN(TestChapters)
#include "tst_chapters.moc"
