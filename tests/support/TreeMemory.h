#pragma once
#include <QDir>
#include <QFile>
#include <QMap>
#include <QMultiMap>

// Memory of one process, KiB, from its smaps_rollup: what it allocated (resident anonymous
// memory: heaps, stacks, scripts' heaps), its proportional share of all it maps, and the part of
// that share in anonymous and shared memory. The share of mapped files moves with other programs
// on the machine mapping the same libraries; the anonymous and shared parts do not.
struct ProcessMemory {
    qint64 anonymous = 0;
    qint64 proportional = 0;
    qint64 proportionalAnonymous = 0;
    qint64 proportionalShared = 0;

    // What the program's own use holds: its share of anonymous and shared memory.
    qint64 InUse() const { return proportionalAnonymous + proportionalShared; }
};

// The memory of a process and all its descendants, by process id.
inline QMap<qint64, ProcessMemory> TreeMemory(qint64 root)
{
    QMultiMap<qint64, qint64> children;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!isPid || !stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold spaces, so read after its ")".
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            children.insert(fields[1].toLongLong(), pid);
    }
    QMap<qint64, ProcessMemory> memory;
    QList<qint64> pending{root};
    while (!pending.isEmpty()) {
        const qint64 pid = pending.takeFirst();
        QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
        if (rollup.open(QIODevice::ReadOnly)) {
            ProcessMemory& m = memory[pid];
            for (const QByteArray& line : rollup.readAll().split('\n')) {
                const qint64 kib = line.mid(line.indexOf(':') + 1).trimmed().split(' ').first().toLongLong();
                if (line.startsWith("Anonymous:"))
                    m.anonymous = kib;
                else if (line.startsWith("Pss:"))
                    m.proportional = kib;
                else if (line.startsWith("Pss_Anon:"))
                    m.proportionalAnonymous = kib;
                else if (line.startsWith("Pss_Shmem:"))
                    m.proportionalShared = kib;
            }
        }
        pending.append(children.values(pid));
    }
    return memory;
}

inline qint64 Total(const QMap<qint64, ProcessMemory>& memory, qint64 (ProcessMemory::*part)() const)
{
    qint64 sum = 0;
    for (const ProcessMemory& process : memory)
        sum += (process.*part)();
    return sum;
}

inline qint64 Total(const QMap<qint64, ProcessMemory>& memory, qint64 ProcessMemory::*part)
{
    qint64 sum = 0;
    for (const ProcessMemory& process : memory)
        sum += process.*part;
    return sum;
}
