#include "platform/pictures/jpg_idct.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {

// The textbook inverse transform in double precision, rounded and clamped.
void referenceTransform(const std::int16_t* in, std::uint8_t* out)
{
    const double pi = std::acos(-1.0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            double sum = 0;
            for (int v = 0; v < 8; ++v)
                for (int u = 0; u < 8; ++u) {
                    double cu = u ? 1 : std::sqrt(0.5), cv = v ? 1 : std::sqrt(0.5);
                    sum += cu * cv * in[v * 8 + u] * std::cos((2 * x + 1) * u * pi / 16) *
                           std::cos((2 * y + 1) * v * pi / 16);
                }
            long level = std::lround(sum / 4 + 128);
            out[y * 8 + x] = std::uint8_t(level < 0 ? 0 : level > 255 ? 255 : level);
        }
}

// Blocks as files hold them: within the 11 bits of 8-bit samples, large low
// frequencies, sparse smaller high ones.
std::vector<std::int16_t> randomBlock(std::mt19937& random, int spread)
{
    std::vector<std::int16_t> block(64);
    for (int i = 0; i < 64; ++i) {
        int row = i / 8, column = i % 8;
        int limit = spread / (1 + row + column);
        if (i == 0 || random() % 3 == 0)
            block[std::size_t(i)] = std::int16_t(int(random() % unsigned(2 * limit + 1)) - limit);
    }
    return block;
}

}

TEST(JpgIdct, MatchesTheExactTransformAndPairsMatchSingles)
{
    std::mt19937 random(5);
    int worst = 0;
    for (int n = 0; n < 2000; ++n) {
        std::vector<std::int16_t> a = randomBlock(random, n % 2 ? 300 : 1024);
        std::vector<std::int16_t> b = randomBlock(random, 1024);
        std::uint8_t exact[64], single[64], singleB[64], pairA[8 * 16], pairB[64];
        referenceTransform(a.data(), exact);
        // Each transform leaves its coefficients zero for the next block.
        std::vector<std::int16_t> work = a, zero(64);
        ks::pictures::jpgInverseTransform(work.data(), single, 8);
        ASSERT_EQ(work, zero);
        for (int i = 0; i < 64; ++i)
            worst = std::max(worst, std::abs(single[i] - exact[i]));
        work = b;
        ks::pictures::jpgInverseTransform(work.data(), singleB, 8);
        // The pair writes each block with its own stride.
        std::vector<std::int16_t> workB = b;
        work = a;
        ks::pictures::jpgInverseTransformPair(work.data(), pairA, 16, workB.data(), pairB, 8);
        ASSERT_EQ(work, zero);
        ASSERT_EQ(workB, zero);
        for (int i = 0; i < 64; ++i) {
            ASSERT_EQ(pairA[(i / 8) * 16 + i % 8], single[i]) << "block " << n << " sample " << i;
            ASSERT_EQ(pairB[i], singleB[i]) << "block " << n << " sample " << i;
        }
    }
    EXPECT_LE(worst, 1);
}

TEST(JpgIdct, ExtremeCoefficientsStayDefined)
{
    // Out-of-range values (a broken file's) give some samples, never a fault.
    std::vector<std::int16_t> block(64, 32767), other(64, -32768);
    std::uint8_t out[64], out2[64];
    ks::pictures::jpgInverseTransformPair(block.data(), out, 8, other.data(), out2, 8);
    ks::pictures::jpgInverseTransform(other.data(), out, 8);
    SUCCEED();
}
