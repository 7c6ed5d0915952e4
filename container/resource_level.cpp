#include "container/resource_level.h"

#include "container/memory_status.h"

#include <cmath>

namespace ks::container {
namespace {

std::function<qint32()>& memoryLoadSource()
{
    static std::function<qint32()> source;
    return source;
}

}

qint32 GetFreeResourcePercent() { return -1; }

qint32 GetMemoryLoad()
{
    if (memoryLoadSource())
        return memoryLoadSource()();
    const MemoryFacts facts = systemMemoryFacts();
    if (facts.totalPhysical == 0)
        return 0;
    const double used = double(facts.totalPhysical - std::min(facts.availablePhysical, facts.totalPhysical));
    return qint32(std::lround(100.0 * used / double(facts.totalPhysical)));
}

qint32 GetResourceLevel()
{
    const qint32 free = GetFreeResourcePercent();
    return free == -1 ? GetMemoryLoad() : 100 - free;
}

void setMemoryLoadSource(std::function<qint32()> source) { memoryLoadSource() = std::move(source); }

}
