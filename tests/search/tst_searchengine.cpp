#include "AppSettings.h"
#include "ArabicFolding.h"
#include "FixtureLibrary.h"
#include "FoundVerses.h"
#include "LibraryFormat.h"
#include "ResReader.h"
#include "ResultItem.h"
#include "ResultList.h"
#include "ResultMarkup.h"
#include "SearchEngine.h"
#include "TransliterationFolding.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

namespace {

const QString kLibrary = QStringLiteral("search-fixture.dll");

// Sura 1: mixed case, markup, character references, runs of spaces, and a
// word only after the last separator.
const QStringList kSura1{
    QStringLiteral("The Light of Allah; light upon LIGHT, a Light."),
    QStringLiteral("Praise be to Him, our refuge."),
    QStringLiteral("He said: <i>Peace</i> &#1587; be  upon you"),
    QStringLiteral("Nothing here"),
};
const QStringList kSura47{
    QStringLiteral("In the name of Allah, the Beneficent, the Merciful."),
    QStringLiteral("Those who disbelieve and turn from the way."),
    QStringLiteral("And those who believe and do good works."),
};
const QStringList kSura58{
    QStringLiteral("Surah 58, The Pleading Woman, revealed at Al-Madinah."),
    QStringLiteral("In the name of Allah, the Beneficent, the Merciful."),
    QStringLiteral("Allah hath heard the saying of her that disputeth with thee."),
    QStringLiteral("Such of you as put away your wives."),
};

// Arabic verses as the libraries store them.
QString stored(const QString& plain) {
    return QString::fromLatin1(LibraryFormat::toAsciiMarkup(plain));
}

const QString kBasmala = QStringLiteral("بِسْمِ اللَّهِ الرَّحْمَـٰنِ الرَّحِيمِ");
const QString kNoDoubt = QStringLiteral("ذَٰلِكَ الْكِتَابُ لَا رَيْبَ ۛ فِيهِ ۛ هُدًى لِّلْمُتَّقِينَ");
const QString kArabicLibrary = QStringLiteral("search-arabic-fixture.dll");

// An added translation in four scripts, stored as the libraries store
// text: every character past ASCII as a reference, markup characters escaped.
const QStringList kAddedVerses{
    QStringLiteral("奉至仁至慈的安拉之名"),
    QStringLiteral("一切赞颂，全归安拉，全世界的主"),
    QStringLiteral("اللہ کے نام سے جو رحمان و رحیم ہے"),
    QStringLiteral("وہ بڑا رحم کرنے والا ہے"),
    QStringLiteral("Au nom d'Allah, le Tout Miséricordieux, le Très Miséricordieux."),
    QStringLiteral("LE TOUT MISÉRICORDIEUX, le Très Miséricordieux"),
    QStringLiteral("A verse that shows <b> as text & more"),
    QStringLiteral("Praise be to Allah, Lord of the Worlds"),
    QStringLiteral("Sur 𝒜 un signe hors du plan de base"),
};
const QString kAddedLibrary = QStringLiteral("search-added-fixture.dll");

// How many of the plain verses hold the keyword, compared without regard to
// case: what a reader counts in the verse file itself.
int plainCount(const QStringList& verses, const QString& keyword) {
    return int(std::count_if(verses.cbegin(), verses.cend(), [&](const QString& verse) {
        return verse.contains(keyword, Qt::CaseInsensitive);
    }));
}

// Transliterated verses as the generated library has them.
const QString kOpening = QStringLiteral("bismi llāhi r-raḥmāni r-raḥīm");
const QString kPraise = QStringLiteral("al-ḥamdu lillāhi rabbi l-`ālamīna");
const QString kBeneficent = QStringLiteral("ar-raḥmāni r-raḥīm");

QStringList sura2() {
    QStringList verses;
    for (int v = 1; v <= 260; ++v)
        verses << (v == 255 ? QStringLiteral("His Throne includeth the heavens.")
                            : QStringLiteral("Verse %1 of the cow.").arg(v));
    return verses;
}

QStringList captions() {
    QStringList list(1);
    for (int sura = 1; sura <= 114; ++sura)
        list << QStringLiteral("%1- Sura %2").arg(sura, 3, 10, QLatin1Char('0')).arg(sura);
    return list;
}

using ItemList = QList<qint32>;

struct Run {
    QList<SearchHit> hits;
    FoundVerses found;
    SearchEngine::Outcome outcome;
    int questions = 0;
    bool cancelAfter = false;
};

// Runs a search; `cancelAtMatch` presses Cancel while the events of that
// match run (0: never), `answerYes` answers the question.
Run search(const QString& keyword, SearchRange range, bool isTranslation, int cancelAtMatch = 0,
           bool answerYes = false, bool cancelBefore = false,
           Comparison comparison = Comparison::StoredText, const QString& library = kLibrary) {
    // A hit names its caption list, which must outlive the hits kept here.
    static const QStringList kCaptions = captions();
    ResReader reader;
    reader.LoadLibrary(library);
    Run run;
    bool cancelSearch = cancelBefore;
    SearchEngine::Hooks hooks;
    hooks.found = [&](const SearchHit& hit) { run.hits << hit; };
    hooks.yield = [&] {
        if (run.hits.size() == cancelAtMatch)
            cancelSearch = true;
    };
    hooks.timeToYield = [] { return true; }; // after every verse
    hooks.confirmCancel = [&] {
        ++run.questions;
        return answerYes;
    };
    run.outcome = SearchEngine(reader, isTranslation, comparison)
                      .run(keyword, range, kCaptions, run.found, cancelSearch, hooks);
    run.cancelAfter = cancelSearch;
    return run;
}

ItemList itemsOf(const Run& run) {
    ItemList items;
    for (const SearchHit& hit : run.hits)
        items << hit.item.itemData();
    return items;
}

SearchRange sura(int n) {
    return SearchRange::fromChapterItem(n, n);
}

Run searchArabic(const QString& keyword, SearchRange range, const QString& library) {
    return search(keyword, range, false, 0, false, false, Comparison::ArabicLetters, library);
}

// A pattern that finds the keyword's letters in vowelled text: each letter,
// or one of its variants, followed by any marks.
QRegularExpression lettersWithMarks(const QString& keyword) {
    const QString marks =
        QStringLiteral("[\\x{0640}\\x{064B}-\\x{065F}\\x{0670}\\x{06D6}-\\x{06ED}]*");
    QString pattern;
    for (const QChar letter : keyword) {
        switch (letter.unicode()) {
        case 0x0627:
            pattern += QStringLiteral("[\\x{0627}\\x{0622}\\x{0623}\\x{0625}\\x{0671}]");
            break;
        case 0x064A:
            pattern += QStringLiteral("[\\x{064A}\\x{0649}]");
            break;
        case 0x0647:
            pattern += QStringLiteral("[\\x{0647}\\x{0629}]");
            break;
        default:
            pattern += QRegularExpression::escape(letter);
        }
        pattern += marks;
    }
    return QRegularExpression(pattern);
}

// The verses of the source file whose text the pattern finds, as item values.
ItemList versesOfSource(const QRegularExpression& pattern) {
    QFile file(QStringLiteral(MIRAVEL_ARABIC_SOURCE));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    ItemList items;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).chopped(1);
        if (line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u'\t');
        if (fields.size() == 3 && pattern.match(fields[2]).hasMatch())
            items << ResultItem{100 + fields[0].toInt(), fields[1].toInt()}.itemData();
    }
    return items;
}

} // namespace

