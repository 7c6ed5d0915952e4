#include "addon/convert/jpg_reader.h"

#include "addon/convert/jpg_colour.h"
#include "addon/convert/jpg_huffman.h"
#include "addon/convert/jpg_idct.h"
#include "addon/convert/packed_dib.h"
#include "addon/convert/picture_input.h"
#include "addon/core/print_error.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace ks::addon {

namespace {

const PictMessages kJpgMessages{"JPG file not found or file open error!",
                                "Ran out of memory for HTML data (JpgRead).",
                                "Error Jpgf file positioning(JpgGetOffsetBytes)"};

constexpr int kMaxComponents = 3;
constexpr int kMaxBlocksPerMcu = 6;
constexpr int kMaxHuffTables = 4;

// Coefficient k of the zig-zag sequence sits at this row-major position.
constexpr std::uint8_t kNaturalOrder[64 + 16] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33,
    40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36,
    29, 22, 15, 23, 30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54,
    47, 55, 62, 63,
    // A run that overshoots the block lands here, outside the coefficients.
    63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63};

struct JpgComponent {
    int id = 0;
    int h = 1, v = 1;
    int quant = 0;
    const JpgHuffTable* dcTable = nullptr;
    const JpgHuffTable* acTable = nullptr;
    std::int32_t predictor = 0;
    // One row of MCUs of this component's samples.
    std::vector<std::uint8_t> plane;
    std::size_t planeStride = 0;
    std::vector<std::uint32_t> columnOf;   // picture column -> plane column
};

// A decoded block waiting in the first slot for a second to share the transform.
struct PendingBlock {
    std::uint8_t* out = nullptr;
    std::size_t stride = 0;
};

struct JpgReadState {
    explicit JpgReadState(HtmlCtx* ctx) : in(ctx, kJpgMessages) {}
    PictInput in;
    PackedDib dib;
    bool frameRead = false;
    std::uint32_t width = 0, height = 0;
    // Zig-zag order; the padding meets a run that overshoots the block.
    std::uint16_t quant[4][64 + 16] = {};
    int componentCount = 0;
    JpgComponent components[kMaxComponents];
    int maxH = 1, maxV = 1;
    int huffCount = 0;
    JpgHuffTable huff[kMaxHuffTables];
    std::uint16_t restartInterval = 0;
    std::uint32_t mcusPerRow = 0, mcuRows = 0, mcuWidth = 8, mcuHeight = 8;
    std::vector<std::uint8_t> cbRow, crRow;   // chroma of one pixel row, when upsampled here
    // Two blocks' coefficients, so that the transform can take them together.
    alignas(16) std::int16_t coefficients[2][64] = {};
    PendingBlock pending;   // of the MCU row being decoded

    // Bit reader: bits at the top of buffer; zero bits stand in after a marker.
    std::uint64_t buffer = 0;
    int bits = 0;
    int zeroBits = 0;
    std::uint8_t pendingMarker = 0;
};

int fail(JpgReadState& j, const char* message, int code) { return PrintError(j.in.owner(), message, code); }
int invalid(JpgReadState& j) { return fail(j, "Invalid JPEG file", kErrPictureFormat); }

bool JpgNextMarker(JpgReadState& j, std::uint8_t& code)
{
    if (j.pendingMarker) {
        code = std::exchange(j.pendingMarker, 0);
        return true;
    }
    std::uint8_t b;
    if (!j.in.readByte(b) || b != 0xFF)
        return false;
    do {
        if (!j.in.readByte(b))
            return false;
    } while (b == 0xFF);
    code = b;
    return true;
}

bool readLength(JpgReadState& j, int& remaining)
{
    std::uint16_t length;
    if (!j.in.readWordMsbFirst(length) || length < 2)
        return false;
    remaining = length - 2;
    return true;
}

// True when one of the eight bytes is 0xFF.
inline bool hasMarkerByte(std::uint64_t bytes)
{
    std::uint64_t x = ~bytes;
    return ((x - 0x0101010101010101u) & ~x & 0x8080808080808080u) != 0;
}

