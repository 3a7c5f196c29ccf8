#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The facts about one sura, as the sura metadata table gives them.
struct SuraFacts {
    int number = 0;
    QString arabicName;
    QString transliteratedName;
    QString englishName;
    int verses = 0;
    bool medinan = false;
    int revelationOrder = 0;
};

// Reads suras.tsv: one header line, then one line per sura with the columns
// sura, name_arabic, name_transliterated, name_english, verses, type,
// revelation_order.
class SuraTable {
public:
    static constexpr int SuraCount = 114;

    // All 114 suras in order, or an empty list (with a reason in *error) when
    // the table is incomplete or damaged: chapter texts written from a partial
    // table would be silently wrong.
    static QList<SuraFacts> parse(const QByteArray& tsv, QString* error = nullptr);
};
