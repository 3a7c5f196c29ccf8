#include "ChapterTexts.h"

#include "AsciiHtml.h"
#include "ResourceText.h"
#include "TanzilNotice.h"

#include <algorithm>
#include <numeric>

const QLatin1String ChapterTexts::NameHeading("#Name#");
const QLatin1String ChapterTexts::PeriodHeading("#Period of Revelation#");
const QLatin1String ChapterTexts::SequenceHeading("#Sequence#");
const QLatin1String ChapterTexts::TranslationHeading("#Miravel#");
const QLatin1String ChapterTexts::AuthorHeading("#Chapter Information By : Miravel Team# ");
const QLatin1String ChapterTexts::MakerHeading("#About Talvesk#");
const QLatin1String ChapterTexts::IntroductionHeading("#Introduction#");

const QLatin1String ChapterTexts::TranslationCredit(
    "English translation: Mohammed Marmaduke William Pickthall, The Meaning of the Glorious "
    "Koran (1930), public domain; digital text from the Tanzil Project, "
    "https://tanzil.net/trans/");
const QLatin1String ChapterTexts::MetadataCredit(
    "Sura metadata: Tanzil Project (https://tanzil.net/), Creative Commons Attribution 3.0");

namespace {

const QLatin1String ParagraphBreak("<br /><br />");

QString ordinal(int n) {
    const int lastTwo = n % 100;
    const char* suffix = "th";
    if (lastTwo < 11 || lastTwo > 13) {
        switch (n % 10) {
        case 1:
            suffix = "st";
            break;
        case 2:
            suffix = "nd";
            break;
        case 3:
            suffix = "rd";
            break;
        default:
            break;
        }
    }
    return QString::number(n) + QLatin1String(suffix);
}

QString cardinal(int n) {
    static const char* const words[] = {"zero", "one", "two",   "three", "four",
                                        "five", "six", "seven", "eight", "nine"};
    return n >= 0 && n < 10 ? QLatin1String(words[n]) : QString::number(n);
}

QString period(bool medinan) {
    return medinan ? QStringLiteral("Medinan") : QStringLiteral("Meccan");
}

// "Al-Baqara (sura 2, "The Cow")"
QString reference(const SuraFacts& facts) {
    return AsciiHtml::escape(QStringLiteral("%1 (sura %2, \"%3\")")
                                 .arg(facts.transliteratedName)
                                 .arg(facts.number)
                                 .arg(facts.englishName));
}

} // namespace

ChapterTexts::ChapterTexts(QList<SuraFacts> suras) : m_suras(std::move(suras)) {}

const SuraFacts& ChapterTexts::sura(int number) const {
    return m_suras.at(number - 1);
}

const SuraFacts* ChapterTexts::byRevelationOrder(int order) const {
    const auto it = std::find_if(m_suras.cbegin(), m_suras.cend(), [order](const SuraFacts& s) {
        return s.revelationOrder == order;
    });
    return it == m_suras.cend() ? nullptr : &*it;
}

int ChapterTexts::rankInPeriod(const SuraFacts& facts) const {
    return 1 + static_cast<int>(
                   std::count_if(m_suras.cbegin(), m_suras.cend(), [&facts](const SuraFacts& s) {
                       return s.medinan == facts.medinan &&
                              s.revelationOrder < facts.revelationOrder;
                   }));
}

int ChapterTexts::countInPeriod(bool medinan) const {
    return static_cast<int>(
        std::count_if(m_suras.cbegin(), m_suras.cend(),
                      [medinan](const SuraFacts& s) { return s.medinan == medinan; }));
}

QString ChapterTexts::lengthNote(const SuraFacts& facts) const {
    const auto [shortest, longest] = std::minmax_element(
        m_suras.cbegin(), m_suras.cend(),
        [](const SuraFacts& a, const SuraFacts& b) { return a.verses < b.verses; });
    if (facts.verses == longest->verses)
        return QStringLiteral("It is the longest sura of the Qur'an by number of verses. ");
    if (facts.verses != shortest->verses)
        return {};
    const auto shortCount =
        std::count_if(m_suras.cbegin(), m_suras.cend(),
                      [&facts](const SuraFacts& s) { return s.verses == facts.verses; });
    if (shortCount == 1)
        return QStringLiteral("It is the shortest sura of the Qur'an by number of verses. ");
    return QStringLiteral("It is one of the %1 shortest suras of the Qur'an, each with %2 "
                          "verses. ")
        .arg(cardinal(static_cast<int>(shortCount)))
        .arg(facts.verses);
}

// Facts about the basmala, the formula "In the name of Allah, the Beneficent,
// the Merciful", that set a few suras apart.
QString ChapterTexts::specialNote(int number) const {
    switch (number) {
    case 1:
        return QStringLiteral("In the Kufan count of verses followed here, its first verse is "
                              "the basmala, \"In the name of Allah, the Beneficent, the "
                              "Merciful.\" ");
    case 9:
        return QStringLiteral("It is the only sura that does not open with the basmala. ");
    case 27:
        return QStringLiteral("Besides standing at its head, the basmala occurs within its "
                              "verse 30. ");
    default:
        return {};
    }
}

