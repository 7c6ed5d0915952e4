#include "platform/pictures/gif_reader.h"

#include "platform/pictures/gif_format.h"
#include "platform/pictures/picture_input.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <strings.h>
#include <vector>

namespace ks::pictures {

namespace {

// What the reader tolerates, each in one place.
//
// Quirk: the signature is "gif" in any case, and the version after it ("87a", "89a")
// is not checked; browsers show such files, so pages carry them.
bool isGifSignature(const char (&signature)[6])
{
    return strncasecmp(signature, "gif", 3) == 0;
}

// Quirk: a logical screen of zero width or height takes the first image's; some
// encoders leave the screen size zero and browsers size such files by their image.
void takeZeroScreenSizeFromImage(std::uint32_t& screenSide, std::uint32_t imageSide)
{
    if (screenSide == 0)
        screenSide = imageSide;
}

// Quirk: an image that reaches past the logical screen is cut at its edge (the
// pixels beyond are dropped); editors that crop the screen alone leave such frames.
std::uint32_t visibleOnScreen(std::uint32_t screenWidth, std::uint32_t x, std::uint32_t count)
{
    return x >= screenWidth ? 0 : std::min(count, screenWidth - x);
}

// Quirk: indices beyond the image's last row are ignored; some encoders write more
// codes than the image holds.
bool imageIsFull(std::uint32_t row, std::uint32_t height) { return row >= height; }

// Quirk: a transparent index outside the global colour table (or without one) is
// taken as no transparency at all.
bool inGlobalTable(bool hasGlobalTable, int index, int globalSize) { return hasGlobalTable && index < globalSize; }

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
    return g.in.readBytes(signature, 6) && isGifSignature(signature);
}

bool GifReadScreenDescriptor(GifReadState& g)
{
    std::uint8_t packed, background, aspect;
    if (!readWordLsbFirst(g.in, g.screenWidth) || !readWordLsbFirst(g.in, g.screenHeight) ||
        !g.in.readByte(packed) || !g.in.readByte(background) || !g.in.readByte(aspect))
        return false;
    g.hasGlobalTable = packed & gif::kColourTableFlag;
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
        // Quirk: the looping application is known by its name in any case, without its version.
        if (size == gif::kApplicationIdSize &&
            strncasecmp(reinterpret_cast<char*>(block), gif::kLoopingApplication, sizeof gif::kLoopingApplication - 1) == 0) {
            looping = true;
        } else if (looping && size == gif::kLoopSubBlockSize) {
            int count = block[1] | block[2] << 8;
            g.loopCount = count == 0 ? gif::kLoopForever : count;
        }
    }
    return false;
}

bool readGraphicControl(GifReadState& g)
{
    std::uint8_t block[5];
    if (!g.in.readBytes(block, 5))
        return false;
    g.transparent = block[1] & gif::kTransparencyFlag;
    g.delay = block[2] | block[3] << 8;
    g.transparentIndex = block[4];
    if (!inGlobalTable(g.hasGlobalTable, g.transparentIndex, g.globalSize))
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
    case gif::kPlainTextLabel:
    case gif::kCommentLabel: return skipSubBlocks(g.in);
    case gif::kApplicationLabel: return readApplicationExtension(g);
    case gif::kGraphicControlLabel: return readGraphicControl(g);
    default: return true;   // a label the format does not define: its data ends the read
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
// Quirk: data that ends (at its zero-length block) without an end code is taken as
// far as it goes; data after an end code fails the image.
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
    takeZeroScreenSizeFromImage(g.screenWidth, g.width);
    takeZeroScreenSizeFromImage(g.screenHeight, g.height);
    const Colour* table = g.globalTable;
    int tableSize = g.globalSize;
    if (packed & gif::kColourTableFlag) {
        tableSize = 1 << ((packed & 7) + 1);
        if (!readColorTable(g.in, g.localTable, tableSize))
            return false;
        table = g.localTable;
    }
    g.interlaced = packed & gif::kInterlaceFlag;
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
    if (codeSize < gif::kMinCodeSize || codeSize > gif::kMaxCodeSize)
        return false;
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
    std::uint32_t visible = visibleOnScreen(g.screenWidth, g.left + g.column, count);
    if (y >= g.screenHeight || visible == 0)
        return;
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
    while (left > 0 && !imageIsFull(g.row, g.height)) {
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
        if (introducer == gif::kExtensionIntroducer) {
            if (!GifReadExtension(g)) {
                g.in.report(Fault::Broken);
                break;
            }
            continue;
        }
        if (introducer != gif::kImageSeparator)
            break;   // the trailer, or anything else, ends the file
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
