#include "FakeComposerView.h"
#include "LibraryFormat.h"
#include "ResReader.h"
#include "SuraPageComposer.h"
#include "SuraVerses.h"

#include <QRegularExpression>
#include <QTest>

#include <functional>

// The sura page composer against a stand-in for the browser view, reading
// the real text libraries beside the test.
class TestComposer : public QObject {
    Q_OBJECT

    bool cancel_ = false;
    QList<int> selectedNodes_;
    std::function<void()> onYield_;

    ComposerHost host(const QString& order) {
        ComposerHost h;
        h.orderString = order;
        h.arabicLibraryFile = QStringLiteral("miravel.exe");
        h.translationLibraryFile = QStringLiteral("Etx2.dll");
        h.transliterationLibraryFile = QStringLiteral("Etx3.dll");
        h.pageAddress = [](const QString& name) { return QStringLiteral("res:page/") + name; };
        h.treeNodeText = [](int n) {
            return QStringLiteral("%1- Name").arg(n, 3, 10, QLatin1Char('0'));
        };
        h.englishName = [](int n) { return QStringLiteral("English %1").arg(n); };
        h.selectSuraNode = [this](int n) {
            selectedNodes_.append(n);
            cancel_ = true; // selecting a node must not disturb the flag
        };
        h.focusTree = [] {};
        h.yield = [this] {
            if (onYield_)
                onYield_();
        };
        h.cancelDisplay = &cancel_;
        return h;
    }

    static QStringList elements(const QString& library, int sura) {
        ResReader reader;
        reader.LoadLibrary(library);
        return splitVerses(reader.LoadHtml(100 + sura, QString()).value_or(QString()));
    }

    static QStringList labels(const QString& markup) {
        static const QRegularExpression label(QStringLiteral("<p class='A1'>([^<]*)</p>"));
        QStringList found;
        for (const auto& match : label.globalMatch(markup))
            found.append(match.captured(1));
        return found;
    }

private slots:
    void init() {
        cancel_ = false;
        selectedNodes_.clear();
        onYield_ = nullptr;
    }

    void firstVerseMarkupIsExact() {
        FakeComposerView view;
        SuraPageComposer composer;
        auto h = host(QStringLiteral("1/2"));
        composer.DispalyHTML(101, h, view);
        const QString expected =
            QStringLiteral("<p class='main' lang='ar' dir='rtl'>") +
            elements(QStringLiteral("miravel.exe"), 1)[0] +
            QStringLiteral("</p><p class='Trans'><img border='0' src='q' width='680' "
                           "height='4'></p> </P><p class='Trans'>") +
            elements(QStringLiteral("Etx2.dll"), 1)[0] +
            QStringLiteral("</p>.<p class='tE'><img src='w.jpg'  /></p><p class='A1'>1 : 1</p>");
        QVERIFY(view.appended.first().startsWith(expected));
        QVERIFY(view.appended.first().contains(QStringLiteral("In the name of Allah")));
    }

    void portionsSplitTheVerses_data() {
        QTest::addColumn<int>("sura");
        QTest::addColumn<QList<int>>("portionSizes");
        QTest::newRow("sura 1") << 1 << QList<int>{2, 2, 2, 1};
        QTest::newRow("sura 2") << 2 << QList<int>{95, 95, 95, 1};
        QTest::newRow("sura 108 (3 verses)") << 108 << QList<int>{1, 1, 1, 0};
        QTest::newRow("sura 114 (6 verses)") << 114 << QList<int>{2, 2, 2, 0};
    }
    void portionsSplitTheVerses() {
        QFETCH(int, sura);
        QFETCH(QList<int>, portionSizes);
        FakeComposerView view;
        SuraPageComposer composer;
        auto h = host(QStringLiteral("1/2/3"));
        composer.DispalyHTML(100 + sura, h, view);
        QCOMPARE(view.appended.size(), 4);
        QStringList expected;
        for (int v = 1; v <= composer.verseCount(); ++v)
            expected.append(QStringLiteral("%1 : %2").arg(sura).arg(v));
        QCOMPARE(labels(view.body), expected);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(int(labels(view.appended[i]).size()), portionSizes[i]);
        QCOMPARE(view.navigations, (QStringList{QStringLiteral("res:page/loading.HTML"),
                                                QStringLiteral("res:page/QURAN.HTML")}));
        QCOMPARE(selectedNodes_, QList<int>{sura});
        QVERIFY(!cancel_);
    }

