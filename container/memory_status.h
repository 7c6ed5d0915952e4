#pragma once
// A snapshot of the machine's memory and of the address range open to
// programs. Byte counts are kept as the system's unsigned 32-bit counts in
// signed fields; a count beyond 32 bits is given as all bits set, the way the
// system reports an overflow.
#include <QString>

#include <cstdint>

namespace ks {

struct MemoryFacts {
    std::uint64_t totalPhysical = 0, availablePhysical = 0;
    std::uint64_t totalVirtual = 0, availableVirtual = 0;
    std::uint64_t pageSize = 0, lowAddress = 0, highAddress = 0;
};

// What the system says now.
MemoryFacts systemMemoryFacts();

class cMem {
public:
    // Takes the first snapshot.
    cMem();

    qint32 AvailablePhysical() const { return availablePhysical_; }
    qint32 AvailableVirtual() const { return availableVirtual_; }
    QString HighAddress() const { return highAddress_; }
    QString LowAddress() const { return lowAddress_; }
    qint32 PageSize() const { return pageSize_; }
    qint32 TotalPhysical() const { return totalPhysical_; }
    qint32 TotalVirtual() const { return totalVirtual_; }

    // Takes a new snapshot; always false.
    bool Update();
    void takeSnapshot(const MemoryFacts& facts);

private:
    qint32 availablePhysical_ = 0, availableVirtual_ = 0, pageSize_ = 0, totalPhysical_ = 0, totalVirtual_ = 0;
    QString highAddress_, lowAddress_;
};

// "&H" and the upper-case hexadecimal digits of address, no leading zeros.
QString addressText(std::uint64_t address);
// The 32-bit count of bytes, all bits set when it does not fit.
qint32 count32(std::uint64_t bytes);

}
