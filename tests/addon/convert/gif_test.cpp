#include "addon/base/message_sink.h"
#include "addon/convert/gif_reader.h"
#include "tests/addon/convert/picture_fixtures.h"

#include <gtest/gtest.h>

#include <cstring>

#include <memory>

using namespace ks;
using namespace ks::test;

namespace {

std::vector<std::uint8_t> rampPalette(int n, int seed = 0)
{
    std::vector<std::uint8_t> rgb;
    for (int i = 0; i < n; ++i)
        rgb.insert(rgb.end(), {std::uint8_t(i * 7 + seed), std::uint8_t(255 - i), std::uint8_t(i * 3)});
    return rgb;
}

struct GifResult {
    std::unique_ptr<addon::GifFrameTable> frames = std::make_unique<addon::GifFrameTable>();
    win::HGLOBAL first = nullptr;
    addon::HtmlCtx ctx;
    ~GifResult()
    {
        win::GlobalFree(first);
        for (int i = 0; i < frames->frameCount; ++i)
            win::GlobalFree(frames->frames[i]);
    }
};

void readGif(const Bytes& file, GifResult& r, bool withFrames = true)
{
    win::HGLOBAL block = blockOf(file);
    win::HGLOBAL out = nullptr;
    r.ctx.docBkColor = 0x00336699;
    r.first = addon::GifRead(&r.ctx, true, nullptr, block, std::int32_t(file.size()), &out,
                             withFrames ? r.frames.get() : nullptr);
    EXPECT_EQ(out, r.first);
    win::GlobalFree(block);
}

// Our DIB against giflib: the same indices at every pixel, the same palette.
void expectSameAsGiflib(const Bytes& file, win::HGLOBAL ours)
{
    PeerIndexed peer = peerGif(file);
    Dib dib = takeDib(ours);
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

TEST(GifRead, MatchesGiflibAcrossSizesPalettesAndInterlace)
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
        GifResult r;
        readGif(file, r, false);
        ASSERT_NE(r.first, nullptr);
        expectSameAsGiflib(file, r.first);
        r.first = nullptr;
    }
}

TEST(GifRead, TransparentPixelsShowTheDocumentBackground)
{
    GifFrameShape f = frame(8, 8, 4);
    f.transparentIndex = 2;
    Bytes file = makeGif(8, 8, rampPalette(4), {f});
    GifResult r;
    readGif(file, r);
    ASSERT_NE(r.first, nullptr);
    Dib dib = takeDib(r.first);
    r.first = nullptr;
    // Entry 2 is the document background (0x00bbggrr), the others the file's.
    EXPECT_EQ(dib.palette[8 + 2], 0x99);
    EXPECT_EQ(dib.palette[8 + 1], 0x66);
    EXPECT_EQ(dib.palette[8 + 0], 0x33);
    EXPECT_EQ(dib.palette[4 + 2], 7);
    EXPECT_EQ(0, std::memcmp(dib.row(0), f.indices.data(), 8));
}

TEST(GifRead, AnimationsComposeFramesAndKeepDelaysAndLoops)
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
    GifResult r;
    readGif(file, r);
    ASSERT_NE(r.first, nullptr);
    EXPECT_EQ(r.frames->frameCount, 2);
    EXPECT_EQ(r.frames->loopCount, -2);   // zero in the file: endless
    EXPECT_EQ(r.frames->firstDelay, 10);
    EXPECT_EQ(r.frames->delays[0], 20);
    EXPECT_EQ(r.frames->delays[1], 30);

    // The small second image starts from the first frame.
    Dib composed = takeDib(r.frames->frames[0]);
    r.frames->frames[0] = nullptr;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            bool inside = x >= 3 && x < 5 && y >= 1 && y < 3;
            std::uint8_t want = inside ? second.indices[std::size_t(y - 1) * 2 + (x - 3)]
                                       : first.indices[std::size_t(y) * 6 + x];
            EXPECT_EQ(composed.row(y)[x], want) << x << "," << y;
        }
    Dib local = takeDib(r.frames->frames[1]);
    r.frames->frames[1] = nullptr;
    EXPECT_EQ(local.palette[2], 40);

    GifResult plain;
    readGif(makeGif(6, 4, rampPalette(4), {first}), plain);
    EXPECT_EQ(plain.frames->loopCount, 0);
    EXPECT_EQ(plain.frames->frameCount, 0);
}

TEST(GifRead, BadFilesFailCleanly)
{
    std::vector<std::string> boxes;
    addon::setMessageSink([&](const addon::AddonMessage& m) {
        if (m.kind == addon::AddonMessage::Kind::Box)
            boxes.push_back(m.text);
    });
    Bytes good = makeGif(16, 16, rampPalette(16), {frame(16, 16, 16)});

    GifResult wrongSignature;
    Bytes png = good;
    png[0] = 'P';
    readGif(png, wrongSignature);
    EXPECT_EQ(wrongSignature.first, nullptr);
    EXPECT_TRUE(boxes.empty());

    for (std::size_t cut : {std::size_t(8), std::size_t(20), good.size() / 2}) {
        GifResult truncated;
        readGif(Bytes(good.begin(), good.begin() + std::ptrdiff_t(cut)), truncated);
        EXPECT_EQ(truncated.first, nullptr) << cut;
    }
    EXPECT_EQ(boxes.back(), "GIF File Read aborted");

    // The LZW code size byte follows the 9-byte image descriptor.
    std::size_t descriptor = 13 + 48;
    while (good[descriptor] != 0x2C)
        ++descriptor;
    for (std::uint8_t codeSize : {0, 1, 9, 12}) {
        Bytes bad = good;
        bad[descriptor + 10] = codeSize;
        GifResult r;
        readGif(bad, r);
        EXPECT_EQ(r.first, nullptr) << int(codeSize);
    }

    // A screen too large to hold is refused with error 7 before allocating.
    Bytes huge = good;
    huge[6] = huge[7] = huge[8] = huge[9] = 0xFF;
    GifResult big;
    readGif(huge, big);
    EXPECT_EQ(big.first, nullptr);
    EXPECT_EQ(big.ctx.lastError, 7);

    // An image of zero width places nothing and does not hang.
    Bytes empty = good;
    empty[descriptor + 5] = empty[descriptor + 6] = 0;
    GifResult none;
    readGif(empty, none);
    ASSERT_NE(none.first, nullptr);
    addon::setMessageSink({});
}

TEST(GifRead, ReadsFromAFileAndReportsAMissingOne)
{
    addon::HtmlCtx ctx;
    win::HGLOBAL out;
    EXPECT_EQ(addon::GifRead(&ctx, false, "/nonexistent/x.gif", nullptr, 0, &out, nullptr), nullptr);
    EXPECT_EQ(ctx.lastError, 6);
    EXPECT_EQ(addon::GifRead(&ctx, false, "   ", nullptr, 0, &out, nullptr), nullptr);
}
