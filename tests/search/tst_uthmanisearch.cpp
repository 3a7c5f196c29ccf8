// The Arabic search over the Qur'an in the Uthmani script: a word typed in
// the plain (imla'i) spelling finds the verse in both scripts, and so does a
// word typed as the Uthmani text spells it; the highlight covers the
// Uthmani words; and over the Simple text's own words the verses found in
// the Uthmani text are the ones found in the Simple text.
#include "ArabicFolding.h"
#include "LibraryFormat.h"

#include <QHash>
#include <QTest>

#include <array>
#include <random>

namespace {

// Verse texts by sura, as read from a verse file.
using Script = LibraryFormat::VerseMap;

QString stored(const QString& plain) {
    return QString::fromLatin1(LibraryFormat::toAsciiMarkup(plain));
}

// Frequent words and a random draw of the others.
constexpr int kFrequentWords = 2000;
constexpr int kRandomWords = 500;
constexpr unsigned kSeed = 1447;

// The distinct words of the verses that fold to something, the most
// frequent first (ties in text order).
QStringList wordsByFrequency(const QStringList& verses) {
    QHash<QString, int> counts;
    QStringList order;
    for (const QString& verse : verses) {
        for (const QString& word : verse.split(u' ', Qt::SkipEmptyParts)) {
            if (ArabicKeyword(word).folded().isEmpty())
                continue;
            if (counts[word]++ == 0)
                order.append(word);
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](const QString& a, const QString& b) {
        return counts.value(a) > counts.value(b);
    });
    return order;
}

QStringList sampleOf(const QStringList& byFrequency) {
    QStringList words = byFrequency.mid(0, kFrequentWords);
    QStringList rest = byFrequency.mid(kFrequentWords);
    std::mt19937 random(kSeed);
    for (int i = 0; i < kRandomWords && i < rest.size(); ++i) {
        const auto pick = i + qsizetype(random() % std::uint32_t(rest.size() - i));
        rest.swapItemsAt(i, pick);
        words.append(rest.at(i));
    }
    return words;
}

// Which pairs of Arabic letters stand side by side in a folded text: a
// keyword's own letters compare as themselves, so a verse that lacks a pair
// of them cannot hold the keyword.  It spares the comparison of most verses.
class LetterPairs {
public:
    explicit LetterPairs(QStringView folded) {
        for (qsizetype i = 1; i < folded.size(); ++i) {
            const int pair = pairOf(folded[i - 1], folded[i]);
            if (pair >= 0)
                bits_[pair / 64] |= quint64(1) << (pair % 64);
        }
    }

    static QList<int> of(QStringView folded) {
        QList<int> pairs;
        for (qsizetype i = 1; i < folded.size(); ++i) {
            const int pair = pairOf(folded[i - 1], folded[i]);
            if (pair >= 0)
                pairs.append(pair);
        }
        return pairs;
    }

    bool holds(const QList<int>& pairs) const {
        return std::all_of(pairs.cbegin(), pairs.cend(),
                           [this](int pair) { return (bits_[pair / 64] >> (pair % 64)) & 1; });
    }

private:
    static int letterOf(QChar c) {
        const char16_t unit = c.unicode();
        return unit >= 0x0621 && unit <= 0x064A ? unit - 0x0620 : -1;
    }
    static int pairOf(QChar a, QChar b) {
        const int first = letterOf(a);
        const int second = letterOf(b);
        return first < 0 || second < 0 ? -1 : first * 64 + second;
    }

    std::array<quint64, 64> bits_{};
};

struct FoldedVerse {
    QString folded;
    LetterPairs pairs;
};

struct Tally {
    qint64 expected = 0; // verses the Simple text finds, over all words
    qint64 found = 0;    // of those, found in the Uthmani text too
    qint64 extra = 0;    // found in the Uthmani text only
};

} // namespace

class TestUthmaniSearch : public QObject {
    Q_OBJECT

    Script simple_;
    Script uthmani_;

    QString simpleVerse(int sura, int verse) const { return simple_.value(sura).value(verse - 1); }
    QString uthmaniVerse(int sura, int verse) const {
        return uthmani_.value(sura).value(verse - 1);
    }

