#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <unistd.h>

// Clocks and figures shared by the benchmark programs.
namespace BenchClock {

// The driver puts its monotonic clock (ns) into this variable just before it
// starts a child, so the child can tell how long ago it was launched.
inline constexpr char kLaunchVariable[] = "MIRAVEL_BENCH_LAUNCH_NS";

inline qint64 monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Milliseconds since the process was started by the kernel, from the start
// time in /proc/self/stat (10 ms resolution); -1 when unreadable.
inline double msSinceProcessStartFromStat() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // Fields after the command name (which may hold spaces) start after ')'.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20)
        return -1;
    const double startTicks = fields.at(19).toDouble(); // field 22 of the whole line
    timespec boot{};
    clock_gettime(CLOCK_BOOTTIME, &boot);
    const double nowMs = boot.tv_sec * 1000.0 + boot.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

// Milliseconds since launch: from the driver's time stamp when there is one,
// else from the kernel's start time.
inline double msSinceLaunch() {
    const QByteArray launch = qgetenv(kLaunchVariable);
    if (!launch.isEmpty())
        return double(monotonicNs() - launch.toLongLong()) / 1e6;
    return msSinceProcessStartFromStat();
}

// Prints one milestone as "mark <name> <ms since launch>".
inline void mark(const char* name) {
    std::printf("mark %s %.1f\n", name, msSinceLaunch());
    std::fflush(stdout);
}

inline double median(QList<double> values) {
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

} // namespace BenchClock