// The byte-by-byte fill, which meets stuffed bytes and markers.
bool JpgFillBits(JpgReadState& j)
{
    while (j.bits <= 56) {
        std::uint8_t b = 0;
        if (j.pendingMarker) {
            j.zeroBits += 8;
        } else {
            if (!j.in.readByte(b))
                return false;
            if (b == 0xFF) {
                std::uint8_t next;
                do {
                    if (!j.in.readByte(next))
                        return false;
                } while (next == 0xFF);
                if (next != 0) {
                    j.pendingMarker = next;
                    b = 0;
                    j.zeroBits += 8;
                }
            }
        }
        j.buffer |= std::uint64_t(b) << (56 - j.bits);
        j.bits += 8;
    }
    return true;
}

// The bit reader's buffer and count held in locals while a block is decoded,
// put back when it ends.
struct BitCursor {
    JpgReadState& j;
    std::uint64_t buffer;
    int bits;

    explicit BitCursor(JpgReadState& state) : j(state), buffer(state.buffer), bits(state.bits) {}
    ~BitCursor() { store(); }
    BitCursor(const BitCursor&) = delete;
    BitCursor& operator=(const BitCursor&) = delete;
    void store() { j.buffer = buffer, j.bits = bits; }

    // At least 32 bits, unless the input ends.
    // Quick: only by whole words, false when that cannot be done here.
    template <bool Quick>
    bool ensure() { return bits >= 32 || (Quick ? refillWord() : refill()); }
    bool refillWord()
    {
        std::size_t available;
        const std::uint8_t* next = j.in.buffered(available);
        std::uint64_t word;
        if (j.pendingMarker || available < 8 || (std::memcpy(&word, next, 8), hasMarkerByte(word)))
            return false;
        // Whole bytes at once while no 0xFF is near. The bits below the new
        // ones are the bytes that follow, which the next fill puts back alike.
        int take = (63 - bits) >> 3;
        buffer |= __builtin_bswap64(word) >> bits;
        bits += 8 * take;
        j.in.consume(std::size_t(take));
        return true;
    }
    bool refill()
    {
        if (refillWord())
            return true;
        store();
        bool filled = JpgFillBits(j);
        buffer = j.buffer;
        bits = j.bits;
        return filled;
    }
    std::uint32_t peek(int n) const { return std::uint32_t(buffer >> (64 - n)); }
    void skip(int n)
    {
        buffer <<= n;
        bits -= n;
    }
    std::uint32_t take(int n)
    {
        std::uint32_t v = peek(n);
        skip(n);
        return v;
    }

    // -1 when no code matches.
    int decode(const JpgHuffTable& t)
    {
        if (std::uint16_t hit = t.lookup[peek(kJpgLookBits)]) {
            skip(hit >> 8);
            return hit & 0xFF;
        }
        for (int length = kJpgLookBits + 1; length <= 16; ++length) {
            std::int32_t code = std::int32_t(peek(length));
            if (code <= t.maxCode[length]) {
                skip(length);
                return t.symbols[(code + t.valueOffset[length]) & 0xFF];
            }
        }
        return -1;
    }

    std::int32_t receiveExtend(int s)
    {
        if (s == 0)
            return 0;
        std::int32_t v = std::int32_t(take(s));
        return v >= (1 << (s - 1)) ? v : v - ((1 << s) - 1);
    }
};

enum class Coded { Broken, DcOnly, Full };
enum class Step { Done, Stalled, Broken };

// The AC coefficients from k on, dequantised, in natural order. Quick makes
// no calls, so that the loop keeps its values in registers; it stalls where
// the bits run short and no whole word can be loaded, or at a code it cannot
// read, and the careful pass goes on from there.
template <bool Quick>
[[gnu::always_inline]] inline Step decodeAc(BitCursor& b, const JpgHuffTable& ac, const std::uint16_t* q,
                                            std::int16_t* coefficients, int& k)
{
    for (; k < 64; ++k) {
        if (!b.ensure<Quick>())
            return Quick ? Step::Stalled : Step::Broken;
        if (std::int32_t fast = ac.fast[b.peek(kJpgLookBits)]) {
            // A short code and its value in one look.
            b.skip(fast & 15);
            if (fast & kJpgFastEnd)
                break;
            k += (fast >> 8) & 15;
            coefficients[kNaturalOrder[k]] = std::int16_t((fast >> 16) * q[k]);
            continue;
        }
        int rs = b.decode(ac);
        if (rs < 0) {
            if (Quick)
                return Step::Stalled;
            return fail(b.j, "Huffman symbol not found in JPEG read", kErrJpegDecoding), Step::Broken;
        }
        int run = rs >> 4, size = rs & 15;
        if (size == 0) {
            if (run != 15)
                break;
            k += 15;
            continue;
        }
        k += run;
        coefficients[kNaturalOrder[k]] = std::int16_t(b.receiveExtend(size) * q[k]);
    }
    return Step::Done;
}

