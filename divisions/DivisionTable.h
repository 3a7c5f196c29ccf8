#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <vector>

// A verse by its sura and verse number.
struct DivisionVerse {
    int sura = 0;
    int verse = 0;
    bool operator==(const DivisionVerse&) const = default;
};

// Where one verse stands in the Qur'an's traditional divisions.
struct VerseDivisions {
    int part = 0;    // juz', 1..30
    int quarter = 0; // quarter of a hizb, 1..240 (four to a hizb, eight to a part)
    int manzil = 0;  // 1..7
    int ruku = 0;    // 1..556
    int page = 0;    // page of the 604-page Madani copy
    bool prostration = false;
};

// The divisions of every verse, read from the division file (one line per
// verse, `sura verse juz quarter manzil ruku page sajda` separated by tabs,
// `#` lines first).  A file that is not exactly the 6236 verses in order,
// each with its numbers in range and never going back, is refused as a
// whole: a table that is wrong in one place would send the reader to wrong
// verses everywhere.
class DivisionTable {
public:
    static constexpr int kVerses = 6236;
    static constexpr int kParts = 30;
    static constexpr int kQuarters = 240;
    static constexpr int kPages = 604;
    // The file compiled into the program.
    static const QString kResource;

    // The table of `data`; nothing, with one info line, when it is damaged.
    static std::optional<DivisionTable> parse(const QByteArray& data);
    // The table of the file at `path` (a resource path too); nothing, with
    // one info line, when it is missing or damaged.
    static std::optional<DivisionTable> load(const QString& path);
    // The table of the program's own file, read the first time it is asked
    // for, so that start-up does not wait for it; null when it failed.
    static const DivisionTable* shared();

    // Nothing for a verse the table does not hold.
    std::optional<VerseDivisions> at(const DivisionVerse& verse) const;
    // The first verse of part 1..30, quarter 1..240, page 1..604.
    std::optional<DivisionVerse> partStart(int part) const;
    std::optional<DivisionVerse> quarterStart(int quarter) const;
    std::optional<DivisionVerse> pageStart(int page) const;

    // Where a verse of sura `sura` begins a part or a quarter, or carries a
    // prostration: what the sura's page marks.
    struct Mark {
        int verse = 0;
        int part = 0;    // the part it begins, 0 for none
        int quarter = 0; // the quarter it begins, 0 for none
        bool prostration = false;
    };
    QList<Mark> marksOfSura(int sura) const;

private:
    struct Row {
        DivisionVerse verse;
        VerseDivisions divisions;
    };
    std::optional<DivisionVerse> firstWhere(int VerseDivisions::*field, int value, int count) const;
    // Index of the sura's first verse in rows_, 114 + 1 entries.
    std::vector<int> suraStart_;
    std::vector<Row> rows_;
};

// The names the reader sees.
namespace DivisionNames {
// "Juz' 2"
QString part(int part);
// "Hizb 3", "Hizb 3 ¼", "Hizb 3 ½", "Hizb 3 ¾" for quarters 9..12.
QString quarter(int quarter);
// "Page 22"
QString page(int page);
// "Juz' 2 · Hizb 3 ¼ · Page 22"
QString whereAmI(const VerseDivisions& divisions);
} // namespace DivisionNames