    QList<FoldedVerse> foldedVerses(const Script& script) const {
        QList<FoldedVerse> verses;
        for (const QStringList& sura : script) {
            for (const QString& verse : sura) {
                const QString folded = ArabicFolding::fold(stored(verse));
                verses.append({folded, LetterPairs(folded)});
            }
        }
        return verses;
    }

    // Every word looked for in both scripts; `prefilter` lets the letter
    // pairs rule out verses first.
    static Tally compare(const QStringList& words, const QList<FoldedVerse>& simple,
                         const QList<FoldedVerse>& uthmani, bool prefilter) {
        Tally tally;
        for (const QString& word : words) {
            const ArabicKeyword keyword(word);
            const QList<int> pairs = prefilter ? LetterPairs::of(keyword.folded()) : QList<int>();
            const auto foundIn = [&](const FoldedVerse& verse) {
                return verse.pairs.holds(pairs) && keyword.foundInFolded(verse.folded);
            };
            for (qsizetype i = 0; i < simple.size(); ++i) {
                const bool expected = foundIn(simple.at(i));
                const bool found = foundIn(uthmani.at(i));
                tally.expected += expected;
                tally.found += expected && found;
                tally.extra += found && !expected;
            }
        }
        return tally;
    }

private slots:
    void initTestCase() {
        const auto simple = LibraryFormat::readVerseFile(QStringLiteral(MIRAVEL_ARABIC_SOURCE));
        const auto uthmani = LibraryFormat::readVerseFile(QStringLiteral(MIRAVEL_UTHMANI_SOURCE));
        QVERIFY(simple && uthmani);
        simple_ = *simple;
        uthmani_ = *uthmani;
        QCOMPARE(simple_.size(), 114);
        QCOMPARE(uthmani_.size(), 114);
        for (int sura = 1; sura <= 114; ++sura)
            QCOMPARE(uthmani_.value(sura).size(), simple_.value(sura).size());
    }

