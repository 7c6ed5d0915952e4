#include "platform/pictures/packbits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using ks::pictures::PackBitsReader;
using Bytes = std::vector<std::uint8_t>;

namespace {

// Literals and runs of every length, a no-op header among them.
Bytes mixedStream(Bytes& unpacked)
{
    Bytes packed;
    for (int n = 1; n <= 128; n += 9) {
        packed.push_back(std::uint8_t(n - 1));
        for (int i = 0; i < n; ++i) {
            packed.push_back(std::uint8_t(n * 7 + i));
            unpacked.push_back(std::uint8_t(n * 7 + i));
        }
        packed.push_back(std::uint8_t(n - 128));   // a run of 129 - n
        packed.push_back(std::uint8_t(n));
        unpacked.insert(unpacked.end(), std::size_t(129 - n), std::uint8_t(n));
        packed.push_back(0x80);
    }
    return packed;
}

// Reads in pieces of the given size, each into a buffer of exactly that size.
Bytes readInPieces(const Bytes& packed, std::size_t piece)
{
    PackBitsReader reader(packed.data(), packed.size());
    Bytes out;
    for (;;) {
        Bytes buffer(piece);
        std::size_t got = reader.read(buffer.data(), piece);
        out.insert(out.end(), buffer.begin(), buffer.begin() + std::ptrdiff_t(got));
        if (got < piece)
            return out;
    }
}

}

TEST(PackBits, RunsAndLiteralsCutByTheRoomGoOnInTheNextPiece)
{
    Bytes unpacked;
    Bytes packed = mixedStream(unpacked);
    for (std::size_t piece : {1, 2, 7, 15, 16, 17, 100, 128, 129, 1000, 100000})
        EXPECT_EQ(readInPieces(packed, piece), unpacked) << "pieces of " << piece;
}

TEST(PackBits, DataCutShortIsKeptAsFarAsItGoes)
{
    Bytes unpacked;
    Bytes packed = mixedStream(unpacked);
    for (std::size_t cut = 0; cut < packed.size(); cut += 13) {
        Bytes part(packed.begin(), packed.begin() + std::ptrdiff_t(cut));
        // Never more than the whole stream gives, and always what it begins with.
        for (std::size_t piece : {64, 1000}) {
            Bytes out = readInPieces(part, piece);
            ASSERT_LE(out.size(), unpacked.size());
            EXPECT_TRUE(std::equal(out.begin(), out.end(), unpacked.begin())) << "cut at " << cut;
        }
    }
    // A literal whose bytes are missing, and a run without its byte.
    Bytes literal{5, 1, 2};
    EXPECT_EQ(readInPieces(literal, 10), (Bytes{1, 2}));
    Bytes run{1, 9, 9, 0xFD};
    EXPECT_EQ(readInPieces(run, 10), (Bytes{9, 9}));
}