// The block's coefficients into a slot of j.coefficients, which stay zero
// between blocks (the transforms clear them). Values wrap to 16 bits,
// which only a broken file's exceed.
[[gnu::noinline]] Coded decodeCoefficients(JpgReadState& j, JpgComponent& c, std::int16_t* coefficients)
{
    const std::uint16_t* q = j.quant[c.quant];
    BitCursor b(j);
    if (!b.ensure<false>())
        return Coded::Broken;
    std::int32_t difference;
    std::int32_t fast = c.dcTable->fast[b.peek(kJpgLookBits)];
    if (fast && !(fast & 0xF00)) {
        b.skip(fast & 15);
        difference = fast & kJpgFastEnd ? 0 : fast >> 16;
    } else {
        int s = b.decode(*c.dcTable);
        if (s < 0 || s > 15)
            return fail(j, "Huffman symbol not found in JPEG read", kErrJpegDecoding), Coded::Broken;
        // At most 16 of the 32 bits went on the code: the value's 15 are there.
        difference = b.receiveExtend(s);
    }
    c.predictor = std::clamp(c.predictor + difference, -65535, 65535);
    coefficients[0] = std::int16_t(c.predictor * q[0]);
    int k = 1;
    Step step = decodeAc<true>(b, *c.acTable, q, coefficients, k);
    if (step == Step::Stalled)
        step = decodeAc<false>(b, *c.acTable, q, coefficients, k);
    if (step == Step::Broken)
        return Coded::Broken;
    // An end of block straight after the DC leaves the rest zero.
    return k == 1 ? Coded::DcOnly : Coded::Full;
}

void fillFlatBlock(std::int16_t dc, std::uint8_t* out, std::size_t stride)
{
    std::int32_t level = (dc + 4) >> 3;
    std::uint8_t sample = std::uint8_t(std::clamp(level + 128, 0, 255));
    for (int y = 0; y < 8; ++y)
        std::memset(out + y * stride, sample, 8);
}

bool JpgDecodeBlock(JpgReadState& j, JpgComponent& c, std::uint8_t* out, std::size_t stride)
{
    PendingBlock& pending = j.pending;
    std::int16_t* slot = j.coefficients[pending.out ? 1 : 0];
    Coded coded = decodeCoefficients(j, c, slot);
    if (coded == Coded::Broken) {
        std::memset(j.coefficients, 0, sizeof j.coefficients);
        return false;
    }
    if (coded == Coded::DcOnly) {
        fillFlatBlock(slot[0], out, stride);
        slot[0] = 0;
    } else if (!pending.out) {
        pending = {out, stride};
    } else {
        jpgInverseTransformPair(j.coefficients[0], pending.out, pending.stride, slot, out, stride);
        pending = {};
    }
    return true;
}

bool JpgDecodeMcu(JpgReadState& j, std::uint32_t column)
{
    bool single = j.componentCount == 1;
    for (int ci = 0; ci < j.componentCount; ++ci) {
        JpgComponent& c = j.components[ci];
        int h = single ? 1 : c.h, v = single ? 1 : c.v;
        for (int by = 0; by < v; ++by)
            for (int bx = 0; bx < h; ++bx) {
                std::uint8_t* out = c.plane.data() + std::size_t(by) * 8 * c.planeStride +
                                    (std::size_t(column) * h + std::size_t(bx)) * 8;
                if (!JpgDecodeBlock(j, c, out, c.planeStride))
                    return false;
            }
    }
    return true;
}