    // The engine is given the time to show the first portion before it reads
    // a long second one; the later portions follow without waiting, and a
    // composition stopped in its first portion waits for nothing.
    void secondPortionWaitsForTheFirstToShow_data() {
        QTest::addColumn<int>("sura");
        QTest::addColumn<int>("stopAtYield");
        QTest::addColumn<QList<int>>("waits");
        QTest::newRow("sura 2") << 2 << 0 << QList<int>{1};
        QTest::newRow("sura 36, 83 verses") << 36 << 0 << QList<int>{1};
        QTest::newRow("sura 108, 3 verses") << 108 << 0 << QList<int>{};
        QTest::newRow("stopped in the first portion") << 2 << 20 << QList<int>{};
    }
    void secondPortionWaitsForTheFirstToShow() {
        QFETCH(int, sura);
        QFETCH(int, stopAtYield);
        QFETCH(QList<int>, waits);
        FakeComposerView view;
        SuraPageComposer composer;
        auto h = host(QStringLiteral("1/2/3"));
        h.firstPortionShowMs = 70;
        int yields = 0;
        onYield_ = [&] {
            if (++yields == stopAtYield)
                cancel_ = true;
        };
        composer.DispalyHTML(100 + sura, h, view);
        QCOMPARE(view.shownWaits, waits);
        QCOMPARE(view.shownWaitLimits, QList<int>(waits.size(), 70));
    }

    // The class follows the display position; a text in Arabic is marked as
    // such in either class, every other text is not.
    void orderDecidesParagraphClasses_data() {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("firstLibrary");
        QTest::addColumn<QString>("verse1");
        QTest::addColumn<QString>("arabicVerse1");
        QTest::newRow("Arabic only")
            << QStringLiteral("1") << QStringLiteral("miravel.exe")
            << QStringLiteral("<p class='main' lang='ar' dir='rtl'>%1</p>.<p class='tE'>")
            << QStringLiteral("<p class='main' lang='ar' dir='rtl'>%1</p>.");
        QTest::newRow("translation first")
            << QStringLiteral("2/1") << QStringLiteral("Etx2.dll")
            << QStringLiteral("<p class='main'>%1</p><p class='Trans'><img")
            << QStringLiteral("<p class='Trans' lang='ar' dir='rtl'>%1</p>.");
        QTest::newRow("transliteration, Arabic, translation")
            << QStringLiteral("3/1/2") << QStringLiteral("Etx3.dll")
            << QStringLiteral("<p class='main'>%1</p><p class='Trans'><img")
            << QStringLiteral("<p class='Trans' lang='ar' dir='rtl'>%1</p><p class='Trans'><img");
    }
    void orderDecidesParagraphClasses() {
        QFETCH(QString, order);
        QFETCH(QString, firstLibrary);
        QFETCH(QString, verse1);
        QFETCH(QString, arabicVerse1);
        FakeComposerView view;
        SuraPageComposer composer;
        auto h = host(order);
        composer.DispalyHTML(102, h, view);
        QCOMPARE(composer.verseCount(), 286); // the Arabic library fixes the count
        QVERIFY(view.body.contains(verse1.arg(elements(firstLibrary, 2)[0])));
        QVERIFY(
            view.body.contains(arabicVerse1.arg(elements(QStringLiteral("miravel.exe"), 2)[0])));
        QCOMPARE(int(labels(view.body).size()), 286);
        // Every verse has one Arabic paragraph, and only that one is marked.
        QCOMPARE(int(view.body.count(QStringLiteral(" lang='ar' dir='rtl'>"))), 286);
        if (order == QLatin1String("1"))
            QVERIFY(!view.body.contains(QStringLiteral("class='Trans'")));
    }