class TestSearchEngine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        LibraryBuilder builder;
        builder.addCustom(101, FixtureLibrary::verses(kSura1, "zebra after the last separator"));
        builder.addCustom(102, FixtureLibrary::verses(sura2()));
        builder.addCustom(147, FixtureLibrary::verses(kSura47));
        builder.addCustom(158, FixtureLibrary::verses(kSura58));
        builder.addCustom(214, FixtureLibrary::verses({QStringLiteral("Say: I seek refuge.")}));
        QVERIFY(FixtureLibrary::write(builder, kLibrary));

        QStringList addedStored;
        for (const QString& verse : kAddedVerses)
            addedStored << stored(verse);
        LibraryBuilder added;
        added.addCustom(103, FixtureLibrary::verses(addedStored));
        QVERIFY(FixtureLibrary::write(added, kAddedLibrary));

        LibraryBuilder arabic;
        arabic.addCustom(101, LibraryFormat::verseResource({kBasmala, kNoDoubt}));
        QVERIFY(FixtureLibrary::write(arabic, kArabicLibrary));
    }

    void findsMatchingVerses_data() {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<int>("chapterItem"); // 0: the whole Qur'an
        QTest::addColumn<bool>("isTranslation");
        QTest::addColumn<ItemList>("expected");

        QTest::newRow("lower case finds mixed case, once per verse")
            << "light" << 1 << false << ItemList{1011};
        QTest::newRow("upper case") << "LIGHT" << 1 << false << ItemList{1011};
        QTest::newRow("one space") << " " << 1 << false << ItemList{1011, 1012, 1013, 1014};
        QTest::newRow("two spaces") << "  " << 1 << false << ItemList{1013};
        QTest::newRow("character reference") << "&#" << 1 << false << ItemList{1013};
        QTest::newRow("markup") << "<" << 1 << false << ItemList{1013};
        QTest::newRow("after the last separator") << "zebra" << 0 << false << ItemList{};
        QTest::newRow("item 0 is every sura") << "refuge" << 0 << false << ItemList{1012, 2141};
        QTest::newRow("item 1 is sura 1 only") << "refuge" << 1 << false << ItemList{1012};
        QTest::newRow("translation 47 past its lead")
            << "good works" << 47 << true << ItemList{1472};
        QTest::newRow("transliteration 47 counts every element")
            << "good works" << 47 << false << ItemList{1473};
        QTest::newRow("translation 58 past two leads") << "wives" << 58 << true << ItemList{1582};
        QTest::newRow("transliteration 58") << "wives" << 58 << false << ItemList{1584};
        QTest::newRow("a lead element is no verse") << "Beneficent" << 0 << true << ItemList{};
    }

    void findsMatchingVerses() {
        QFETCH(QString, keyword);
        QFETCH(int, chapterItem);
        QFETCH(bool, isTranslation);
        QFETCH(ItemList, expected);
        const Run run = search(keyword, sura(chapterItem), isTranslation);
        QCOMPARE(itemsOf(run), expected);
        QCOMPARE(run.outcome.matches, int(expected.size()));
        QCOMPARE(run.found.size(), expected.size());
    }

    void keepsTheStoredVerse() {
        const Run run = search(QStringLiteral("light"), sura(1), false);
        // The stored text, its case and the spaces around it as they are.
        QCOMPARE(run.found.at(101, 1),
                 QStringLiteral("The Light of Allah; light upon LIGHT, a Light. "));
        QCOMPARE(run.found.at(101, 2), QString());

        const Run translation = search(QStringLiteral("wives"), sura(58), true);
        QCOMPARE(translation.found.at(158, 2),
                 QStringLiteral(" Such of you as put away your wives. "));
    }

    void namesTheVerseInItsEntry() {
        const Run run = search(QStringLiteral("throne"), sura(2), false);
        QCOMPARE(run.hits.size(), 1);
        const SearchHit& hit = run.hits.first();
        QCOMPARE(hit.item.itemData(), 102255);
        QCOMPARE(hit.entryText(),
                 QStringLiteral("Chapter /Sura 002 - 002- Sura 2.Ayat/Verse :255"));

        const auto decoded = ResultItem::fromItemData(102255);
        QVERIFY(decoded);
        QCOMPARE(decoded->resourceId, 102);
        QCOMPARE(decoded->sura(), 2);
        QCOMPARE(decoded->verse, 255);
        QVERIFY(!ResultItem::fromItemData(102)); // no verse digits
        QVERIFY(!ResultItem::fromItemData(-5));
    }

    void cancelAsksAtTheNextMatch_data() {
        QTest::addColumn<int>("cancelAtMatch");
        QTest::addColumn<bool>("cancelBefore");
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<int>("expectedHits");
        QTest::addColumn<bool>("stopped");

        QTest::newRow("No goes on") << 3 << false << false << 259 << false;
        QTest::newRow("Yes keeps what was found") << 3 << false << true << 3 << true;
        QTest::newRow("Cancel pressed before the search, Yes") << 0 << true << true << 1 << true;
        QTest::newRow("Cancel pressed before the search, No") << 0 << true << false << 259 << false;
    }

    void cancelAsksAtTheNextMatch() {
        QFETCH(int, cancelAtMatch);
        QFETCH(bool, cancelBefore);
        QFETCH(bool, answerYes);
        QFETCH(int, expectedHits);
        QFETCH(bool, stopped);
        const Run run =
            search(QStringLiteral("of"), sura(2), false, cancelAtMatch, answerYes, cancelBefore);
        QCOMPARE(run.questions, 1);
        QCOMPARE(run.hits.size(), expectedHits);
        QCOMPARE(run.found.size(), expectedHits);
        QCOMPARE(run.outcome.stoppedByUser, stopped);
        QVERIFY(!run.cancelAfter);
    }

    void arabicKeywordIgnoresMarks_data() {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("verse");
        QTest::addColumn<bool>("found");

        QTest::newRow("bare keyword, vowelled verse") << "الرحمن" << kBasmala << true;
        QTest::newRow("part of a word") << "رحمن" << kBasmala << true;
        QTest::newRow("alef wasla and other marks") << "الرحمن"
                                                    << "بِسْمِ ٱللَّهِ ٱلرَّحْمَٰنِ ٱلرَّحِيمِ" << true;
        QTest::newRow("keyword typed with marks") << "الرَّحْمَـٰنِ"
                                                  << "بسم الله الرحمن الرحيم" << true;
        QTest::newRow("marks on both sides differ") << "الرَّحْمِن" << kBasmala << true;
        QTest::newRow("alef with hamza above") << "اكبر"
                                               << "اللَّهُ أَكْبَرُ" << true;
        QTest::newRow("alef with hamza below") << "ابراهيم"
                                               << "وَإِذِ ابْتَلَىٰ إِبْرَاهِيمَ" << true;
        QTest::newRow("alef with madda") << "امنوا"
                                         << "الَّذِينَ آمَنُوا" << true;
        QTest::newRow("typed with hamza, stored bare") << "إبراهيم"
                                                       << "ابراهيم" << true;
        QTest::newRow("alef maksura typed as yaa") << "موسي"
                                                   << "آتَيْنَا مُوسَىٰ" << true;
        QTest::newRow("taa marbuta typed as haa") << "الصلاه"
                                                  << "وَيُقِيمُونَ الصَّلَاةَ" << true;
        QTest::newRow("words spanning a pause mark") << "لا ريب فيه" << kNoDoubt << true;
        QTest::newRow("space typed twice") << "الله  الرحمن" << kBasmala << true;
        QTest::newRow("another word") << "الرحيمن" << kBasmala << false;
        QTest::newRow("a space is no mark") << "اللهالرحمن" << kBasmala << false;
        QTest::newRow("marks alone find nothing") << "َُّ" << kBasmala << false;
    }

    void arabicKeywordIgnoresMarks() {
        QFETCH(QString, keyword);
        QFETCH(QString, verse);
        QFETCH(bool, found);
        const ArabicKeyword arabic(keyword);
        QCOMPARE(arabic.foundIn(stored(verse)), found);
        QCOMPARE(arabic.foundIn(verse), found); // the same in plain Unicode
    }

    void arabicHighlightMarksTheVowelledWords_data() {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("verse");
        // The verse with the highlighted part between [ and ].
        QTest::addColumn<QString>("expected");

        QTest::newRow("the word with its last vowel")
            << "الرحمن" << kBasmala << "بِسْمِ اللَّهِ [الرَّحْمَـٰنِ] الرَّحِيمِ";
        QTest::newRow("part of two words marks both")
            << "رح" << kBasmala << "بِسْمِ اللَّهِ [الرَّحْمَـٰنِ] [الرَّحِيمِ]";
        QTest::newRow("twice in one word, one span") << "ل"
                                                     << "اللَّهِ"
                                                     << "[اللَّهِ]";
        QTest::newRow("across a pause mark")
            << "لا ريب فيه" << kNoDoubt << "ذَٰلِكَ الْكِتَابُ [لَا رَيْبَ ۛ فِيهِ] ۛ هُدًى لِّلْمُتَّقِينَ";
        QTest::newRow("typed with marks") << "الرَّحِيمِ" << kBasmala << "بِسْمِ اللَّهِ الرَّحْمَـٰنِ [الرَّحِيمِ]";
        QTest::newRow("not found") << "موسى" << kBasmala << kBasmala;
    }

    void arabicHighlightMarksTheVowelledWords() {
        QFETCH(QString, keyword);
        QFETCH(QString, verse);
        QFETCH(QString, expected);
        // The highlight goes into the stored text, between its references.
        QString markup;
        for (const QString& part : expected.split(u'[')) {
            const QStringList inner = part.split(u']');
            if (inner.size() == 2)
                markup += QStringLiteral("<span class='Hilight'>") + stored(inner[0]) +
                          QStringLiteral("</span>") + stored(inner[1]);
            else
                markup += stored(part);
        }
        QCOMPARE(ResultMarkup::highlight(stored(verse), keyword, Comparison::ArabicLetters),
                 markup);
    }

    void arabicSearchKeepsTheStoredVerse() {
        const Run run = searchArabic(QStringLiteral("فيه"), sura(1), kArabicLibrary);
        QCOMPARE(itemsOf(run), ItemList{1012});
        QCOMPARE(run.found.at(101, 2), QLatin1Char(' ') + stored(kNoDoubt) + QLatin1Char(' '));
        QVERIFY(searchArabic(QStringLiteral("َ"), sura(1), kArabicLibrary).hits.isEmpty());
    }

    // The program's own Arabic text against the source it was built from,
    // read here with a pattern of letters and marks.
    void arabicCountsMatchTheSource_data() {
        QTest::addColumn<QString>("keyword");
        QTest::newRow("the Beneficent") << "الرحمن";
        QTest::newRow("Abraham, alef with hamza below") << "ابراهيم";
        QTest::newRow("Moses, alef maksura typed as yaa") << "موسي";
        QTest::newRow("prayer, taa marbuta typed as haa") << "الصلاه";
        QTest::newRow("those who believe, alef with madda") << "امنوا";
    }

    void arabicCountsMatchTheSource() {
        QFETCH(QString, keyword);
        const ItemList expected = versesOfSource(lettersWithMarks(keyword));
        QVERIFY(expected.size() > 10);
        const Run run = searchArabic(keyword, SearchRange::wholeQuran(), QString());
        QCOMPARE(run.outcome.matches, int(expected.size()));
        QCOMPARE(itemsOf(run), expected);
    }

    // A translation stored as character references is searched by its
    // characters: a word typed in its script finds every verse that a plain
    // count over the verse file finds.
    void addedTranslationFindsTypedCharacters_data() {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<int>("expected"); // -1: the plain count over the verses
        QTest::newRow("Chinese") << QStringLiteral("安拉") << -1;
        QTest::newRow("Urdu") << QStringLiteral("رحم") << -1;
        QTest::newRow("French, lower case") << QStringLiteral("miséricordieux") << -1;
        QTest::newRow("French, upper case") << QStringLiteral("MISÉRICORDIEUX") << -1;
        QTest::newRow("English") << QStringLiteral("allah") << -1;
        QTest::newRow("markup characters as text") << QStringLiteral("<b>") << -1;
        QTest::newRow("ampersand as text") << QStringLiteral("& more") << -1;
        QTest::newRow("outside the basic plane") << QStringLiteral("𝒜") << -1;
        QTest::newRow("the stored references still match")
            << QStringLiteral("&#23433;&#25289;") << 2;
        QTest::newRow("absent") << QStringLiteral("安拉安") << -1;
    }
    void addedTranslationFindsTypedCharacters() {
        QFETCH(QString, keyword);
        QFETCH(int, expected);
        if (expected < 0)
            expected = plainCount(kAddedVerses, keyword);
        const Run run =
            search(keyword, sura(3), false, 0, false, false, Comparison::StoredText, kAddedLibrary);
        QCOMPARE(run.outcome.matches, expected);
        for (const SearchHit& hit : run.hits) {
            const QString verse = kAddedVerses.at(hit.item.verse - 1);
            if (keyword.startsWith(QLatin1Char('&')) && keyword.contains(QLatin1Char('#')))
                continue;
            QVERIFY2(verse.contains(keyword, Qt::CaseInsensitive), qPrintable(verse));
        }
    }

    void addedTranslationHighlightsTheVersesCharacters_data() {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("verse");
        QTest::addColumn<QString>("expected"); // the plain verse, highlighted between [ and ]
        QTest::newRow("French") << QStringLiteral("miséricordieux")
                                << QStringLiteral("le Tout Miséricordieux!")
                                << QStringLiteral("le Tout [Miséricordieux]!");
        QTest::newRow("Chinese, twice") << QStringLiteral("安拉") << QStringLiteral("安拉是安拉")
                                        << QStringLiteral("[安拉]是[安拉]");
        QTest::newRow("markup characters")
            << QStringLiteral("<b>") << QStringLiteral("shows <b> as text")
            << QStringLiteral("shows [<b>] as text");
        QTest::newRow("ASCII keyword keeps its typed case")
            << QStringLiteral("ALLAH") << QStringLiteral("de Allah, é")
            << QStringLiteral("de [ALLAH], é");
    }
    void addedTranslationHighlightsTheVersesCharacters() {
        QFETCH(QString, keyword);
        QFETCH(QString, verse);
        QFETCH(QString, expected);
        const QString start = QStringLiteral("<span class='Hilight'>");
        const QString end = QStringLiteral("</span>");
        QString want = stored(expected);
        want.replace(QLatin1Char('['), start).replace(QLatin1Char(']'), end);
        // Typed ASCII is put in as typed; other matches keep the stored text.
        QCOMPARE(ResultMarkup::highlight(stored(verse), keyword), want);
    }

    void eachScopeComparesItsWay() {
        AppSettings settings;
        settings.ArabicLibraryFile = QStringLiteral("miravel.exe");
        QCOMPARE(SearchScope::libraryFile(SearchScope::kArabic, settings),
                 QStringLiteral("miravel.exe"));
        QCOMPARE(SearchScope::comparisonOf(SearchScope::kArabic), Comparison::ArabicLetters);
        QCOMPARE(SearchScope::comparisonOf(SearchScope::kTransliteration),
                 Comparison::TransliterationLetters);
        QCOMPARE(SearchScope::comparisonOf(SearchScope::kTranslation), Comparison::StoredText);
        QCOMPARE(SearchScope::comparisonOf(-1), Comparison::StoredText);
    }

    void transliterationKeywordFoldsDiacritics_data() {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("verse");
        QTest::addColumn<bool>("found");

        QTest::newRow("plain letters") << "rahman" << kOpening << true;
        QTest::newRow("capital and macron") << "Rahmān" << kOpening << true;
        QTest::newRow("upper case") << "RAHMAN" << kOpening << true;
        QTest::newRow("dot below typed as a combining mark")
            << QStringLiteral("rah\u0323man") << kOpening << true;
        QTest::newRow("article, elided inside the verse") << "ar-rahman" << kOpening << true;
        QTest::newRow("article at the verse's start") << "ar-rahman" << kBeneficent << true;
        QTest::newRow("allah inside the verse") << "allah" << kOpening << true;
        QTest::newRow("moon letter article after a word") << "al-alamin" << kPraise << true;
        QTest::newRow("ayn left out of the verse") << "alamin" << kPraise << true;
        QTest::newRow("ayn typed as a letter mark") << "ʿālamīn" << kPraise << true;
        QTest::newRow("ayn typed as a quote") << "‘alamin" << kPraise << true;
        QTest::newRow("runs of spaces") << "rabbi   l-alamina" << kPraise << true;
        QTest::newRow("article's hyphen typed as a space") << "ar rahman" << kOpening << true;
        QTest::newRow("the same at the verse's start") << "ar  rahman" << kBeneficent << true;
        QTest::newRow("moon letter article with a space") << "al hamdu" << kPraise << true;
        QTest::newRow("a short word before a space, as typed")
            << "aw la" << QStringLiteral("qul aw lā") << true;
        QTest::newRow("another word") << "rahim" << kPraise << false;
        QTest::newRow("the article is no wildcard") << "al-rahim" << kPraise << false;
        QTest::newRow("signs alone find nothing") << "'`" << kOpening << false;
    }

    void transliterationKeywordFoldsDiacritics() {
        QFETCH(QString, keyword);
        QFETCH(QString, verse);
        QFETCH(bool, found);
        const TransliterationKeyword latin(keyword);
        QCOMPARE(latin.foundIn(stored(verse)), found);
        QCOMPARE(latin.foundIn(verse), found); // the same in plain Unicode
    }

    void transliterationHighlightMarksTheStoredWord_data() {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("verse");
        QTest::addColumn<QString>("expected"); // highlighted between [ and ]

        QTest::newRow("the word with its article")
            << "rahman" << kOpening << "bismi llāhi [r-raḥmāni] r-raḥīm";
        QTest::newRow("typed with the article")
            << "ar-Rahmān" << kBeneficent << "[ar-raḥmāni] r-raḥīm";
        QTest::newRow("two words")
            << "rabbi l-alamin" << kPraise << "al-ḥamdu lillāhi [rabbi l-`ālamīna]";
        QTest::newRow("the article's hyphen typed as a space")
            << "ar rahman" << kOpening << "bismi llāhi [r-raḥmāni] r-raḥīm";
        QTest::newRow("every word that holds it")
            << "ra" << kOpening << "bismi llāhi [r-raḥmāni] [r-raḥīm]";
        QTest::newRow("not found") << "musa" << kOpening << kOpening;
    }

    void transliterationHighlightMarksTheStoredWord() {
        QFETCH(QString, keyword);
        QFETCH(QString, verse);
        QFETCH(QString, expected);
        QString markup;
        for (const QString& part : expected.split(u'[')) {
            const QStringList inner = part.split(u']');
            if (inner.size() == 2)
                markup += QStringLiteral("<span class='Hilight'>") + stored(inner[0]) +
                          QStringLiteral("</span>") + stored(inner[1]);
            else
                markup += stored(part);
        }
        QCOMPARE(
            ResultMarkup::highlight(stored(verse), keyword, Comparison::TransliterationLetters),
            markup);
    }

    // A Cancel pressed while a stretch without matches is read is answered
    // at the next yield, not at the next match.
    void cancelAskedWithoutAMatch() {
        ResReader reader;
        reader.LoadLibrary(kLibrary);
        FoundVerses found;
        bool cancelSearch = false;
        int verses = 0;
        int questions = 0;
        SearchEngine::Hooks hooks;
        hooks.timeToYield = [&] { return ++verses == 5; };
        hooks.yield = [&] { cancelSearch = true; };
        hooks.confirmCancel = [&] {
            ++questions;
            return true;
        };
        const auto outcome = SearchEngine(reader, false)
                                 .run(QStringLiteral("no such word"), SearchRange::wholeQuran(), {},
                                      found, cancelSearch, hooks);
        QCOMPARE(questions, 1);
        QVERIFY(outcome.stoppedByUser);
        QVERIFY(!cancelSearch);
    }

    // Entries found are shown only when the search yields, all of them in
    // one insertion.
    void resultListShowsEntriesInBatches() {
        ResultList list;
        list.setChapterCaptions(captions());
        QList<std::pair<int, int>> insertions;
        connect(&list, &QAbstractItemModel::rowsInserted, this,
                [&](const QModelIndex&, int first, int last) {
                    insertions.append({first, last});
                });
        for (int verse = 1; verse <= 3; ++verse)
            list.add({102, verse});
        QCOMPARE(list.rowCount(), 0);
        list.showAdded();
        list.add({214, 6});
        list.showAdded();
        list.showAdded(); // nothing new
        QCOMPARE(insertions, (QList<std::pair<int, int>>{{0, 2}, {3, 3}}));
        QCOMPARE(list.rowCount(), 4);
        QCOMPARE(list.index(3).data(ResultList::kItemDataRole).toInt(), 2146);
        QCOMPARE(list.textAt(3), QStringLiteral("Chapter /Sura 114 - 114- Sura 114.Ayat/Verse :6"));
        QCOMPARE(list.index(0).data(ResultList::kPartsRole).toStringList(),
                 (QStringList{QStringLiteral("Chapter /Sura 002 - "), QStringLiteral("002- Sura 2"),
                              QStringLiteral(".Ayat/Verse :1"), QStringLiteral("2 : 1")}));
        list.clear();
        QCOMPARE(list.rowCount(), 0);
    }

    void chapterRange_data() {
        QTest::addColumn<int>("selectedIndex");
        QTest::addColumn<int>("itemData");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("nothing selected") << -1 << 0 << 101 << 214;
        QTest::newRow("whole Qur'an") << 0 << 0 << 101 << 214;
        QTest::newRow("sura 1") << 1 << 1 << 101 << 101;
        QTest::newRow("sura 114") << 114 << 114 << 214 << 214;
    }

    void chapterRange() {
        QFETCH(int, selectedIndex);
        QFETCH(int, itemData);
        const SearchRange range = SearchRange::fromChapterItem(selectedIndex, itemData);
        QTEST(range.first, "first");
        QTEST(range.last, "last");
    }
};

QTEST_GUILESS_MAIN(TestSearchEngine)
#include "tst_searchengine.moc"
