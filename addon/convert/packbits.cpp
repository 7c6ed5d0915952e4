#include "addon/convert/packbits.h"

#include <algorithm>
#include <cstring>

namespace ks::addon {

namespace {

constexpr std::size_t kBlock = 16;

// Moves count bytes as whole blocks, up to kBlock - 1 bytes beyond count.
void copyBlocks(std::uint8_t* to, const std::uint8_t* from, std::size_t count)
{
    for (std::size_t done = 0; done < count; done += kBlock)
        std::memcpy(to + done, from + done, kBlock);
}

void fillBlocks(std::uint8_t* to, std::uint8_t value, std::size_t count)
{
    std::uint8_t block[kBlock];
    std::memset(block, value, kBlock);
    for (std::size_t done = 0; done < count; done += kBlock)
        std::memcpy(to + done, block, kBlock);
}

}

void PackBitsReader::emitPending(std::uint8_t* out, std::size_t room, std::size_t& done)
{
    std::size_t take = std::min(pending_, room - done);
    if (literal_) {
        std::memcpy(out + done, data_ + at_, take);
        at_ += take;
    } else {
        std::memset(out + done, value_, take);
    }
    pending_ -= take;
    done += take;
}

std::size_t PackBitsReader::read(std::uint8_t* out, std::size_t room)
{
    std::size_t done = 0;
    if (pending_ > 0)
        emitPending(out, room, done);
    // While a literal or run and a block beyond it fit on both sides, it is
    // moved in whole blocks: short ones cost no more than a call of memcpy.
    while (length_ - at_ > 2 * kBlock && room - done >= 2 * kBlock) {
        int header = std::int8_t(data_[at_]);
        std::size_t count = header >= 0 ? std::size_t(header) + 1 : std::size_t(1 - header);
        if (header >= 0 && count + kBlock < length_ - at_ && count + kBlock <= room - done) {
            copyBlocks(out + done, data_ + at_ + 1, count);
            at_ += count + 1;
            done += count;
        } else if (header < 0 && header != -128 && count + kBlock <= room - done) {
            fillBlocks(out + done, data_[at_ + 1], count);
            at_ += 2;
            done += count;
        } else if (header == -128) {
            ++at_;
        } else {
            break;
        }
    }
    while (at_ < length_ && done < room) {
        int header = std::int8_t(data_[at_++]);
        if (header >= 0) {
            literal_ = true;
            pending_ = std::min(std::size_t(header) + 1, length_ - at_);
        } else if (header != -128 && at_ < length_) {
            literal_ = false;
            pending_ = std::size_t(1 - header);
            value_ = data_[at_++];
        }
        emitPending(out, room, done);
    }
    return done;
}

}
