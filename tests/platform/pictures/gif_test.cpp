#include "platform/pictures/gif_reader.h"
#include "tests/platform/pictures/picture_fixtures.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace ks;
using namespace ks::test;
using ks::pictures::Fault;

namespace {

std::vector<std::uint8_t> rampPalette(int n, int seed = 0)
{
    std::vector<std::uint8_t> rgb;
    for (int i = 0; i < n; ++i)
        rgb.insert(rgb.end(), {std::uint8_t(i * 7 + seed), std::uint8_t(255 - i), std::uint8_t(i * 3)});
    return rgb;
}

// Transparent pixels show 0x00336699.
pictures::GifPicture readGif(const Bytes& file, bool withFrames = true)
{
    return pictures::readGif(file, {0x00336699, withFrames});
}

// Our DIB against giflib: the same indices at every pixel, the same palette.
void expectSameAsGiflib(const Bytes& file, const pictures::PackedDib& ours)
{
    PeerIndexed peer = peerGif(file);
    Dib dib = dibOf(ours.bytes());
    ASSERT_EQ(dib.bits, 8);
    ASSERT_EQ(dib.width, peer.width);
    ASSERT_EQ(dib.height, peer.height);
    EXPECT_EQ(dib.stride, std::size_t((peer.width + 3) / 4 * 4));
    for (int y = 0; y < dib.height; ++y)
        ASSERT_EQ(0, std::memcmp(dib.row(y), &peer.indices[std::size_t(y) * peer.width], std::size_t(peer.width)))
            << "row " << y;
    ASSERT_EQ(dib.colorsUsed * 3, peer.paletteRgb.size());
    for (std::uint32_t i = 0; i < dib.colorsUsed; ++i) {
        EXPECT_EQ(dib.palette[4 * i + 2], peer.paletteRgb[3 * i]);
        EXPECT_EQ(dib.palette[4 * i + 1], peer.paletteRgb[3 * i + 1]);
        EXPECT_EQ(dib.palette[4 * i], peer.paletteRgb[3 * i + 2]);
        EXPECT_EQ(dib.palette[4 * i + 3], 0);
    }
}

GifFrameShape frame(int w, int h, int colors, int seed = 0)
{
    GifFrameShape f;
    f.width = w;
    f.height = h;
    f.indices = patternIndices(w, h, colors, seed);
    return f;
}

}

TEST(ReadGif, MatchesGiflibAcrossSizesPalettesAndInterlace)
{
    struct Case { int w, h, colors; bool interlaced; bool local; };
    for (Case c : {Case{1, 1, 2, false, false}, Case{13, 7, 4, false, false}, Case{320, 200, 256, false, false},
                   Case{10, 10, 16, true, false}, Case{3, 3, 2, true, false}, Case{97, 61, 64, true, true},
                   Case{700, 9, 128, false, true}}) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " colours " << c.colors);
        GifFrameShape f = frame(c.w, c.h, c.colors);
        f.interlaced = c.interlaced;
        if (c.local)
            f.localPalette = rampPalette(c.colors, 5);
        Bytes file = makeGif(c.w, c.h, c.local ? std::vector<std::uint8_t>{} : rampPalette(c.colors), {f});
        pictures::GifPicture r = readGif(file, false);
        ASSERT_TRUE(r.first);
        expectSameAsGiflib(file, r.first);
    }
}

TEST(ReadGif, TransparentPixelsShowTheDocumentBackground)
{
    GifFrameShape f = frame(8, 8, 4);
    f.transparentIndex = 2;
    Bytes file = makeGif(8, 8, rampPalette(4), {f});
    pictures::GifPicture r = readGif(file);
    ASSERT_TRUE(r.first);
    Dib dib = dibOf(r.first.bytes());
    // Entry 2 is the document background (0x00bbggrr), the others the file's.
    EXPECT_EQ(dib.palette[8 + 2], 0x99);
    EXPECT_EQ(dib.palette[8 + 1], 0x66);
    EXPECT_EQ(dib.palette[8 + 0], 0x33);
    EXPECT_EQ(dib.palette[4 + 2], 7);
    EXPECT_EQ(0, std::memcmp(dib.row(0), f.indices.data(), 8));
}

