#include "platform/pictures/gif_reader.h"

#include "platform/pictures/picture_input.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <strings.h>
#include <vector>

namespace ks::pictures {

namespace {

struct GifReadState {
    GifReadState(std::span<const std::uint8_t> bytes, const GifOptions& options) : in(bytes), options(options) {}
    PictInput in;
    const GifOptions& options;
    bool transparent = false;
    int transparentIndex = 0;
    std::int32_t delay = 0;
    std::int32_t loopCount = 0;
    bool firstFrameTaken = false;

    PackedDib dib;
    Colour fileBkColor = 0;
    Colour savedTransparentColor = 0;
    std::uint32_t screenWidth = 0;
    std::uint32_t screenHeight = 0;
    bool hasGlobalTable = false;
    int globalSize = 0;
    int backgroundIndex = -1;
    bool interlaced = false;
    int pass = 0;
    std::vector<std::uint8_t> previousFrame;
    std::unique_ptr<std::uint8_t[]> indices;   // the current image's decoded indices
    std::size_t indicesSize = 0;
    Colour globalTable[256] = {};
    Colour localTable[256] = {};

    std::uint32_t left = 0, top = 0, width = 0, height = 0;
    std::uint32_t column = 0, row = 0;
    bool composing = false;   // a later frame with transparency on
};

bool readWordLsbFirst(PictInput& in, std::uint32_t& word)
{
    std::uint8_t b[2];
    if (!in.readBytes(b, 2))
        return false;
    word = std::uint32_t(b[0] | b[1] << 8);
    return true;
}

bool readColorTable(PictInput& in, Colour* table, int size)
{
    std::uint8_t rgb[256 * 3];
    if (!in.readBytes(rgb, std::size_t(size) * 3))
        return false;
    for (int i = 0; i < size; ++i)
        table[i] = rgb[3 * i] | rgb[3 * i + 1] << 8 | Colour(rgb[3 * i + 2]) << 16;
    return true;
}

bool GifReadSignature(GifReadState& g)
{
    char signature[6];
    if (!g.in.readBytes(signature, 6))
        return false;
    return (signature[0] | 0x20) == 'g' && (signature[1] | 0x20) == 'i' && (signature[2] | 0x20) == 'f';
}

bool GifReadScreenDescriptor(GifReadState& g)
{
    std::uint8_t packed, background, aspect;
    if (!readWordLsbFirst(g.in, g.screenWidth) || !readWordLsbFirst(g.in, g.screenHeight) ||
        !g.in.readByte(packed) || !g.in.readByte(background) || !g.in.readByte(aspect))
        return false;
    g.hasGlobalTable = packed & 0x80;
    g.globalSize = 1 << ((packed & 7) + 1);
    int resolution = ((packed >> 4) & 7) + 1;
    g.backgroundIndex = background & ((1 << resolution) - 1);
    if (g.hasGlobalTable && !readColorTable(g.in, g.globalTable, g.globalSize))
        return false;
    if (g.backgroundIndex >= g.globalSize)
        g.backgroundIndex = -1;
    else
        g.fileBkColor = g.globalTable[g.backgroundIndex];
    return true;
}

bool skipSubBlocks(PictInput& in)
{
    for (std::uint8_t size; in.readByte(size);) {
        if (size == 0)
            return true;
        if (!in.readBytes(nullptr, size))
            return false;
    }
    return false;
}

bool readApplicationExtension(GifReadState& g)
{
    bool looping = false;
    for (std::uint8_t size; g.in.readByte(size);) {
        if (size == 0)
            return true;
        std::uint8_t block[255];
        if (!g.in.readBytes(block, size))
            return false;
        if (size == 11 && strncasecmp(reinterpret_cast<char*>(block), "netscape", 8) == 0) {
            looping = true;
        } else if (looping && size == 3) {
            int count = block[1] | block[2] << 8;
            g.loopCount = count == 0 ? -2 : count;
        }
    }
    return false;
}

bool readGraphicControl(GifReadState& g)
{
    std::uint8_t block[5];
    if (!g.in.readBytes(block, 5))
        return false;
    g.transparent = block[1] & 1;
    g.delay = block[2] | block[3] << 8;
    g.transparentIndex = block[4];
    if (!g.hasGlobalTable || g.transparentIndex >= g.globalSize)
        g.transparent = false;
    Colour docBk = g.options.background;
    if (g.transparent) {
        g.savedTransparentColor = g.globalTable[g.transparentIndex];
        if (g.firstFrameTaken && g.backgroundIndex != -1 && g.transparentIndex != g.backgroundIndex) {
            g.globalTable[g.transparentIndex] = g.fileBkColor;
            g.globalTable[g.backgroundIndex] = docBk;
        } else {
            g.globalTable[g.transparentIndex] = docBk;
        }
    } else if (g.backgroundIndex != -1) {
        g.globalTable[g.backgroundIndex] = g.fileBkColor;
    }
    std::uint8_t terminator;
    return g.in.readByte(terminator);
}

bool GifReadExtension(GifReadState& g)
{
    std::uint8_t label;
    if (!g.in.readByte(label))
        return false;
    switch (label) {
    case 0x01:
    case 0xFE: return skipSubBlocks(g.in);
    case 0xFF: return readApplicationExtension(g);
    case 0xF9: return readGraphicControl(g);
    default: return true;
    }
}

void restoreTransparency(GifReadState& g)
{
    if (!g.transparent)
        return;
    g.globalTable[g.transparentIndex] = g.savedTransparentColor;
    if (g.backgroundIndex != -1)
        g.globalTable[g.backgroundIndex] = g.fileBkColor;
    g.transparent = false;
}

void prefillPixels(GifReadState& g, bool globalInUse)
{
    PackedDib& dib = g.dib;
    bool partial = g.width != g.screenWidth || g.height != g.screenHeight;
    if (!g.previousFrame.empty() && partial)
        std::memcpy(dib.pixels(), g.previousFrame.data(), dib.pixelBytes());
    else if (globalInUse && g.backgroundIndex >= 0)
        std::memset(dib.pixels(), g.backgroundIndex, dib.pixelBytes());
}

// Feeds the image's data sub-blocks to the decoder; false when the image failed.
bool decodeImageData(GifReadState& g, LzwState& lzw)
{
    bool ok = true;
    std::uint8_t block[256];
    for (std::uint8_t size;;) {
        if (!g.in.readByte(size))
            return false;
        if (size == 0)
            return ok;
        if (!g.in.readBytes(block, size))
            return false;
        if (lzw.endSeen || !ok)
            ok = false;
        else
            ok = LzwDecode(&lzw, block, size) == 1;
    }
}

bool GifReadImageGroup(GifReadState& g)
{
    std::uint8_t packed;
    if (!readWordLsbFirst(g.in, g.left) || !readWordLsbFirst(g.in, g.top) ||
        !readWordLsbFirst(g.in, g.width) || !readWordLsbFirst(g.in, g.height) || !g.in.readByte(packed))
        return false;
    if (g.screenWidth == 0)
        g.screenWidth = g.width;
    if (g.screenHeight == 0)
        g.screenHeight = g.height;
    const Colour* table = g.globalTable;
    int tableSize = g.globalSize;
    if (packed & 0x80) {
        tableSize = 1 << ((packed & 7) + 1);
        if (!readColorTable(g.in, g.localTable, tableSize))
            return false;
        table = g.localTable;
    }
    g.interlaced = packed & 0x40;
    g.column = g.row = 0;
    g.pass = 0;

    g.dib = PackedDib::create(g.screenWidth, g.screenHeight, 8, std::uint32_t(tableSize), PackedDib::Pixels::Zero,
                              g.options.maxBytes);
    if (!g.dib)
        return g.in.report(Fault::TooLarge);
    for (int i = 0; i < tableSize; ++i)
        g.dib.setPaletteEntry(std::uint32_t(i), table[i]);
    prefillPixels(g, table == g.globalTable);
    g.composing = g.firstFrameTaken && g.transparent;

    std::uint8_t codeSize;
    if (!g.in.readByte(codeSize))
        return false;
    if (codeSize < 2 || codeSize > 8)
        return false;   // outside the code sizes that the format allows
    LzwState lzw;
    LzwSetup(&lzw, codeSize, kLzwLsbFirst, &g, placeGifIndices);
    lzw.chunkSize = 256;
    // The indices are gathered in one buffer and placed at the end, which is
    // faster than placing each string; a huge image is placed as it comes.
    // The buffer is never larger than the DIB, and its pages are touched only
    // as far as the data fills them.
    std::uint64_t pixels = std::uint64_t(g.width) * g.height;
    if (pixels > 0 && pixels <= g.dib.pixelBytes()) {
        if (pixels > g.indicesSize) {
            g.indices.reset(new (std::nothrow) std::uint8_t[pixels]);
            g.indicesSize = g.indices ? std::size_t(pixels) : 0;
        }
        lzw.sink = g.indices.get();
        lzw.sinkSize = g.indices ? std::size_t(pixels) : 0;
    }
    if (!LzwInit(&lzw))
        return g.in.report(Fault::OutOfMemory);
    bool ok = decodeImageData(g, lzw);
    if (lzw.sink) {
        lzw.output = lzw.sink;
        lzw.outputLength = lzw.sinkUsed;
        placeGifIndices(&lzw);
    }
    LzwFree(&lzw);
    if (ok) {
        g.previousFrame.resize(g.dib.pixelBytes());
        std::memcpy(g.previousFrame.data(), g.dib.pixels(), g.previousFrame.size());
    }
    return ok;
}

void nextRow(GifReadState& g)
{
    if (!g.interlaced) {
        ++g.row;
        return;
    }
    static const int kStep[4] = {8, 8, 4, 2};
    static const int kStart[4] = {0, 4, 2, 1};
    g.row += kStep[g.pass];
    // A small image skips the passes that have no rows in it.
    while (g.row >= g.height && g.pass < 3)
        g.row = kStart[++g.pass];
}

void placeRun(GifReadState& g, const std::uint8_t* values, std::uint32_t count)
{
    std::uint32_t y = g.top + g.row;
    if (y >= g.screenHeight || g.left + g.column >= g.screenWidth)
        return;
    std::uint32_t visible = std::min(count, g.screenWidth - (g.left + g.column));
    std::uint8_t* out = g.dib.row(y) + g.left + g.column;
    if (!g.composing) {
        std::memcpy(out, values, visible);
        return;
    }
    for (std::uint32_t i = 0; i < visible; ++i) {
        int v = values[i];
        if (v == g.transparentIndex)
            continue;
        out[i] = std::uint8_t(v == g.backgroundIndex ? g.transparentIndex : v);
    }
}

}

int placeGifIndices(LzwState* state)
{
    auto& g = *static_cast<GifReadState*>(state->owner);
    const std::uint8_t* values = state->output;
    std::size_t left = state->outputLength;
    if (g.width == 0)
        return 1;
    while (left > 0 && g.row < g.height) {
        std::uint32_t take = std::uint32_t(std::min<std::size_t>(left, g.width - g.column));
        placeRun(g, values, take);
        values += take;
        left -= take;
        g.column += take;
        if (g.column == g.width) {
            g.column = 0;
            nextRow(g);
        }
    }
    return 1;
}

namespace {

// The block loop: the first image into the picture, with the frames after it
// when the options ask for them.
void readBlocks(GifReadState& g, GifPicture& picture)
{
    std::uint64_t heldBytes = 0;   // pixels of the frames kept
    for (std::uint8_t introducer; g.in.readByte(introducer);) {
        if (introducer == 0x21) {
            if (!GifReadExtension(g)) {
                g.in.report(Fault::Broken);
                break;
            }
            continue;
        }
        if (introducer != 0x2C)
            break;
        bool ok = GifReadImageGroup(g);
        restoreTransparency(g);
        PackedDib image = std::move(g.dib);
        if (!picture.first) {
            if (!ok) {
                g.in.report(Fault::Broken);
                break;
            }
            picture.first = std::move(image);
            if (!g.options.animation)
                break;
            g.firstFrameTaken = true;
            picture.firstDelay = g.delay;
        } else if (ok && picture.frames.size() < std::size_t(kGifMaxFrames) && (heldBytes += image.pixelBytes()) <= g.options.maxBytes) {
            picture.frames.push_back({std::move(image), g.delay});
        }
        if (picture.frames.size() >= std::size_t(kGifMaxFrames) || heldBytes > g.options.maxBytes)
            break;   // enough frames, or an animation too large to hold
    }
}

}

GifPicture readGif(std::span<const std::uint8_t> bytes, const GifOptions& options)
{
    GifPicture picture;
    GifReadState g(bytes, options);
    if (!GifReadSignature(g)) {
        g.in.report(Fault::NotThisFormat);
    } else if (!GifReadScreenDescriptor(g)) {
        g.in.report(Fault::Broken);
    } else {
        readBlocks(g, picture);
        if (!picture.first && g.in.problems().empty())
            g.in.report(Fault::NoPicture);
    }
    picture.loopCount = g.loopCount;
    picture.problems = g.in.takeProblems();
    return picture;
}

}
