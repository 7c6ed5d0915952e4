#pragma once
// How much of the limiting system resource is in use, in percent: what the
// document-window open checks before it opens anything.
#include <QtGlobal>

#include <functional>

namespace ks::container {

// 0 to 100.
qint32 GetResourceLevel();
// The free share of the old 16-bit resource heaps; -1 where there are none, as here.
qint32 GetFreeResourcePercent();
// The share of physical memory in use.
qint32 GetMemoryLoad();

// Replaces where the memory load comes from (tests); an empty function restores the system's.
void setMemoryLoadSource(std::function<qint32()> source);

}
