// Reading and splitting the longest sura (2) from each text library, as the
// page composer does for every page: a fresh reader each time, nothing cached.
#include "ResReader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <vector>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int rounds = 200;
    for (const QString& library :
         {QStringLiteral("miravel.exe"), QStringLiteral("Etx2.dll"), QStringLiteral("Etx3.dll")}) {
        std::vector<double> times;
        qsizetype elements = 0;
        for (int i = 0; i < rounds; ++i) {
            QElapsedTimer timer;
            timer.start();
            ResReader reader;
            reader.LoadLibrary(library);
            const QStringList verses =
                splitVerses(reader.LoadHtml(102, QString()).value_or(QString()));
            times.push_back(timer.nsecsElapsed() / 1e6);
            elements = verses.size();
        }
        std::sort(times.begin(), times.end());
        out << library << ": sura 2 read and split into " << elements << " elements, median "
            << times[times.size() / 2] << " ms, 95th percentile " << times[times.size() * 95 / 100]
            << " ms over " << rounds << " rounds\n";
    }
    return 0;
}
