#pragma once
// What the benchmarks read off the process: its resident memory and the CPU
// time spent, the latter unaffected by whatever else the machine is doing.
#include <QByteArray>
#include <QFile>
#include <QList>
#include <ctime>

inline double residentMegabytes()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toDouble() * 4096.0 / (1024.0 * 1024.0) : 0;
}

// CPU time in ms: CLOCK_THREAD_CPUTIME_ID for this thread, or
// CLOCK_PROCESS_CPUTIME_ID for all threads of the process together.
inline double cpuMs(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}
