#include "platform/pictures/packbits.h"
#include "platform/pictures/packbits_blocks.h"

#include <algorithm>
#include <cstring>

namespace ks::pictures {

namespace {

#if defined(__x86_64__)
const bool kHasWide = (__builtin_cpu_init(), __builtin_cpu_supports("avx512bw"));
#else
const bool kHasWide = false;
#endif

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
    // Whole runs and literals go in blocks: short ones cost no more than a call of memcpy.
    done += kHasWide ? packBitsUnpackWide(data_, length_, at_, out + done, room - done)
                     : packbits_blocks::unpackWhole<16>(data_, length_, at_, out + done, room - done);
    while (at_ < length_ && done < room) {
        int header = std::int8_t(data_[at_++]);
        if (header >= 0) {
            literal_ = true;
            pending_ = std::min(std::size_t(header) + 1, length_ - at_);
        } else if (header != packbits_blocks::kNoOp && at_ < length_) {
            literal_ = false;
            pending_ = std::size_t(1 - header);
            value_ = data_[at_++];
        }
        emitPending(out, room, done);
    }
    return done;
}

}
