#pragma once

#include "SuraTable.h"

#include <QByteArray>
#include <QStringList>

// Writes the English chapter information of the default text library from the
// sura facts. Every text is a list of lines; the reader joins them without
// separators, so a line that continues a paragraph ends with a space.
class ChapterTexts {
public:
    // Headings understood by the information page.
    static const QLatin1String NameHeading;
    static const QLatin1String PeriodHeading;
    static const QLatin1String SequenceHeading;
    static const QLatin1String TranslationHeading;
    // The heading of the chapter information author's credit. Its form
    // ("#Chapter Information By : " name "# ") is what the information page
    // looks for, trailing space included.
    static const QLatin1String AuthorHeading;
    static const QLatin1String MakerHeading;
    static const QLatin1String IntroductionHeading;

    static const QLatin1String TranslationCredit;
    static const QLatin1String MetadataCredit;

    explicit ChapterTexts(QList<SuraFacts> suras);

    // Chapter information of sura `number` (1..114).
    QStringList chapter(int number) const;

    // The general introduction: the three credits, then the introduction with
    // the credits of the Arabic text (`notice`: the Tanzil block as extracted)
    // and of the sura metadata.
    QStringList introduction(const QStringList& notice) const;

    // The author's credit as it reads in the joined introduction, from the
    // first letter after the '#' that opens its heading up to and including
    // the '#' that opens the maker's heading. The information page removes it.
    static QString cutText();

    // 114 lines "name//", English names in sura order.
    QStringList nameList() const;

private:
    static QStringList authorCredit();
    const SuraFacts& sura(int number) const;
    const SuraFacts* byRevelationOrder(int order) const;
    int rankInPeriod(const SuraFacts& facts) const;
    int countInPeriod(bool medinan) const;
    QString specialNote(int number) const;
    QString lengthNote(const SuraFacts& facts) const;

    QList<SuraFacts> m_suras;
};
