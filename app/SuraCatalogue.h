#pragma once

#include "ResReader.h"

#include <QString>
#include <QStringList>

#include <functional>

// The suras as every window names and counts them: the text of each in the
// sura tree and the status bar ("002- Al-Baqara", from the string table of
// text library 2), its English name (from the name list of text library 1)
// and its number of verses (text library 1 fixes them).  Windows read the
// suras here, never from the tree widget.  The Qur'an's divisions (parts,
// quarters) belong here too when they come.
class SuraCatalogue {
public:
    // `arabic` gives a reader of text library 1 of the chosen language.
    explicit SuraCatalogue(std::function<ResReader()> arabic);

    // Reads the tree texts from `translation` (entries 1..114; a missing
    // entry reads as "*") and the English names from text library 1.
    void read(const ResReader& translation);

    static bool isSura(int sura);
    // Empty outside 1..114 and before read().
    QString treeText(int sura) const { return treeTexts_.value(sura - 1); }
    QString englishName(int sura) const { return englishNames_.value(sura - 1); }
    // The tree texts of suras 1..114 in order.
    const QStringList& treeTexts() const { return treeTexts_; }
    // The English names as the name list holds them: element n - 1 for sura
    // n, and what follows the last name.
    const QStringList& englishNames() const { return englishNames_; }
    // Read afresh from the library 1 of the language in effect; 0 outside 1..114.
    int verseCount(int sura) const;

    // "002- Al-Baqara": the sura number in three digits and the name.
    static QString treeTextOf(int sura, const QString& name);

private:
    std::function<ResReader()> arabic_;
    QStringList treeTexts_;
    QStringList englishNames_;
};