// The MCU row's last block, when it waits alone.
void flushPending(JpgReadState& j)
{
    if (j.pending.out)
        jpgInverseTransform(j.coefficients[0], j.pending.out, j.pending.stride);
    j.pending = {};
}

// One chroma row, repeated to the luma's width.
void upsampleRow(const JpgComponent& c, const std::uint8_t* samples, std::uint8_t* out, std::uint32_t count)
{
    const std::uint32_t* column = c.columnOf.data();
    for (std::uint32_t x = 0; x < count; ++x)
        out[x] = samples[column[x]];
}

const std::uint8_t* chromaRow(const JpgReadState& j, const JpgComponent& c, std::uint32_t py)
{
    return c.plane.data() + (py * unsigned(c.v) / unsigned(j.maxV)) * c.planeStride;
}

// Colour-converts the first `columns` MCUs of the buffered MCU row into the DIB.
void writeMcuRow(JpgReadState& j, std::uint32_t mcuRow, std::uint32_t columns)
{
    std::uint32_t xEnd = std::uint32_t(std::min<std::uint64_t>(j.width, std::uint64_t(columns) * j.mcuWidth));
    const JpgComponent& y0 = j.components[0];
    const JpgComponent& c1 = j.components[1];
    const JpgComponent& c2 = j.components[2];
    // Chroma at full or half width goes to the conversion as it is.
    bool same = c1.h == c2.h && (c1.h == j.maxH || 2 * c1.h == j.maxH);
    for (std::uint32_t py = 0; py < j.mcuHeight; ++py) {
        std::uint64_t y = std::uint64_t(mcuRow) * j.mcuHeight + py;
        if (y >= j.height)
            return;
        std::uint8_t* out = j.dib.row(std::int64_t(y));
        const std::uint8_t* luma = y0.plane.data() + py * y0.planeStride;
        if (j.componentCount < 3) {
            jpgGreyRow(luma, out, xEnd);
            continue;
        }
        const std::uint8_t* cb = chromaRow(j, c1, py);
        const std::uint8_t* cr = chromaRow(j, c2, py);
        if (!same) {
            upsampleRow(c1, cb, j.cbRow.data(), xEnd);
            upsampleRow(c2, cr, j.crRow.data(), xEnd);
            cb = j.cbRow.data();
            cr = j.crRow.data();
        }
        jpgConvertRow(luma, cb, cr, same && c1.h != j.maxH, out, xEnd);
    }
}

void resetEntropy(JpgReadState& j)
{
    j.buffer = 0;
    j.bits = 0;
    j.zeroBits = 0;
    for (JpgComponent& c : j.components)
        c.predictor = 0;
}

// At a restart point: the marker must come next, after at most the padding bits.
bool JpgRestart(JpgReadState& j)
{
    j.bits -= j.bits % 8;
    if (j.bits > j.zeroBits)
        return fail(j, "Restart marker missing(JpgReadImage a)", kErrJpegDecoding);
    std::uint8_t marker;
    if (!JpgNextMarker(j, marker))
        return false;
    if (marker < 0xD0 || marker > 0xD7)
        return fail(j, "Restart marker missing(JpgReadImage a)", kErrJpegDecoding);
    resetEntropy(j);
    return true;
}

bool readScanHeader(JpgReadState& j)
{
    int remaining;
    std::uint8_t count;
    if (!readLength(j, remaining) || !j.in.readByte(count))
        return false;
    if (!j.frameRead || count != j.componentCount || remaining != 1 + 2 * count + 3)
        return invalid(j);
    bool scanned[kMaxComponents] = {};
    for (int i = 0; i < count; ++i) {
        std::uint8_t selector, tables;
        if (!j.in.readByte(selector) || !j.in.readByte(tables))
            return false;
        JpgComponent* c = nullptr;
        for (int k = 0; k < j.componentCount; ++k)
            if (j.components[k].id == selector)
                c = &j.components[k];
        if (!c || scanned[c - j.components])
            return invalid(j);   // a component missing from the frame, or named twice
        scanned[c - j.components] = true;
        c->dcTable = c->acTable = nullptr;
        for (int t = 0; t < j.huffCount; ++t) {
            if (j.huff[t].dc && j.huff[t].id == tables >> 4)
                c->dcTable = &j.huff[t];
            if (!j.huff[t].dc && j.huff[t].id == (tables & 15))
                c->acTable = &j.huff[t];
        }
        if (!c->dcTable || !c->acTable)
            return invalid(j);
    }
    return j.in.readBytes(nullptr, 3);
}

