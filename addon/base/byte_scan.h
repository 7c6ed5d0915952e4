#pragma once
// Text scanned eight bytes at a time: a 64-bit word of text is tested for the bytes a
// loop stops at, each test setting the high bit of every byte it finds. The tests are
// exact byte by byte (no carry or borrow crosses into the next byte), so they combine
// with | and & & ~ freely; firstFlagged gives the text position of the first one.
#include <bit>
#include <cstdint>
#include <cstring>

namespace ks::addon::bytescan {

inline constexpr std::uint64_t kOnes = 0x0101010101010101, kLow7 = 0x7F7F7F7F7F7F7F7F,
                               kHighs = 0x8080808080808080;

// The eight bytes at p, the first of them in the low byte.
inline std::uint64_t load(const char* p)
{
    std::uint64_t x;
    std::memcpy(&x, p, sizeof x);
    if constexpr (std::endian::native == std::endian::big)
        x = __builtin_bswap64(x);
    return x;
}

constexpr std::uint64_t equalTo(std::uint64_t x, unsigned char c)
{
    std::uint64_t t = x ^ (kOnes * c);
    return ~(((t & kLow7) + kLow7) | t) & kHighs;
}

// Bytes below n, for n of at most 128.
constexpr std::uint64_t below(std::uint64_t x, unsigned char n) { return ~((x | kHighs) - kOnes * n) & ~x & kHighs; }

// Bytes of n or above, for n from 1 to 128.
constexpr std::uint64_t atLeast(std::uint64_t x, unsigned char n)
{
    return (((x & kLow7) + kOnes * (128u - n)) | x) & kHighs;
}

// The first flagged byte's place in the word (mask not 0).
inline int firstFlagged(std::uint64_t mask) { return std::countr_zero(mask) / 8; }

// The same for 16-bit units, four to a word: the units that differ from v.
inline constexpr std::uint64_t kUnitLow15 = 0x7FFF7FFF7FFF7FFF, kUnitHighs = 0x8000800080008000;

inline std::uint64_t loadUnits(const std::uint16_t* p)
{
    std::uint64_t x;
    std::memcpy(&x, p, sizeof x);
    if constexpr (std::endian::native == std::endian::big)
        x = (x >> 48) | ((x >> 16) & 0xFFFF0000) | ((x << 16) & 0xFFFF00000000) | (x << 48);
    return x;
}

constexpr std::uint64_t unitsOtherThan(std::uint64_t x, std::uint16_t v)
{
    std::uint64_t t = x ^ (std::uint64_t{0x0001000100010001} * v);
    return (((t & kUnitLow15) + kUnitLow15) | t) & kUnitHighs;
}

inline int firstFlaggedUnit(std::uint64_t mask) { return std::countr_zero(mask) / 16; }

}