    // The basmala printed above a sura comes from the Arabic library; sura 9
    // opens with no formula at all, sura 1 has it as its first verse (and
    // the English line would repeat its translation).
    void openingFormula_data() {
        QTest::addColumn<int>("sura");
        QTest::addColumn<bool>("basmala");
        QTest::addColumn<bool>("englishShown");
        QTest::newRow("1") << 1 << false << false;
        QTest::newRow("2") << 2 << true << true;
        QTest::newRow("9") << 9 << false << false;
        QTest::newRow("95") << 95 << true << true;
        QTest::newRow("114") << 114 << true << true;
    }
    void openingFormula() {
        QFETCH(int, sura);
        QFETCH(bool, basmala);
        QFETCH(bool, englishShown);
        FakeComposerView view;
        SuraPageComposer composer;
        auto h = host(QStringLiteral("1/2"));
        composer.DispalyHTML(100 + sura, h, view);
        QCOMPARE(view.englishShown, englishShown);
        QCOMPARE(!view.basmala.isEmpty(), basmala);
        if (!basmala)
            return;
        // It reads like the first verse of sura 1, but for the shadda that
        // suras 95 and 97 carry on its first letter.
        const QString firstVerse = elements(QStringLiteral("miravel.exe"), 1)[0].trimmed();
        QCOMPARE(view.basmala == firstVerse, sura != 95);
        QVERIFY(view.basmala.startsWith(QStringLiteral("&#1576;")));
    }

    // The Qur'an's paragraph keeps each pause mark on the line of its word
    // and, with the ornaments on, carries the verse's number in Arabic-Indic
    // digits; its text is the library's, letter for letter, in either place
    // of the display order and in either script.
    void arabicParagraphAsTheMushafSetsIt_data() {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("arabic");
        QTest::addColumn<bool>("endMarks");
        QTest::newRow("first, Simple, ornaments")
            << QStringLiteral("1/2") << QStringLiteral("miravel.exe") << true;
        QTest::newRow("second, Simple, none")
            << QStringLiteral("2/1") << QStringLiteral("miravel.exe") << false;
        QTest::newRow("first, Uthmani, ornaments")
            << QStringLiteral("1/2/3") << QStringLiteral("Uthmani.dll") << true;
        QTest::newRow("second, Uthmani, ornaments")
            << QStringLiteral("2/1") << QStringLiteral("Uthmani.dll") << true;
    }
    void arabicParagraphAsTheMushafSetsIt() {
        QFETCH(QString, order);
        QFETCH(QString, arabic);
        QFETCH(bool, endMarks);
        FakeComposerView view;
        SuraPageComposer composer;
        auto h = host(order);
        h.arabicLibraryFile = arabic;
        h.verseEndMarks = endMarks;
        composer.DispalyHTML(102, h, view);
        const QStringList verses = elements(arabic, 2);
        // The Uthmani text is its own, with alef wasla where Simple has alef.
        QCOMPARE(verses.at(1).contains(QStringLiteral("&#1649;")),
                 arabic == QLatin1String("Uthmani.dll"));
        static const QRegularExpression paragraph(
            QStringLiteral("<p class='(?:main|Trans)' lang='ar' dir='rtl'( data-end='([^']*)')?>"
                           "(.*?)</p>"));
        static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
        int verse = 0;
        int wrapped = 0;
        for (const auto& match : paragraph.globalMatch(view.body)) {
            ++verse;
            QString text = match.captured(3);
            wrapped += int(text.count(QStringLiteral("<span class='pw'>")));
            QCOMPARE(text.remove(tag), verses.at(verse - 1));
            QString digits;
            for (const QChar digit : QString::number(verse))
                digits += QChar(0x0660 + digit.digitValue()); // Arabic-Indic
            QCOMPARE(match.captured(2),
                     endMarks ? QString::fromLatin1(LibraryFormat::toAsciiMarkup(digits))
                              : QString());
        }
        QCOMPARE(verse, 286);
        // 2:2 holds two pause marks, after "rayba" and after "fihi".
        QVERIFY(wrapped > 100);
    }

