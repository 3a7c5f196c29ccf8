#include "DivisionTable.h"

#include "DivisionsLog.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <charconv>

const QString DivisionTable::kResource = QStringLiteral(":/divisions/quran-divisions.tsv");

namespace {

constexpr int kSuras = 114;
constexpr int kFields = 8;

// The fields of one line as whole numbers; nothing when a field is missing,
// extra or not a plain decimal number.
std::optional<std::array<int, kFields>> numbersOf(const char* begin, const char* end) {
    std::array<int, kFields> numbers{};
    const char* at = begin;
    for (int i = 0; i < kFields; ++i) {
        const char* stop = at;
        while (stop != end && *stop != '\t')
            ++stop;
        if ((stop == end) != (i == kFields - 1))
            return std::nullopt;
        const auto [last, error] = std::from_chars(at, stop, numbers[size_t(i)]);
        if (error != std::errc() || last != stop || at == stop)
            return std::nullopt;
        at = stop + 1;
    }
    return numbers;
}

struct Bounds {
    int low;
    int high;
};

// juz, quarter, manzil, ruku, page, sajda
constexpr std::array<Bounds, 6> kBounds{{{1, DivisionTable::kParts},
                                         {1, DivisionTable::kQuarters},
                                         {1, 7},
                                         {1, 556},
                                         {1, DivisionTable::kPages},
                                         {0, 1}}};

} // namespace

std::optional<DivisionTable> DivisionTable::parse(const QByteArray& data) {
    DivisionTable table;
    table.rows_.reserve(kVerses);
    table.suraStart_.assign(kSuras + 1, -1);
    const char* at = data.constData();
    const char* const end = at + data.size();
    int lineNumber = 0;
    std::array<int, kFields> previous{};
    const auto refuse = [&lineNumber](const char* why) {
        qCInfo(lcDivisions).nospace() << "The division file is damaged (" << why << ", line "
                                      << lineNumber << "); the divisions are off";
        return std::nullopt;
    };
    while (at < end) {
        const char* lineEnd = std::find(at, end, '\n');
        const char* textEnd = lineEnd;
        if (textEnd != at && textEnd[-1] == '\r')
            --textEnd;
        ++lineNumber;
        const char* const lineStart = at;
        at = lineEnd == end ? end : lineEnd + 1;
        if (textEnd == lineStart || *lineStart == '#')
            continue;
        const auto numbers = numbersOf(lineStart, textEnd);
        if (!numbers)
            return refuse("not eight numbers");
        const auto& n = *numbers;
        for (size_t i = 0; i < kBounds.size(); ++i) {
            if (n[i + 2] < kBounds[i].low || n[i + 2] > kBounds[i].high)
                return refuse("a number out of range");
        }
        // The verses in order, 1:1 first; each division number the same as
        // the verse before's or one more.
        const bool first = table.rows_.empty();
        const bool nextVerse = !first && n[0] == previous[0] && n[1] == previous[1] + 1;
        const bool nextSura =
            first ? (n[0] == 1 && n[1] == 1) : (n[0] == previous[0] + 1 && n[1] == 1);
        if (!nextVerse && !nextSura)
            return refuse("a verse out of order");
        for (int i = 2; i <= 6; ++i) {
            // Every division starts at 1 with the first verse.
            const int step = first ? n[size_t(i)] - 1 : n[size_t(i)] - previous[size_t(i)];
            if (step != 0 && (first || step != 1))
                return refuse("a division that skips or goes back");
        }
        if (n[0] > kSuras || int(table.rows_.size()) >= kVerses)
            return refuse("more verses than the Qur'an has");
        if (nextSura)
            table.suraStart_[size_t(n[0] - 1)] = int(table.rows_.size());
        table.rows_.push_back({{n[0], n[1]}, {n[2], n[3], n[4], n[5], n[6], n[7] == 1}});
        previous = n;
    }
    if (int(table.rows_.size()) != kVerses || previous[0] != kSuras || previous[2] != kParts ||
        previous[3] != kQuarters || previous[6] != kPages)
        return refuse("the file ends before the last verse");
    table.suraStart_[kSuras] = kVerses;
    return table;
}

std::optional<DivisionTable> DivisionTable::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCInfo(lcDivisions).nospace()
            << "The division file " << path << " cannot be read; the divisions are off";
        return std::nullopt;
    }
    return parse(file.readAll());
}

const DivisionTable* DivisionTable::shared() {
    static const std::optional<DivisionTable> table = load(kResource);
    return table ? &*table : nullptr;
}

std::optional<VerseDivisions> DivisionTable::at(const DivisionVerse& verse) const {
    if (verse.sura < 1 || verse.sura > kSuras || verse.verse < 1)
        return std::nullopt;
    const int index = suraStart_[size_t(verse.sura - 1)] + verse.verse - 1;
    if (index >= suraStart_[size_t(verse.sura)])
        return std::nullopt;
    return rows_[size_t(index)].divisions;
}

std::optional<DivisionVerse> DivisionTable::firstWhere(int VerseDivisions::*field, int value,
                                                       int count) const {
    if (value < 1 || value > count)
        return std::nullopt;
    // The numbers never go back: the first row at or past `value`.
    const auto found =
        std::lower_bound(rows_.begin(), rows_.end(), value,
                         [field](const Row& row, int v) { return row.divisions.*field < v; });
    if (found == rows_.end() || found->divisions.*field != value)
        return std::nullopt;
    return found->verse;
}

std::optional<DivisionVerse> DivisionTable::partStart(int part) const {
    return firstWhere(&VerseDivisions::part, part, kParts);
}

std::optional<DivisionVerse> DivisionTable::quarterStart(int quarter) const {
    return firstWhere(&VerseDivisions::quarter, quarter, kQuarters);
}

std::optional<DivisionVerse> DivisionTable::pageStart(int page) const {
    return firstWhere(&VerseDivisions::page, page, kPages);
}

QList<DivisionTable::Mark> DivisionTable::marksOfSura(int sura) const {
    QList<Mark> marks;
    if (sura < 1 || sura > kSuras)
        return marks;
    for (int i = suraStart_[size_t(sura - 1)]; i < suraStart_[size_t(sura)]; ++i) {
        const VerseDivisions& d = rows_[size_t(i)].divisions;
        const VerseDivisions* before = i > 0 ? &rows_[size_t(i - 1)].divisions : nullptr;
        Mark mark;
        mark.verse = rows_[size_t(i)].verse.verse;
        if (!before || before->part != d.part)
            mark.part = d.part;
        if (!before || before->quarter != d.quarter)
            mark.quarter = d.quarter;
        mark.prostration = d.prostration;
        if (mark.part || mark.quarter || mark.prostration)
            marks.append(mark);
    }
    return marks;
}

namespace DivisionNames {

QString part(int part) {
    return QStringLiteral("Juz' %1").arg(part);
}

QString quarter(int quarter) {
    static const QString fractions[] = {QString(), QStringLiteral(" \u00bc"),
                                        QStringLiteral(" \u00bd"), QStringLiteral(" \u00be")};
    const int hizb = (quarter - 1) / 4 + 1;
    return QStringLiteral("Hizb %1").arg(hizb) + fractions[(quarter - 1) % 4];
}

QString page(int page) {
    return QStringLiteral("Page %1").arg(page);
}

QString whereAmI(const VerseDivisions& divisions) {
    return part(divisions.part) + QStringLiteral(" \u00b7 ") + quarter(divisions.quarter) +
           QStringLiteral(" \u00b7 ") + page(divisions.page);
}

} // namespace DivisionNames
