// GifRead, TifRead and JpgRead over the decoders: the bytes they hand on (a block
// or a named file), the blocks they hand back, and the problems in the add-on's words.
#include "addon/base/message_sink.h"
#include "addon/convert/gif_reader.h"
#include "addon/convert/jpg_reader.h"
#include "addon/convert/tif_reader.h"
#include "tests/platform/pictures/picture_fixtures.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <tiffio.h>

using namespace ks;
using namespace ks::test;

namespace {

win::HGLOBAL blockOf(const Bytes& bytes)
{
    win::HGLOBAL block = win::GlobalAlloc(win::GMEM_MOVEABLE, bytes.size());
    if (!bytes.empty())
        std::memcpy(win::GlobalLock(block), bytes.data(), bytes.size());
    win::GlobalUnlock(block);
    return block;
}

// Reads and frees a block the readers handed back.
Dib takeDib(win::HGLOBAL block)
{
    EXPECT_EQ(win::GlobalLockCount(block), 0u) << "handed back locked";
    auto* bytes = static_cast<const std::uint8_t*>(win::GlobalLock(block));
    Dib dib = dibOf({bytes, win::GlobalSize(block)});
    win::GlobalUnlock(block);
    win::GlobalFree(block);
    return dib;
}

using Reader = win::HGLOBAL (*)(addon::HtmlCtx*, bool, const char*, win::HGLOBAL, std::int32_t, win::HGLOBAL*);

// The boxes a read from memory shows, and the picture it gives.
struct Read {
    addon::HtmlCtx ctx;
    std::vector<std::string> boxes;
    win::HGLOBAL dib = nullptr;
};

void readFromMemory(Reader reader, const Bytes& file, Read& r)
{
    addon::setMessageSink([&](const addon::AddonMessage& m) {
        if (m.kind == addon::AddonMessage::Kind::Box)
            r.boxes.push_back(m.text);
    });
    win::HGLOBAL block = blockOf(file);
    win::HGLOBAL out = nullptr;
    r.dib = reader(&r.ctx, true, nullptr, block, std::int32_t(file.size()), &out);
    EXPECT_EQ(out, r.dib);
    EXPECT_EQ(win::GlobalLockCount(block), 0u) << "the input left locked";
    win::GlobalFree(block);
    addon::setMessageSink({});
}

win::HGLOBAL gifRead(addon::HtmlCtx* ctx, bool fromMemory, const char* name, win::HGLOBAL block, std::int32_t length,
                     win::HGLOBAL* out)
{
    return addon::GifRead(ctx, fromMemory, name, block, length, out, nullptr);
}

std::vector<std::uint8_t> greyPalette(int n)
{
    std::vector<std::uint8_t> rgb;
    for (int i = 0; i < n; ++i)
        rgb.insert(rgb.end(), {std::uint8_t(i * 16), std::uint8_t(i * 16), std::uint8_t(i * 16)});
    return rgb;
}

GifFrameShape gifFrame(int w, int h, int seed = 0)
{
    GifFrameShape f;
    f.width = w;
    f.height = h;
    f.indices = patternIndices(w, h, 16, seed);
    return f;
}

}

TEST(GifRead, FillsTheFrameTableWithBlocksAndShowsTheDocumentBackground)
{
    GifFrameShape first = gifFrame(6, 4);
    first.transparentIndex = 2;
    first.delay = 10;
    GifFrameShape second = gifFrame(6, 4, 3);
    second.delay = 20;
    Bytes file = makeGif(6, 4, greyPalette(16), {first, second}, 0);
    win::HGLOBAL block = blockOf(file);
    addon::HtmlCtx ctx;
    ctx.docBkColor = 0x00336699;
    addon::GifFrameTable frames;
    win::HGLOBAL out = nullptr;
    win::HGLOBAL dib = addon::GifRead(&ctx, true, nullptr, block, std::int32_t(file.size()), &out, &frames);
    win::GlobalFree(block);
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(out, dib);
    Dib picture = takeDib(dib);
    EXPECT_EQ(picture.palette[8 + 2], 0x99);
    EXPECT_EQ(picture.palette[8 + 0], 0x33);
    ASSERT_EQ(frames.frameCount, 1);
    EXPECT_EQ(frames.firstDelay, 10);
    EXPECT_EQ(frames.delays[0], 20);
    EXPECT_EQ(frames.loopCount, -2);
    EXPECT_EQ(takeDib(frames.frames[0]).width, 6);
}