QStringList ChapterTexts::chapter(int number) const {
    const SuraFacts& facts = sura(number);
    const QString name = AsciiHtml::escape(facts.transliteratedName);
    QStringList lines;

    lines << NameHeading;
    lines << QStringLiteral("The name of the sura is %1 (%2), \"%3\". ")
                 .arg(name, AsciiHtml::arabic(facts.arabicName),
                      AsciiHtml::escape(facts.englishName));
    lines << QStringLiteral("It is sura %1 of the %2 suras of the Qur'an and has %3 %4. ")
                 .arg(facts.number)
                 .arg(m_suras.size())
                 .arg(facts.verses)
                 .arg(facts.verses == 1 ? QStringLiteral("verse") : QStringLiteral("verses"));
    if (const QString note = lengthNote(facts); !note.isEmpty())
        lines << note;
    if (const QString note = specialNote(number); !note.isEmpty())
        lines << note;

    lines << PeriodHeading;
    if (facts.medinan)
        lines << QStringLiteral("%1 is a Medinan sura: it is counted among the suras revealed "
                                "at Medina, after the Prophet's emigration (Hijra) from Mecca. ")
                     .arg(name);
    else
        lines << QStringLiteral("%1 is a Meccan sura: it is counted among the suras revealed "
                                "at Mecca, before the Prophet's emigration (Hijra) to Medina. ")
                     .arg(name);
    lines << QStringLiteral("This classification follows the standard Egyptian edition of the "
                            "Qur'an; other traditions classify some suras differently. ");

    lines << SequenceHeading;
    const int rank = rankInPeriod(facts);
    const int periodCount = countInPeriod(facts.medinan);
    lines << QStringLiteral("In the traditional order of revelation it is the %1 sura. ")
                 .arg(ordinal(facts.revelationOrder));
    if (rank == 1)
        lines << QStringLiteral("It is the first of the %1 %2 suras in this order. ")
                     .arg(periodCount)
                     .arg(period(facts.medinan));
    else if (rank == periodCount)
        lines << QStringLiteral("It is the last of the %1 %2 suras in this order. ")
                     .arg(periodCount)
                     .arg(period(facts.medinan));
    else if (rank != facts.revelationOrder) // otherwise it says the same as the sentence above
        lines << QStringLiteral("Among the %1 %2 suras it is the %3 in this order. ")
                     .arg(periodCount)
                     .arg(period(facts.medinan), ordinal(rank));
    const SuraFacts* before = byRevelationOrder(facts.revelationOrder - 1);
    const SuraFacts* after = byRevelationOrder(facts.revelationOrder + 1);
    if (before && after)
        lines << QStringLiteral("It follows %1 and precedes %2. ")
                     .arg(reference(*before), reference(*after));
    else if (after)
        lines << QStringLiteral("It is the first sura in this order, and %1 follows it. ")
                     .arg(reference(*after));
    else if (before)
        lines << QStringLiteral("It is the last sura in this order, following %1. ")
                     .arg(reference(*before));
    return lines;
}

QStringList ChapterTexts::authorCredit() {
    return {AuthorHeading,
            QStringLiteral("The introductions to the suras were written by the Miravel Team. "),
            QStringLiteral("They keep to the facts of each sura: its name and the meaning of "
                           "the name, the number of its verses, its period of revelation and "
                           "its place in the traditional order of revelation. ")};
}

QString ChapterTexts::cutText() {
    // The heading's opening '#' stays in the text; the maker's heading loses
    // its opening '#' to the cut, which the '#' left before it replaces.
    return ResourceText::joined(authorCredit()).mid(1) + QChar(MakerHeading.front());
}

QStringList ChapterTexts::introduction(const QStringList& notice) const {
    const int verseTotal =
        std::accumulate(m_suras.cbegin(), m_suras.cend(), 0,
                        [](int sum, const SuraFacts& s) { return sum + s.verses; });
    QStringList lines;

    lines << TranslationHeading;
    lines << TranslationCredit + QLatin1Char(' ');

    lines << authorCredit();

    lines << MakerHeading;
    lines << QStringLiteral("Miravel is a reader for the Qur'an made by Talvesk. ");
    lines << QStringLiteral("It shows each sura in Arabic together with an English translation "
                            "and a transliteration, searches the texts, keeps bookmarks on "
                            "verses and gives an introduction to every sura. ");

    lines << IntroductionHeading;
    lines << QStringLiteral("The Qur'an is divided into %1 suras (chapters) of unequal length, "
                            "with %2 verses in the count used here. ")
                 .arg(m_suras.size())
                 .arg(verseTotal);
    lines << QStringLiteral("Each sura is counted either as Meccan, revealed before the "
                            "Prophet's emigration (Hijra) from Mecca to Medina, or as Medinan, "
                            "revealed after it; in the classification followed here, %1 suras "
                            "are Meccan and %2 are Medinan. ")
                 .arg(countInPeriod(false))
                 .arg(countInPeriod(true));
    lines << QStringLiteral("The introduction to each sura gives its Arabic name with a "
                            "transliteration and the meaning of the name, the number of its "
                            "verses, its period of revelation and its place in the traditional "
                            "order of revelation. ");

    lines << ParagraphBreak;
    lines << QStringLiteral("The Arabic text is the Tanzil Quran Text (Simple, Version 1.1) of "
                            "the Tanzil Project, <a href='https://tanzil.net/'>"
                            "https://tanzil.net/</a>. Its copyright notice reads:<br />");
    // The notice keeps its own line breaks on the page.
    for (const QString& line : notice)
        lines << AsciiHtml::escape(TanzilNotice::withoutCommentMark(line)) +
                     QStringLiteral("<br />");
    lines << QStringLiteral("<br />The transliteration is generated by rule from this Arabic "
                            "text; it is a derived text and not the Tanzil text itself. ");

    lines << ParagraphBreak;
    lines << MetadataCredit + QLatin1Char(' ');
    return lines;
}

QStringList ChapterTexts::nameList() const {
    QStringList lines;
    for (const SuraFacts& facts : m_suras)
        lines << AsciiHtml::escape(facts.englishName) + QStringLiteral("//");
    return lines;
}