TEST(ReadGif, AnimationsComposeFramesAndKeepDelaysAndLoops)
{
    GifFrameShape first = frame(6, 4, 4);
    first.delay = 10;
    GifFrameShape second = frame(2, 2, 4, 9);
    second.left = 3;
    second.top = 1;
    second.delay = 20;
    GifFrameShape third = frame(6, 4, 4, 3);
    third.delay = 30;
    third.localPalette = rampPalette(4, 40);
    Bytes file = makeGif(6, 4, rampPalette(4), {first, second, third}, 0);
    pictures::GifPicture r = readGif(file);
    ASSERT_TRUE(r.first);
    ASSERT_EQ(r.frames.size(), 2u);
    EXPECT_EQ(r.loopCount, -2);   // zero in the file: endless
    EXPECT_EQ(r.firstDelay, 10);
    EXPECT_EQ(r.frames[0].delay, 20);
    EXPECT_EQ(r.frames[1].delay, 30);

    // The small second image starts from the first frame.
    Dib composed = dibOf(r.frames[0].picture.bytes());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            bool inside = x >= 3 && x < 5 && y >= 1 && y < 3;
            std::uint8_t want = inside ? second.indices[std::size_t(y - 1) * 2 + (x - 3)]
                                       : first.indices[std::size_t(y) * 6 + x];
            EXPECT_EQ(composed.row(y)[x], want) << x << "," << y;
        }
    Dib local = dibOf(r.frames[1].picture.bytes());
    EXPECT_EQ(local.palette[2], 40);

    pictures::GifPicture plain = readGif(makeGif(6, 4, rampPalette(4), {first}));
    EXPECT_EQ(plain.loopCount, 0);
    EXPECT_TRUE(plain.frames.empty());
}

TEST(ReadGif, BadFilesFailCleanly)
{
    Bytes good = makeGif(16, 16, rampPalette(16), {frame(16, 16, 16)});

    Bytes png = good;
    png[0] = 'P';
    pictures::GifPicture wrongSignature = readGif(png);
    EXPECT_FALSE(wrongSignature.first);
    ASSERT_EQ(wrongSignature.problems.size(), 1u);
    EXPECT_EQ(wrongSignature.problems[0].fault, Fault::NotThisFormat);

    for (std::size_t cut : {std::size_t(8), std::size_t(20), good.size() / 2}) {
        pictures::GifPicture truncated = readGif(Bytes(good.begin(), good.begin() + std::ptrdiff_t(cut)));
        EXPECT_FALSE(truncated.first) << cut;
        EXPECT_TRUE(met(truncated.problems, Fault::Broken)) << cut;
    }

    // The LZW code size byte follows the 9-byte image descriptor.
    std::size_t descriptor = 13 + 48;
    while (good[descriptor] != 0x2C)
        ++descriptor;
    for (std::uint8_t codeSize : {0, 1, 9, 12}) {
        Bytes bad = good;
        bad[descriptor + 10] = codeSize;
        EXPECT_FALSE(readGif(bad).first) << int(codeSize);
    }

    // A screen too large to hold is refused before allocating.
    Bytes huge = good;
    huge[6] = huge[7] = huge[8] = huge[9] = 0xFF;
    pictures::GifPicture big = readGif(huge);
    EXPECT_FALSE(big.first);
    EXPECT_TRUE(met(big.problems, Fault::TooLarge));

    // An image of zero width places nothing and does not hang.
    Bytes empty = good;
    empty[descriptor + 5] = empty[descriptor + 6] = 0;
    EXPECT_TRUE(readGif(empty).first);
}
