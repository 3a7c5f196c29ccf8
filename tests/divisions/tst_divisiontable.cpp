#include "DivisionTable.h"

#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTest>

// The division table against the division file, and what it does with a
// file that is missing or damaged.
class TestDivisionTable : public QObject {
    Q_OBJECT

    // The info lines of the divisions' category while `act` runs.
    static QStringList logOf(const std::function<void()>& act) {
        static QStringList* lines = nullptr;
        QStringList seen;
        lines = &seen;
        QLoggingCategory::setFilterRules(QStringLiteral("miravel.divisions.info=true"));
        const QtMessageHandler before = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext& context, const QString& text) {
                if (lines && QByteArray(context.category) == "miravel.divisions")
                    lines->append(text);
            });
        act();
        qInstallMessageHandler(before);
        lines = nullptr;
        return seen;
    }

    static QByteArray dataFile() {
        QFile file(QStringLiteral(MIRAVEL_DATA_DIR "/quran-divisions.tsv"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The data lines of the file, split into their fields.
    static QList<QList<int>> dataRows() {
        QList<QList<int>> rows;
        for (const QByteArray& line : dataFile().split('\n')) {
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            QList<int> row;
            for (const QByteArray& field : line.split('\t'))
                row.append(field.toInt());
            rows.append(row);
        }
        return rows;
    }

    static QString text(const std::optional<DivisionVerse>& verse) {
        return verse ? QStringLiteral("%1:%2").arg(verse->sura).arg(verse->verse)
                     : QStringLiteral("none");
    }

private slots:
    void theProgramsOwnFileIsRead() {
        const QStringList lines = logOf([&] { QVERIFY(DivisionTable::shared()); });
        QVERIFY2(lines.isEmpty(), qPrintable(lines.join(QLatin1Char('\n'))));
    }

    // Every part starts where the file's juz number first changes to it.
    void everyPartStartsAtTheVerseTheDataNames() {
        const DivisionTable* table = DivisionTable::shared();
        QVERIFY(table);
        int seen = 0;
        for (const QList<int>& row : dataRows()) {
            if (row.at(2) == seen)
                continue;
            seen = row.at(2);
            QCOMPARE(text(table->partStart(seen)),
                     QStringLiteral("%1:%2").arg(row.at(0)).arg(row.at(1)));
        }
        QCOMPARE(seen, 30);
        // The well-known boundaries, read off a printed copy.
        QCOMPARE(text(table->partStart(2)), QStringLiteral("2:142"));
        QCOMPARE(text(table->partStart(3)), QStringLiteral("2:253"));
        QCOMPARE(text(table->partStart(30)), QStringLiteral("78:1"));
    }

    void quartersAndPagesStartWhereTheDataSays_data() {
        QTest::addColumn<QString>("division");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("start");
        QTest::newRow("first quarter") << "quarter" << 1 << "1:1";
        QTest::newRow("quarter inside sura 2") << "quarter" << 10 << "2:158";
        QTest::newRow("quarter with a part") << "quarter" << 9 << "2:142";
        QTest::newRow("quarter in sura 4") << "quarter" << 40 << "4:135";
        QTest::newRow("last quarter") << "quarter" << 240 << "100:9";
        QTest::newRow("first page") << "page" << 1 << "1:1";
        QTest::newRow("page inside sura 2") << "page" << 22 << "2:142";
        QTest::newRow("page that opens a sura") << "page" << 50 << "3:1";
        QTest::newRow("page across two suras") << "page" << 106 << "4:176";
        QTest::newRow("last page") << "page" << 604 << "112:1";
        QTest::newRow("page 0") << "page" << 0 << "none";
        QTest::newRow("page 605") << "page" << 605 << "none";
        QTest::newRow("quarter 241") << "quarter" << 241 << "none";
        QTest::newRow("part 31") << "part" << 31 << "none";
    }
    void quartersAndPagesStartWhereTheDataSays() {
        QFETCH(QString, division);
        QFETCH(int, number);
        QFETCH(QString, start);
        const DivisionTable* table = DivisionTable::shared();
        QVERIFY(table);
        const auto found = division == QLatin1String("page")      ? table->pageStart(number)
                           : division == QLatin1String("quarter") ? table->quarterStart(number)
                                                                  : table->partStart(number);
        QCOMPARE(text(found), start);
    }

    void aVerseReadsItsDivisions() {
        const DivisionTable* table = DivisionTable::shared();
        QVERIFY(table);
        const auto verse = table->at({2, 200});
        QVERIFY(verse);
        QCOMPARE(DivisionNames::whereAmI(*verse),
                 QStringLiteral("Juz' 2 \u00b7 Hizb 3 \u00be \u00b7 Page 31"));
        QCOMPARE(DivisionNames::whereAmI(*table->at({114, 6})),
                 QStringLiteral("Juz' 30 \u00b7 Hizb 60 \u00be \u00b7 Page 604"));
        QVERIFY(table->at({7, 206})->prostration);
        QVERIFY(!table->at({7, 205})->prostration);
        QVERIFY(!table->at({1, 8}));
        QVERIFY(!table->at({115, 1}));
        QVERIFY(!table->at({0, 1}));
    }

    // The page of sura 2 marks the parts at 2:142 and 2:253 only; every
    // quarter that begins in it; no prostration.
    void theMarksOfASura() {
        const DivisionTable* table = DivisionTable::shared();
        QVERIFY(table);
        QList<int> parts;
        int quarters = 0;
        for (const DivisionTable::Mark& mark : table->marksOfSura(2)) {
            if (mark.part)
                parts << mark.verse;
            quarters += mark.quarter ? 1 : 0;
            QVERIFY(!mark.prostration);
        }
        QCOMPARE(parts, (QList<int>{142, 253}));
        // Quarters 2..20 begin in sura 2 (quarter 1 at 1:1).
        QCOMPARE(quarters, 19);
        QList<int> prostrations;
        for (int sura = 1; sura <= 114; ++sura) {
            for (const DivisionTable::Mark& mark : table->marksOfSura(sura))
                if (mark.prostration)
                    prostrations << sura;
        }
        QCOMPARE(prostrations.size(), 15);
    }

    // A file that is wrong anywhere is refused whole with one log line; the
    // table is then simply absent.
    void aDamagedFileIsRefusedWithOneLogLine_data() {
        QTest::addColumn<QByteArray>("data");
        const QByteArray good = dataFile();
        QVERIFY(!good.isEmpty());
        const auto replaced = [&good](const char* from, const char* to) {
            QByteArray copy = good;
            const qsizetype at = copy.indexOf(from);
            // A pattern not found leaves the good file, which fails the case.
            return at < 0 ? copy : copy.replace(at, qstrlen(from), to);
        };
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("comments only") << QByteArray("# nothing\n# here\n");
        QTest::newRow("cut short") << good.left(good.size() / 2);
        QTest::newRow("last line gone") << good.left(good.lastIndexOf('\n', good.size() - 2) + 1);
        QTest::newRow("a verse missing") << replaced("\n2\t142\t2\t9\t1\t18\t22\t0\n", "\n");
        QTest::newRow("a field missing")
            << replaced("\n2\t142\t2\t9\t1\t18\t22\t0\n", "\n2\t142\t2\t9\t1\t18\t22\n");
        QTest::newRow("an extra field")
            << replaced("\n2\t142\t2\t9\t1\t18\t22\t0\n", "\n2\t142\t2\t9\t1\t18\t22\t0\t1\n");
        QTest::newRow("not a number")
            << replaced("\n2\t142\t2\t9\t1\t18\t22\t0\n", "\n2\t142\tx\t9\t1\t18\t22\t0\n");
        QTest::newRow("a part skipped")
            << replaced("\n2\t142\t2\t9\t1\t18\t22\t0\n", "\n2\t142\t3\t9\t1\t18\t22\t0\n");
        QTest::newRow("a page going back")
            << replaced("\n2\t142\t2\t9\t1\t18\t22\t0\n", "\n2\t142\t2\t9\t1\t18\t20\t0\n");
        QTest::newRow("a page out of range")
            << replaced("\n114\t6\t30\t240\t7\t556\t604\t0", "\n114\t6\t30\t240\t7\t556\t605\t0");
        QTest::newRow("a prostration flag of 2")
            << replaced("\n7\t206\t9\t70\t2\t145\t176\t1\n", "\n7\t206\t9\t70\t2\t145\t176\t2\n");
        QTest::newRow("verses out of order") << replaced("\n2\t142\t2\t9\t1\t18\t22\t0\n2\t143",
                                                         "\n2\t143\t2\t9\t1\t18\t22\t0\n2\t142");
        QTest::newRow("binary") << QByteArray("\x00\xff\x01\n\x02", 5);
    }
    void aDamagedFileIsRefusedWithOneLogLine() {
        QFETCH(QByteArray, data);
        std::optional<DivisionTable> table;
        const QStringList lines = logOf([&] { table = DivisionTable::parse(data); });
        QVERIFY(!table);
        QCOMPARE(lines.size(), 1);
    }

    void windowsLineEndsAreRead() {
        QByteArray data = dataFile();
        data.replace("\n", "\r\n");
        QVERIFY(DivisionTable::parse(data));
    }

    void aMissingFileIsOneLogLine() {
        QTemporaryDir dir;
        std::optional<DivisionTable> table;
        const QStringList lines =
            logOf([&] { table = DivisionTable::load(dir.filePath(QStringLiteral("none.tsv"))); });
        QVERIFY(!table);
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines.first().contains(QLatin1String("divisions are off")));
    }
};

QTEST_GUILESS_MAIN(TestDivisionTable)
#include "tst_divisiontable.moc"
