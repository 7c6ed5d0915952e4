#pragma once
// The PackBits fast path: the runs and literals that fit whole, each moved in
// blocks of Block bytes. Included by the plain build and by the wide-vector
// build; it uses no library templates, so the two builds share no code.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ks::pictures::packbits_blocks {

// A header byte that codes nothing: skipped, as the format says.
inline constexpr int kNoOp = -128;

// Unpacks from data + at into out while a run or literal and one block beyond
// it fit on both sides (a block may write up to Block - 1 bytes past a run, and
// the next run overwrites them); returns the bytes written, at moved on.
template <std::size_t Block>
inline std::size_t unpackWhole(const std::uint8_t* data, std::size_t length, std::size_t& at, std::uint8_t* out,
                               std::size_t room)
{
    std::size_t done = 0;
    std::uint8_t fill[Block];
    while (length - at > 2 * Block && room - done >= 2 * Block) {
        int header = std::int8_t(data[at]);
        std::size_t count = header >= 0 ? std::size_t(header) + 1 : std::size_t(1 - header);
        if (header >= 0 && count + Block < length - at && count + Block <= room - done) {
            for (std::size_t i = 0; i < count; i += Block)
                std::memcpy(out + done + i, data + at + 1 + i, Block);
            at += count + 1;
            done += count;
        } else if (header < 0 && header != kNoOp && count + Block <= room - done) {
            std::memset(fill, data[at + 1], Block);
            for (std::size_t i = 0; i < count; i += Block)
                std::memcpy(out + done + i, fill, Block);
            at += 2;
            done += count;
        } else if (header == kNoOp) {
            ++at;
        } else {
            break;
        }
    }
    return done;
}

}