TEST(PictureReaders, WordTheirProblemsAsBefore)
{
    Bytes gif = makeGif(16, 16, greyPalette(16), {gifFrame(16, 16)});
    Bytes notGif = gif;
    notGif[0] = 'P';
    Read wrongSignature;
    readFromMemory(gifRead, notGif, wrongSignature);
    EXPECT_EQ(wrongSignature.dib, nullptr);
    EXPECT_TRUE(wrongSignature.boxes.empty());
    Read cut;
    readFromMemory(gifRead, Bytes(gif.begin(), gif.begin() + 20), cut);
    EXPECT_EQ(cut.boxes, std::vector<std::string>{"GIF File Read aborted"});
    Bytes huge = gif;
    huge[6] = huge[7] = huge[8] = huge[9] = 0xFF;
    Read big;
    readFromMemory(gifRead, huge, big);
    EXPECT_EQ(big.boxes.front(), "Error allocating DIB memory(GifReadImageGroup)");
    EXPECT_EQ(big.ctx.lastError, 7);

    TempDir dir;
    TiffPicture s;
    s.width = s.height = 4;
    s.bitsPerSample = 16;
    s.rows.assign(32, 0x5A);
    Read deep;
    readFromMemory(addon::TifRead, makeTiff(s, (dir.path() / "d.tif").string()), deep);
    EXPECT_EQ(deep.dib, nullptr);
    EXPECT_EQ(deep.boxes, std::vector<std::string>{"This TIFF image not supported (unsupported Bits per Pixel)"});
    EXPECT_EQ(deep.ctx.lastError, 10);
    s.bitsPerSample = 8;
    s.compression = COMPRESSION_DEFLATE;
    Bytes deflated = makeTiff(s, (dir.path() / "z.tif").string());
    Read unknown;
    readFromMemory(addon::TifRead, deflated, unknown);
    EXPECT_EQ(unknown.boxes, std::vector<std::string>{"This TIFF image not supported (compression)"});
    deflated[2] = 43;
    Read version;
    readFromMemory(addon::TifRead, deflated, version);
    EXPECT_EQ(version.boxes, std::vector<std::string>{"Invalid TIFF version"});

    JpegPicture j;
    j.width = 64;
    j.height = 16;
    j.pixels = patternRgb(64, 16);
    j.restartInterval = 2;
    Bytes jpeg = makeJpeg(j);
    Bytes wrongStart = jpeg;
    wrongStart[1] = 0xD9;
    Read invalid;
    readFromMemory(addon::JpgRead, wrongStart, invalid);
    EXPECT_EQ(invalid.boxes, std::vector<std::string>{"Invalid JPEG file"});
    EXPECT_EQ(invalid.ctx.lastError, 10);
    for (std::size_t i = 0; i + 5 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDD) {
            jpeg[i + 5] = 3;   // where the file restarts every 2 MCUs
            break;
        }
    Read misplaced;
    readFromMemory(addon::JpgRead, jpeg, misplaced);
    EXPECT_EQ(misplaced.boxes, std::vector<std::string>{"Misplaced restart marker found!"});
    EXPECT_EQ(misplaced.ctx.lastError, 14);
}

TEST(PictureReaders, ReadNamedFilesAsTheyReadBlocksAndReportMissingOnes)
{
    JpegPicture j;
    j.width = 40;
    j.height = 24;
    j.pixels = patternRgb(40, 24);
    Bytes jpeg = makeJpeg(j);
    TempDir dir;
    std::string path = (dir.path() / "p.jpg").string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(jpeg.data()), std::streamsize(jpeg.size()));
    Read memory;
    readFromMemory(addon::JpgRead, jpeg, memory);
    ASSERT_NE(memory.dib, nullptr);
    addon::HtmlCtx ctx;
    win::HGLOBAL fromFile = addon::JpgRead(&ctx, false, (path + "  ").c_str(), nullptr, 0, nullptr);
    ASSERT_NE(fromFile, nullptr) << "trailing blanks of a name are not part of it";
    EXPECT_EQ(takeDib(fromFile).rowsTopDown, takeDib(memory.dib).rowsTopDown);

    win::HGLOBAL out;
    EXPECT_EQ(addon::GifRead(&ctx, false, "/nonexistent/x.gif", nullptr, 0, &out, nullptr), nullptr);
    EXPECT_EQ(ctx.lastError, 6);
    ctx.lastError = 0;
    EXPECT_EQ(addon::TifRead(&ctx, false, "   ", nullptr, 0, &out), nullptr);
    EXPECT_EQ(ctx.lastError, 0) << "no name, no message";
}
