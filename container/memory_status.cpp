#include "container/memory_status.h"

#include <QFile>

#include <sys/resource.h>
#include <sys/sysinfo.h>
#include <unistd.h>

#include <limits>

namespace ks {
namespace {

// The first number of a line of a /proc file that starts with label, or 0.
// Such files report no size, so they are read to their end, never asked for it.
std::uint64_t procNumber(const char* path, const QByteArray& label)
{
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (label.isEmpty() || line.startsWith(label))
            return line.mid(label.size()).simplified().split(' ').value(0).toULongLong();
    return 0;
}

// The user part of a 48-bit address space, less the guard page at its top.
std::uint64_t highestUserAddress(std::uint64_t pageSize) { return (std::uint64_t(1) << 47) - pageSize - 1; }

}

MemoryFacts systemMemoryFacts()
{
    MemoryFacts facts;
    struct sysinfo info {};
    if (::sysinfo(&info) == 0) {
        facts.totalPhysical = std::uint64_t(info.totalram) * info.mem_unit;
        facts.availablePhysical = std::uint64_t(info.freeram) * info.mem_unit;
    }
    if (std::uint64_t available = procNumber("/proc/meminfo", "MemAvailable:"))
        facts.availablePhysical = available * 1024;
    facts.pageSize = std::uint64_t(::sysconf(_SC_PAGESIZE));
    facts.lowAddress = procNumber("/proc/sys/vm/mmap_min_addr", {});
    facts.highAddress = highestUserAddress(facts.pageSize);
    facts.totalVirtual = facts.highAddress - facts.lowAddress + 1;
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        facts.totalVirtual = std::min<std::uint64_t>(facts.totalVirtual, limit.rlim_cur);
    const std::uint64_t used = procNumber("/proc/self/statm", {}) * facts.pageSize;
    facts.availableVirtual = facts.totalVirtual > used ? facts.totalVirtual - used : 0;
    return facts;
}

QString addressText(std::uint64_t address)
{
    return QStringLiteral("&H") + QString::number(address, 16).toUpper();
}

qint32 count32(std::uint64_t bytes)
{
    return qint32(std::uint32_t(std::min<std::uint64_t>(bytes, std::numeric_limits<std::uint32_t>::max())));
}

cMem::cMem() { Update(); }

bool cMem::Update()
{
    takeSnapshot(systemMemoryFacts());
    return false;
}

void cMem::takeSnapshot(const MemoryFacts& facts)
{
    totalPhysical_ = count32(facts.totalPhysical);
    availablePhysical_ = count32(facts.availablePhysical);
    totalVirtual_ = count32(facts.totalVirtual);
    availableVirtual_ = count32(facts.availableVirtual);
    pageSize_ = count32(facts.pageSize);
    lowAddress_ = addressText(facts.lowAddress);
    highAddress_ = addressText(facts.highAddress);
}

}