    // A keyword against one verse of each script, as the libraries store
    // them.
    void keywordFindsTheVerseInBothScripts_data() {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<int>("sura");
        QTest::addColumn<int>("verse");
        QTest::addColumn<bool>("found"); // in both scripts

        // Plain spellings of words the Uthmani text spells otherwise.
        QTest::newRow("superscript alef twice") << "السماوات" << 2 << 33 << true;
        QTest::newRow("superscript alef after tatweel") << "الكتاب" << 2 << 2 << true;
        QTest::newRow("waw with superscript alef for alef") << "الصلاة" << 2 << 3 << true;
        QTest::newRow("waw with superscript alef, another word") << "الزكاة" << 2 << 43 << true;
        QTest::newRow("waw with superscript alef, two words") << "الحياة الدنيا" << 2 << 85 << true;
        QTest::newRow("hamza and alef for alef with madda") << "آمنوا" << 2 << 9 << true;
        QTest::newRow("the same, typed with bare alef") << "امنوا" << 2 << 9 << true;
        QTest::newRow("hamza on tatweel and alef for alef with madda")
            << "الآخرة" << 2 << 4 << true;
        QTest::newRow("the same, typed with bare alef, hamza on tatweel")
            << "الاخرة" << 2 << 4 << true;
        QTest::newRow("hamza on the line and alef for alef with madda")
            << "القرآن" << 2 << 185 << true;
        QTest::newRow("the same, typed with bare alef, hamza on the line")
            << "القران" << 2 << 185 << true;
        QTest::newRow("hamza with superscript alef for alef with madda")
            << "الآن" << 2 << 71 << true;
        QTest::newRow("the same, inside a word") << "سوآتهما" << 7 << 22 << true;
        QTest::newRow("vocative joined to the next word") << "يا أيها" << 2 << 21 << true;
        QTest::newRow("vocative joined, another word") << "يا قوم" << 2 << 54 << true;
        QTest::newRow("vocative joined, three words") << "يا بني إسرائيل" << 2 << 40 << true;
        QTest::newRow("vocative joined before madda") << "يا آدم" << 2 << 33 << true;
        QTest::newRow("hamza on tatweel for yeh with hamza") << "شيئا" << 2 << 48 << true;
        QTest::newRow("hamza on tatweel before alef") << "السيئات" << 4 << 18 << true;
        QTest::newRow("hamza on tatweel for alef with hamza") << "يسألونك" << 2 << 189 << true;
        QTest::newRow("hamza on the line for alef with hamza") << "أرأيت" << 96 << 9 << true;
        QTest::newRow("hamza for the first of two alefs") << "أأنتم" << 2 << 140 << true;
        QTest::newRow("hamza for alef with hamza below") << "أإذا" << 13 << 5 << true;
        QTest::newRow("small high yeh for yaa") << "إبراهيم" << 2 << 124 << true;
        QTest::newRow("small waw for waw") << "داوود" << 2 << 251 << true;
        QTest::newRow("small waw after the pronoun") << "به" << 2 << 22 << true;
        QTest::newRow("alef maksura with superscript alef at the end") << "موسى" << 2 << 51 << true;
        QTest::newRow("alef maksura with superscript alef inside a word")
            << "فدلاهما" << 7 << 22 << true;
        QTest::newRow("madda and alef maksura with superscript alef")
            << "وآتاه" << 2 << 251 << true;
        QTest::newRow("one lam for two, before yaa") << "الليل" << 2 << 164 << true;
        QTest::newRow("one lam for two, before superscript alef") << "اللاتي" << 4 << 15 << true;
        // Words whose plain spelling leaves out an alef both scripts have.
        QTest::newRow("left out: ذلك") << "ذلك" << 2 << 2 << true;
        QTest::newRow("left out: هذا") << "هذا" << 2 << 25 << true;
        QTest::newRow("left out: هؤلاء") << "هؤلاء" << 2 << 31 << true;
        QTest::newRow("left out: أولئك") << "أولئك" << 2 << 5 << true;
        QTest::newRow("left out: إله and الرحمن") << "إله إلا هو الرحمن" << 2 << 163 << true;
        // Words typed as the Uthmani text spells them.
        QTest::newRow("Uthmani, with marks") << "ٱلصَّلَوٰةَ" << 2 << 3 << true;
        QTest::newRow("Uthmani, superscript alef only") << "ٱلصلوٰة" << 2 << 3 << true;
        QTest::newRow("Uthmani, without marks") << "الصلوة" << 2 << 3 << true;
        QTest::newRow("Uthmani, without marks, another word") << "الزكوة" << 2 << 43 << true;
        QTest::newRow("Uthmani, superscript alef for alef") << "ٱلْكِتَـٰبُ" << 2 << 2 << true;
        QTest::newRow("Uthmani, two superscript alefs") << "ٱلسَّمَـٰوَٰتِ" << 2 << 33 << true;
        QTest::newRow("Uthmani, vocative joined") << "يَـٰٓأَيُّهَا" << 2 << 21 << true;
        QTest::newRow("Uthmani, hamza and alef") << "ءَامَنُوا۟" << 2 << 9 << true;
        QTest::newRow("Uthmani, hamza and alef without marks") << "ءامنوا" << 2 << 9 << true;
        QTest::newRow("Uthmani, hamza on tatweel") << "شَيْـًٔا" << 2 << 48 << true;
        QTest::newRow("Uthmani, hamza on tatweel before alef") << "ٱلْـَٔاخِرَةِ" << 2 << 4 << true;
        QTest::newRow("Uthmani, one lam for two") << "ٱلَّيْلِ" << 2 << 164 << true;
        QTest::newRow("Uthmani, small high yeh") << "إِبْرَٰهِـۧمَ" << 2 << 124 << true;
        // What the folding must not make of a word.
        QTest::newRow("superscript alef is not left out") << "كتب" << 2 << 2 << false;
        QTest::newRow("waw for alef is not left out") << "الصله" << 2 << 3 << false;
        QTest::newRow("alef maksura at the end stays yaa") << "علا" << 2 << 5 << false;
        QTest::newRow("joined vocative is a word of its own") << "ابن" << 2 << 40 << false;
        QTest::newRow("hamza before tanween alef is a letter") << "يا" << 2 << 48 << false;
        QTest::newRow("typed hamza is a letter") << "جزءا" << 2 << 85 << false;
        QTest::newRow("superscript alef of إله is a letter") << "له" << 2 << 163 << false;
    }

    void keywordFindsTheVerseInBothScripts() {
        QFETCH(QString, keyword);
        QFETCH(int, sura);
        QFETCH(int, verse);
        QFETCH(bool, found);
        const ArabicKeyword arabic(keyword);
        QCOMPARE(arabic.foundIn(stored(simpleVerse(sura, verse))), found);
        QCOMPARE(arabic.foundIn(stored(uthmaniVerse(sura, verse))), found);
        QCOMPARE(arabic.foundIn(uthmaniVerse(sura, verse)), found); // plain Unicode
    }

