#include "SuraTable.h"

#include <QSet>

namespace {

bool readNumber(const QString& text, int low, int high, int* value) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < low || n > high)
        return false;
    *value = n;
    return true;
}

QList<SuraFacts> fail(QString* error, const QString& reason) {
    if (error)
        *error = reason;
    return {};
}

} // namespace

QList<SuraFacts> SuraTable::parse(const QByteArray& tsv, QString* error) {
    QList<QByteArray> lines = tsv.split('\n');
    if (lines.isEmpty() || !lines.first().startsWith("sura\t"))
        return fail(error, QStringLiteral("missing header line"));
    lines.removeFirst();

    QList<SuraFacts> suras;
    QSet<int> orders;
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QStringList columns = QString::fromUtf8(line).split(QLatin1Char('\t'));
        const QString where = QStringLiteral("line of sura %1").arg(suras.size() + 1);
        if (columns.size() != 7)
            return fail(error, where + QStringLiteral(": expected 7 columns"));

        SuraFacts facts;
        if (!readNumber(columns[0], 1, SuraCount, &facts.number) ||
            facts.number != suras.size() + 1)
            return fail(error, where + QStringLiteral(": sura number out of order"));
        facts.arabicName = columns[1].trimmed();
        facts.transliteratedName = columns[2].trimmed();
        facts.englishName = columns[3].trimmed();
        if (facts.arabicName.isEmpty() || facts.transliteratedName.isEmpty() ||
            facts.englishName.isEmpty())
            return fail(error, where + QStringLiteral(": empty name"));
        if (!readNumber(columns[4], 1, 1000, &facts.verses))
            return fail(error, where + QStringLiteral(": bad verse count"));
        if (columns[5] == QLatin1String("Medinan"))
            facts.medinan = true;
        else if (columns[5] != QLatin1String("Meccan"))
            return fail(error, where + QStringLiteral(": type is neither Meccan nor Medinan"));
        if (!readNumber(columns[6], 1, SuraCount, &facts.revelationOrder) ||
            orders.contains(facts.revelationOrder))
            return fail(error, where + QStringLiteral(": bad or repeated revelation order"));
        orders.insert(facts.revelationOrder);
        suras.append(facts);
    }
    if (suras.size() != SuraCount)
        return fail(error,
                    QStringLiteral("expected %1 suras, found %2").arg(SuraCount).arg(suras.size()));
    return suras;
}
