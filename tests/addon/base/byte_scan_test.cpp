// The word tests against their plain meaning, byte by byte: every byte value at every
// place of a word, among neighbours that are and are not found, so a carry or borrow
// leaking between bytes would show.
#include "addon/base/byte_scan.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace ks::addon::bytescan;

namespace {

std::uint64_t wordOf(const unsigned char (&bytes)[8])
{
    char text[8];
    std::memcpy(text, bytes, 8);
    return load(text);
}

// The flag of the byte at place k.
bool flagged(std::uint64_t mask, int k) { return (mask >> (8 * k + 7)) & 1; }

}

TEST(ByteScan, EachTestFindsExactlyTheBytesItNames)
{
    const unsigned char neighbours[] = {0x00, 0x01, 0x1F, 0x20, 0x21, 0x7E, 0x7F, 0x80, 0xA0, 0xFF};
    for (unsigned char around : neighbours)
        for (int k = 0; k < 8; ++k)
            for (int b = 0; b < 256; ++b) {
                unsigned char bytes[8];
                std::memset(bytes, around, 8);
                bytes[k] = static_cast<unsigned char>(b);
                std::uint64_t x = wordOf(bytes);
                for (int place = 0; place < 8; ++place) {
                    unsigned c = bytes[place];
                    ASSERT_EQ(flagged(equalTo(x, ' '), place), c == ' ') << b << " at " << k;
                    ASSERT_EQ(flagged(equalTo(x, 0x80), place), c == 0x80) << b << " at " << k;
                    ASSERT_EQ(flagged(below(x, '!'), place), c < '!') << b << " at " << k;
                    ASSERT_EQ(flagged(below(x, 0x80), place), c < 0x80) << b << " at " << k;
                    ASSERT_EQ(flagged(atLeast(x, 0x7F), place), c >= 0x7F) << b << " at " << k;
                    ASSERT_EQ(flagged(atLeast(x, 1), place), c >= 1) << b << " at " << k;
                }
            }
}

TEST(ByteScan, TheFirstFlaggedPlaceIsTheFirstInTheText)
{
    const char text[] = "abcdefgh";
    for (int k = 0; k < 8; ++k) {
        char copy[8];
        std::memcpy(copy, text, 8);
        copy[k] = '<';
        if (k < 7)
            copy[7] = '<';
        EXPECT_EQ(firstFlagged(equalTo(load(copy), '<')), k);
    }
}

TEST(ByteScan, UnitsOtherThanAValueAreFoundInTextOrder)
{
    const std::uint16_t values[] = {0, 1, 0x7FFF, 0x8000, 0x8001, 0xFFFF};
    for (std::uint16_t v : values)
        for (std::uint16_t other : values) {
            if (other == v)
                continue;
            for (int k = 0; k < 4; ++k) {
                std::uint16_t units[4] = {v, v, v, v};
                units[k] = other;
                std::uint64_t mask = unitsOtherThan(loadUnits(units), v);
                EXPECT_EQ(firstFlaggedUnit(mask), k) << v << " " << other;
                EXPECT_EQ(mask & (mask - 1), 0u) << "only the one unit that differs";
            }
            std::uint16_t same[4] = {v, v, v, v};
            EXPECT_EQ(unitsOtherThan(loadUnits(same), v), 0u);
        }
}