    // The highlight marks whole Uthmani words, with every mark on them.
    void highlightCoversTheUthmaniWords_data() {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<int>("sura");
        QTest::addColumn<int>("verse");
        QTest::addColumn<QList<int>>("words"); // counted from 1 in the Uthmani verse

        QTest::newRow("waw with superscript alef: ٱلصَّلَوٰةَ") << "الصلاة" << 2 << 3 << QList<int>{5};
        QTest::newRow("vocative joined, both words typed: يَـٰٓأَيُّهَا")
            << "يا أيها" << 2 << 21 << QList<int>{1};
        QTest::newRow("vocative joined, the second word typed: لِقَوْمِهِۦ يَـٰقَوْمِ")
            << "قوم" << 2 << 54 << QList<int>{4, 5};
        QTest::newRow("hamza and alef after the joined vocative: يَـٰٓـَٔادَمُ")
            << "آدم" << 2 << 33 << QList<int>{2};
        QTest::newRow("hamza on tatweel: شَيْـًٔا") << "شيئا" << 2 << 48 << QList<int>{8};
        QTest::newRow("with prefixes: وَبِٱلْـَٔاخِرَةِ") << "الآخرة" << 2 << 4 << QList<int>{10};
        QTest::newRow("one lam for two: ٱلَّيْلِ") << "الليل" << 2 << 164 << QList<int>{7};
        QTest::newRow("small waw left out at the end: بِهِۦ") << "به" << 2 << 22 << QList<int>{13};
    }

    void highlightCoversTheUthmaniWords() {
        QFETCH(QString, keyword);
        QFETCH(int, sura);
        QFETCH(int, verse);
        QFETCH(QList<int>, words);
        const QString plain = uthmaniVerse(sura, verse);
        const QStringList verseWords = plain.split(u' ');
        QStringList expected;
        for (const int word : words)
            expected.append(verseWords.value(word - 1));
        const QString text = stored(plain);
        QStringList marked;
        for (const ArabicFolding::Span& span :
             ArabicFolding(text).wordsMatching(ArabicKeyword(keyword).folded()))
            marked.append(
                LibraryFormat::fromAsciiMarkup(text.mid(span.start, span.end - span.start)));
        QCOMPARE(marked, expected);
    }

    // Over the Simple text's own words (the most frequent and a random
    // draw of the others), the verses found in the Uthmani text are those
    // found in the Simple text: nearly all of them, and hardly any other.
    void uthmaniFindsWhatSimpleFinds() {
        QStringList simpleVerses;
        for (const QStringList& sura : simple_)
            simpleVerses += sura;
        const QStringList words = sampleOf(wordsByFrequency(simpleVerses));
        QCOMPARE(words.size(), kFrequentWords + kRandomWords);
        const QList<FoldedVerse> simple = foldedVerses(simple_);
        const QList<FoldedVerse> uthmani = foldedVerses(uthmani_);

        // The letter pairs rule out no verse the keyword is found in.
        const QStringList some = words.mid(0, 50) + words.mid(words.size() - 50);
        const Tally checked = compare(some, simple, uthmani, true);
        const Tally everyVerse = compare(some, simple, uthmani, false);
        QCOMPARE(checked.expected, everyVerse.expected);
        QCOMPARE(checked.found, everyVerse.found);
        QCOMPARE(checked.extra, everyVerse.extra);

        const Tally all = compare(words, simple, uthmani, true);
        const double recall = double(all.found) / double(all.expected);
        const double extra = double(all.extra) / double(all.expected);
        qInfo("%lld words: %lld verses expected, %lld found (%.2f %%), %lld extra (%.2f %%)",
              static_cast<long long>(words.size()), static_cast<long long>(all.expected),
              static_cast<long long>(all.found), 100 * recall, static_cast<long long>(all.extra),
              100 * extra);
        QVERIFY2(recall >= 0.99, "fewer than 99 % of the verses found in the Uthmani text");
        QVERIFY2(extra <= 0.01, "more than 1 % extra verses found in the Uthmani text");
    }
};

QTEST_GUILESS_MAIN(TestUthmaniSearch)
#include "tst_uthmanisearch.moc"