    void translationLeadElementsAreSkipped_data() {
        QTest::addColumn<int>("sura");
        QTest::addColumn<int>("shift");
        QTest::newRow("58 skips two") << 58 << 2;
        QTest::newRow("59 skips none") << 59 << 0;
        QTest::newRow("47 skips one") << 47 << 1;
    }
    void translationLeadElementsAreSkipped() {
        QFETCH(int, sura);
        QFETCH(int, shift);
        FakeComposerView view;
        SuraPageComposer composer;
        auto h = host(QStringLiteral("2"));
        composer.DispalyHTML(100 + sura, h, view);
        const QStringList translation = elements(QStringLiteral("Etx2.dll"), sura);
        QVERIFY(view.body.startsWith(view.templateBody.left(10)));
        QVERIFY(view.body.contains(QStringLiteral("<p class='main'>") + translation[shift] +
                                   QStringLiteral("</p>.")));
        QCOMPARE(int(labels(view.body).size()), composer.verseCount());
        QVERIFY(!view.body.contains(QStringLiteral("<p class='main'></p>")));
    }

    void elementRule_data() {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<int>("verse");
        QTest::addColumn<int>("sura");
        QTest::addColumn<bool>("translation");
        QTest::addColumn<QString>("shown");
        const QStringList list{QStringLiteral("a"), QString(), QStringLiteral("b"),
                               QStringLiteral("c")};
        QTest::newRow("plain") << list << 0 << 1 << false << QStringLiteral("a");
        QTest::newRow("empty shows next") << list << 1 << 1 << false << QStringLiteral("b");
        QTest::newRow("and again for the next verse")
            << list << 2 << 1 << false << QStringLiteral("b");
        QTest::newRow("past the end") << list << 4 << 1 << false << QString();
        QTest::newRow("trailing empties")
            << QStringList{QStringLiteral("a"), QString()} << 1 << 1 << false << QString();
        QTest::newRow("shift by one") << list << 2 << 50 << true << QStringLiteral("c");
        QTest::newRow("shift by two past end") << list << 2 << 58 << true << QString();
        QTest::newRow("shift only for translation")
            << list << 0 << 50 << false << QStringLiteral("a");
    }
    void elementRule() {
        QFETCH(QStringList, list);
        QFETCH(int, verse);
        QFETCH(int, sura);
        QFETCH(bool, translation);
        QFETCH(QString, shown);
        QCOMPARE(SuraVerses(list, sura, translation).shownVerse(verse + 1), shown);
    }

    void unknownCodeWritesEmptyParagraphs() {
        FakeComposerView view;
        SuraPageComposer composer;
        auto h = host(QStringLiteral("1/7"));
        composer.DispalyHTML(212, h, view);
        QVERIFY(view.body.contains(QStringLiteral("<p class='Trans'></p>.")));
        QCOMPARE(int(labels(view.body).size()), 4);
    }

    void titleIsFilledWithoutRegardToCase() {
        FakeComposerView view;
        view.templateBody.replace(QStringLiteral("class=\"WHITE\" align=\"center\">|"),
                                  QStringLiteral("CLASS=\"white\" ALIGN=\"Center\">|"));
        SuraPageComposer composer;
        auto h = host(QStringLiteral("1/2"));
        composer.DispalyHTML(102, h, view);
        QVERIFY(
            view.body.contains(QStringLiteral("class=style3 align=center>002- Name : English 2")));
        QVERIFY(!view.body.contains(QStringLiteral(">|")));
    }

    void cancelDuringFirstPortionLeavesLoadingPage() {
        FakeComposerView view;
        SuraPageComposer composer;
        auto h = host(QStringLiteral("1/2"));
        int yields = 0;
        onYield_ = [&] {
            if (++yields == 10)
                cancel_ = true;
        };
        composer.DispalyHTML(102, h, view);
        QCOMPARE(view.navigations, QStringList{QStringLiteral("res:page/loading.HTML")});
        QCOMPARE(view.body, QStringLiteral("Loading ...."));
        QVERIFY(view.appended.isEmpty());
        QVERIFY(selectedNodes_.isEmpty());
    }

