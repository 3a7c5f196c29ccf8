#pragma once

#include <QDir>
#include <QFile>
#include <QList>
#include <QMap>
#include <QString>

// Resident memory of this process and of the web engine's processes below it.
namespace ProcessMemory {

// VmRSS of a process in KiB; -1 when unreadable.
inline qint64 residentKiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

inline qint64 parentOf(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() : -1;
}

// The engine's process type ("renderer", "zygote", "gpu-process", ...).
inline QString typeOf(qint64 pid) {
    QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!cmdline.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& argument : cmdline.readAll().split('\0')) {
        if (argument.startsWith("--type="))
            return QString::fromLatin1(argument.mid(7));
    }
    return QStringLiteral("other");
}

// Every process descended from `root`, by pid.
inline QList<qint64> descendants(qint64 root) {
    QMap<qint64, qint64> parents;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (ok)
            parents.insert(pid, parentOf(pid));
    }
    QList<qint64> found;
    QList<qint64> open{root};
    while (!open.isEmpty()) {
        const qint64 parent = open.takeFirst();
        for (auto it = parents.cbegin(); it != parents.cend(); ++it) {
            if (it.value() == parent) {
                found.append(it.key());
                open.append(it.key());
            }
        }
    }
    return found;
}

} // namespace ProcessMemory