bool JpgReadImage(JpgReadState& j)
{
    if (!readScanHeader(j))
        return false;
    resetEntropy(j);
    std::memset(j.coefficients, 0, sizeof j.coefficients);
    j.pending = {};
    std::uint32_t sinceRestart = 0;
    for (std::uint32_t row = 0; row < j.mcuRows; ++row) {
        for (std::uint32_t column = 0; column < j.mcusPerRow; ++column) {
            if (j.restartInterval && sinceRestart == j.restartInterval) {
                if (!JpgRestart(j))
                    return false;
                sinceRestart = 0;
            }
            if (!JpgDecodeMcu(j, column))
                return false;
            ++sinceRestart;
            if (j.zeroBits > j.bits) {
                // The MCU ran into a marker: a restart one comes too early; any
                // other ends the scan with what was decoded.
                flushPending(j);
                writeMcuRow(j, row, column + 1);
                if (j.pendingMarker >= 0xD0 && j.pendingMarker <= 0xD7)
                    return fail(j, "Misplaced restart marker found!", kErrJpegDecoding);
                return true;
            }
        }
        flushPending(j);
        writeMcuRow(j, row, j.mcusPerRow);
    }
    return true;
}

bool JpgReadQuantTables(JpgReadState& j)
{
    int remaining;
    if (!readLength(j, remaining))
        return false;
    while (remaining >= 1) {
        std::uint8_t which, values[64];
        if (!j.in.readByte(which))
            return false;
        // Only 8-bit tables with ids 0-3 exist in baseline files.
        if ((which >> 4) != 0 || (which & 15) > 3 || remaining < 65)
            return invalid(j);
        if (!j.in.readBytes(values, 64))
            return false;
        std::copy(values, values + 64, j.quant[which & 15]);
        remaining -= 65;
    }
    return true;
}

bool JpgReadHuffTables(JpgReadState& j)
{
    int remaining;
    if (!readLength(j, remaining))
        return false;
    while (remaining >= 1) {
        std::uint8_t which;
        if (!j.in.readByte(which))
            return false;
        if (j.huffCount >= kMaxHuffTables)
            return fail(j, "Too many Huffman tables in the JPEG image", kErrJpegDecoding);
        if ((which & 15) > 3 || remaining < 17)
            return invalid(j);
        JpgHuffTable& t = j.huff[j.huffCount];
        t = JpgHuffTable{};
        t.dc = which < 16;
        t.id = which & 15;
        if (!j.in.readBytes(t.counts, 16))
            return false;
        int total = 0;
        for (std::uint8_t n : t.counts)
            total += n;
        remaining -= 17;
        if (total > 256 || total > remaining)
            return invalid(j);
        if (!j.in.readBytes(t.symbols, std::size_t(total)))
            return false;
        remaining -= total;
        if (!t.build())
            return invalid(j);
        ++j.huffCount;
    }
    return true;
}