    // From one sura to the next the template on show is filled again, not
    // loaded again; the loading page shows only when reading takes long,
    // and then the template is loaded afresh.
    void nextSuraReusesTheTemplate_data() {
        QTest::addColumn<int>("loadingPageDelayMs");
        QTest::addColumn<QStringList>("navigations");
        QTest::addColumn<int>("reused");
        QTest::newRow("quick") << 60000 << QStringList{} << 1;
        QTest::newRow("slow") << 0
                              << QStringList{QStringLiteral("res:page/loading.HTML"),
                                             QStringLiteral("res:page/QURAN.HTML")}
                              << 1;
    }
    void nextSuraReusesTheTemplate() {
        QFETCH(int, loadingPageDelayMs);
        QFETCH(QStringList, navigations);
        QFETCH(int, reused);
        FakeComposerView view;
        view.reusesTemplate = true;
        SuraPageComposer composer;
        auto h = host(QStringLiteral("1/2"));
        h.loadingPageDelayMs = loadingPageDelayMs;
        QVERIFY(composer.DispalyHTML(109, h, view)); // no formula above sura 9
        QVERIFY(!view.englishShown);
        view.navigations.clear();
        selectedNodes_.clear();

        QVERIFY(composer.DispalyHTML(214, h, view));
        QCOMPARE(view.navigations, navigations);
        QCOMPARE(int(view.reused.size()), reused);
        QCOMPARE(labels(view.body), labels(view.appended.mid(4).join(QString())));
        QCOMPARE(int(labels(view.body).size()), 6);
        QVERIFY(view.body.contains(QStringLiteral("class=style3 align=center>114- Name")));
        QVERIFY(!view.body.contains(QStringLiteral("009- Name")));
        QVERIFY(view.englishShown);
        QCOMPARE(selectedNodes_, QList<int>{114});
    }

    // A reused page is emptied and titled for the new sura at once: stopped
    // before its first portion, the composition leaves that page.
    void cancelBeforeTheFirstPortionLeavesTheTitledPage() {
        FakeComposerView view;
        view.reusesTemplate = true;
        SuraPageComposer composer;
        auto h = host(QStringLiteral("1/2"));
        h.loadingPageDelayMs = 60000;
        QVERIFY(composer.DispalyHTML(101, h, view));
        view.navigations.clear();
        int yields = 0;
        onYield_ = [&] {
            if (++yields == 10)
                cancel_ = true;
        };
        QVERIFY(!composer.DispalyHTML(102, h, view));
        QVERIFY(view.navigations.isEmpty());
        QCOMPARE(view.reused, QStringList{QStringLiteral("res:page/QURAN.HTML")});
        QVERIFY(view.body.contains(QStringLiteral("class=style3 align=center>002- Name")));
        QVERIFY(labels(view.body).isEmpty());
    }

    void newerCompositionStopsTheRunningOne_data() {
        QTest::addColumn<bool>("reusesTemplate");
        QTest::newRow("template loaded") << false;
        QTest::newRow("template reused") << true;
    }
    void newerCompositionStopsTheRunningOne() {
        // Sura 1 is chosen while sura 2 is halfway through its second portion.
        QFETCH(bool, reusesTemplate);
        FakeComposerView view;
        view.reusesTemplate = reusesTemplate;
        SuraPageComposer composer;
        auto h = host(QStringLiteral("1/2/3"));
        int yields = 0;
        onYield_ = [&] {
            if (++yields == 400) {
                cancel_ = false; // every click clears the flag first
                auto nested = host(QStringLiteral("1/2/3"));
                nested.loadingPageDelayMs = 60000;
                composer.DispalyHTML(101, nested, view);
            }
        };
        composer.DispalyHTML(102, h, view);
        QCOMPARE(labels(view.body), (QStringList{QStringLiteral("1 : 1"), QStringLiteral("1 : 2"),
                                                 QStringLiteral("1 : 3"), QStringLiteral("1 : 4"),
                                                 QStringLiteral("1 : 5"), QStringLiteral("1 : 6"),
                                                 QStringLiteral("1 : 7")}));
        QCOMPARE(composer.verseCount(), 7);
    }
};

QTEST_GUILESS_MAIN(TestComposer)
#include "tst_composer.moc"