bool JpgReadImageGroup(JpgReadState& j)
{
    int remaining;
    std::uint8_t precision, count;
    std::uint16_t height, width;
    if (!readLength(j, remaining) || !j.in.readByte(precision) || !j.in.readWordMsbFirst(height) ||
        !j.in.readWordMsbFirst(width) || !j.in.readByte(count))
        return false;
    if (j.frameRead || precision != 8 || width == 0 || height == 0 || count < 1 ||
        count > kMaxComponents || remaining != 6 + 3 * count)
        return invalid(j);
    int blocks = 0;
    for (int i = 0; i < count; ++i) {
        std::uint8_t b[3];
        if (!j.in.readBytes(b, 3))
            return false;
        JpgComponent& c = j.components[i];
        c.id = b[0];
        c.h = b[1] >> 4;
        c.v = b[1] & 15;
        c.quant = b[2];
        if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4 || c.quant > 3)
            return invalid(j);
        blocks += c.h * c.v;
    }
    j.componentCount = count;
    if (count == 1)
        j.components[0].h = j.components[0].v = 1;   // a lone component is coded block by block
    j.maxH = j.components[0].h;
    j.maxV = j.components[0].v;
    for (int i = 1; i < count; ++i)
        if (j.components[i].h > j.maxH || j.components[i].v > j.maxV)
            return invalid(j);   // the first component must be the densest
    if (count > 1 && blocks > kMaxBlocksPerMcu)
        return invalid(j);
    j.width = width;
    j.height = height;
    j.mcuWidth = 8u * unsigned(j.maxH);
    j.mcuHeight = 8u * unsigned(j.maxV);
    j.mcusPerRow = (width + j.mcuWidth - 1) / j.mcuWidth;
    j.mcuRows = (height + j.mcuHeight - 1) / j.mcuHeight;
    j.dib = PackedDib::create(width, height, 24, 0);
    if (!j.dib)
        return fail(j, "Error allocating DIB memory(JpgReadImageGroup)", kErrPictureFormat);
    for (int i = 0; i < count; ++i) {
        JpgComponent& c = j.components[i];
        c.planeStride = std::size_t(j.mcusPerRow) * 8 * unsigned(c.h);
        c.plane.assign(c.planeStride * 8 * unsigned(c.v), 0);
        c.columnOf.resize(std::size_t(j.mcusPerRow) * j.mcuWidth);
        for (std::size_t x = 0; x < c.columnOf.size(); ++x)
            c.columnOf[x] = std::uint32_t(x * unsigned(c.h) / unsigned(j.maxH));
    }
    j.cbRow.resize(std::size_t(j.mcusPerRow) * j.mcuWidth);
    j.crRow.resize(j.cbRow.size());
    j.frameRead = true;
    return true;
}

bool JpgSkipSegment(JpgReadState& j)
{
    int remaining;
    return readLength(j, remaining) && j.in.skip(std::uint64_t(remaining));
}

// The marker loop; false when the read fails.
bool readMarkers(JpgReadState& j)
{
    for (;;) {
        std::uint8_t marker;
        if (!JpgNextMarker(j, marker))
            return false;
        switch (marker) {
        case 0xD9:
            return true;
        case 0xDB: if (!JpgReadQuantTables(j)) return false; break;
        case 0xC0: if (!JpgReadImageGroup(j)) return false; break;
        case 0xC4: if (!JpgReadHuffTables(j)) return false; break;
        case 0xDA: if (!JpgReadImage(j)) return false; break;
        case 0xDD: {
            int remaining;
            if (!readLength(j, remaining) || remaining != 2 || !j.in.readWordMsbFirst(j.restartInterval))
                return false;
            break;
        }
        case 0x01:
        case 0xD0: case 0xD1: case 0xD2: case 0xD3: case 0xD4: case 0xD5: case 0xD6: case 0xD7:
            break;   // markers without a segment
        default:
            if (marker >= 0xC1 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
                return invalid(j);   // only baseline frames are read
            if (!JpgSkipSegment(j))
                return false;
        }
    }
}

}

win::HGLOBAL JpgRead(HtmlCtx* ctx, bool fromMemory, const char* fileName, win::HGLOBAL memory,
                     std::int32_t length, win::HGLOBAL* outHandle)
{
    if (outHandle)
        *outHandle = nullptr;
    auto j = std::make_unique<JpgReadState>(ctx);
    if (!j->in.open(fromMemory, fileName, memory, length))
        return nullptr;
    std::uint8_t marker;
    if (!JpgNextMarker(*j, marker))
        return nullptr;
    if (marker != 0xD8) {
        invalid(*j);
        return nullptr;
    }
    if (!readMarkers(*j))
        return nullptr;   // the DIB of a failed read is freed with the state
    win::HGLOBAL dib = j->dib.release();
    if (outHandle)
        *outHandle = dib;
    return dib;
}

}
