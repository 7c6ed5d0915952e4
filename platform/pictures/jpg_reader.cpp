#include "platform/pictures/jpg_reader.h"

#include "platform/pictures/jpg_colour.h"
#include "platform/pictures/jpg_entropy.h"
#include "platform/pictures/jpg_format.h"
#include "platform/pictures/jpg_huffman.h"
#include "platform/pictures/jpg_idct.h"
#include "platform/pictures/packed_dib.h"
#include "platform/pictures/picture_input.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace ks::pictures {

namespace {

constexpr int kMaxComponents = 3;
constexpr int kMaxBlocksPerMcu = 6;
constexpr int kMaxHuffTables = 4;

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

// A decoded block waiting for a second to share the transform.
struct PendingBlock {
    std::uint8_t* out = nullptr;
    std::size_t stride = 0;
    std::int16_t* coefficients = nullptr;
};

// Where one block of an MCU goes: its component and its place in the MCU.
struct BlockPlace {
    JpgComponent* component = nullptr;
    int by = 0, bx = 0;
};

struct JpgReadState {
    JpgReadState(std::span<const std::uint8_t> bytes, std::uint64_t maxBytes) : in(bytes), maxBytes(maxBytes) {}
    PictInput in;
    std::uint64_t maxBytes;
    PackedDib dib;
    bool frameRead = false;
    std::uint32_t width = 0, height = 0;
    std::uint16_t quant[4][kJpgQuantSize] = {};   // zig-zag order
    int componentCount = 0;
    JpgComponent components[kMaxComponents];
    int maxH = 1, maxV = 1;
    int huffCount = 0;
    JpgHuffTable huff[kMaxHuffTables];
    std::uint16_t restartInterval = 0;
    std::uint32_t mcusPerRow = 0, mcuRows = 0, mcuWidth = 8, mcuHeight = 8;
    std::vector<std::uint8_t> cbRow, crRow;   // chroma of one pixel row, when upsampled here
    // The blocks of an MCU, decoded together; a block left waiting for its partner when
    // the MCU ends moves to carry. All are zero between uses.
    int blocksPerMcu = 0;
    JpgBlockCoding coding[kMaxBlocksPerMcu] = {};
    BlockPlace places[kMaxBlocksPerMcu];
    alignas(32) std::int16_t coefficients[kMaxBlocksPerMcu][64] = {};
    alignas(32) std::int16_t carry[64] = {};
    PendingBlock pending;   // of the MCU row being decoded
    // The picture starts unset: rows before this one are written whole, padding included.
    std::uint32_t rowsWritten = 0;

    JpgBits bits;
};

bool fail(JpgReadState& j, Fault fault) { return j.in.report(fault); }
bool invalid(JpgReadState& j) { return fail(j, Fault::Malformed); }

bool JpgNextMarker(JpgReadState& j, std::uint8_t& code)
{
    if (j.bits.pendingMarker) {
        code = std::exchange(j.bits.pendingMarker, 0);
        return true;
    }
    std::uint8_t b;
    if (!j.in.readByte(b) || b != jpg::kMarkerPrefix)
        return false;
    do {
        if (!j.in.readByte(b))
            return false;
    } while (jpg::isFillByte(b));
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

void fillFlatBlock(std::int16_t dc, std::uint8_t* out, std::size_t stride)
{
    std::int32_t level = (dc + 4) >> 3;
    std::uint8_t sample = std::uint8_t(std::clamp(level + 128, 0, 255));
    for (int y = 0; y < 8; ++y)
        std::memset(out + y * stride, sample, 8);
}

void clearCoefficients(JpgReadState& j)
{
    std::memset(j.coefficients, 0, sizeof j.coefficients);
    std::memset(j.carry, 0, sizeof j.carry);
    j.pending = {};
}

// The blocks of an MCU in the order the scan codes them.
void planMcu(JpgReadState& j)
{
    bool single = j.componentCount == 1;
    j.blocksPerMcu = 0;
    for (int ci = 0; ci < j.componentCount; ++ci) {
        JpgComponent& c = j.components[ci];
        int h = single ? 1 : c.h, v = single ? 1 : c.v;
        for (int by = 0; by < v; ++by)
            for (int bx = 0; bx < h; ++bx) {
                j.coding[j.blocksPerMcu] = {c.dcTable, c.acTable, j.quant[c.quant], &c.predictor};
                j.places[j.blocksPerMcu++] = {&c, by, bx};
            }
    }
}

// A decoded block into its component's plane: flat at once, others in pairs.
void placeBlock(JpgReadState& j, std::int16_t* coefficients, JpgCoded coded, std::uint8_t* out, std::size_t stride)
{
    PendingBlock& pending = j.pending;
    if (coded == JpgCoded::DcOnly) {
        fillFlatBlock(coefficients[0], out, stride);
        coefficients[0] = 0;
    } else if (!pending.out) {
        pending = {out, stride, coefficients};
    } else {
        jpgInverseTransformPair(pending.coefficients, pending.out, pending.stride, coefficients, out, stride);
        pending = {};
    }
}

bool JpgDecodeMcu(JpgReadState& j, std::uint32_t column)
{
    JpgCoded coded[kMaxBlocksPerMcu];
    if (jpgDecodeBlocks(j.in, j.bits, j.coding, j.blocksPerMcu, j.coefficients, coded) < j.blocksPerMcu) {
        clearCoefficients(j);
        return false;
    }
    bool single = j.componentCount == 1;
    for (int b = 0; b < j.blocksPerMcu; ++b) {
        const BlockPlace& p = j.places[b];
        JpgComponent& c = *p.component;
        int h = single ? 1 : c.h;
        std::uint8_t* out = c.plane.data() + std::size_t(p.by) * 8 * c.planeStride +
                            (std::size_t(column) * unsigned(h) + std::size_t(p.bx)) * 8;
        placeBlock(j, j.coefficients[b], coded[b], out, c.planeStride);
    }
    // The next MCU decodes into the same blocks.
    if (j.pending.out && j.pending.coefficients != j.carry) {
        std::memcpy(j.carry, j.pending.coefficients, sizeof j.carry);
        std::memset(j.pending.coefficients, 0, sizeof j.carry);
        j.pending.coefficients = j.carry;
    }
    return true;
}

// The MCU row's last block, when it waits alone.
void flushPending(JpgReadState& j)
{
    if (j.pending.out)
        jpgInverseTransform(j.pending.coefficients, j.pending.out, j.pending.stride);
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

// A row's padding becomes zero, and so do the pixels from xEnd on (where a scan ended)
// unless an earlier scan wrote the row.
void finishRow(JpgReadState& j, std::uint64_t y, std::uint32_t xEnd)
{
    std::uint8_t* out = j.dib.row(std::int64_t(y));
    std::size_t from = 3 * std::size_t(y < j.rowsWritten ? j.width : xEnd);
    std::memset(out + from, 0, j.dib.info().stride - from);
    j.rowsWritten = std::max(j.rowsWritten, std::uint32_t(y + 1));
}

// Rows no scan reached are zero, as in a picture allocated zeroed.
void clearUnwritten(JpgReadState& j)
{
    for (std::uint32_t y = j.rowsWritten; y < j.height; ++y)
        std::memset(j.dib.row(y), 0, j.dib.info().stride);
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
            finishRow(j, y, xEnd);
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
        finishRow(j, y, xEnd);
    }
}

void resetEntropy(JpgReadState& j)
{
    j.bits = JpgBits{};
    for (JpgComponent& c : j.components)
        c.predictor = 0;
}

// At a restart point: the marker must come next, after at most the padding bits.
// Quirk: any of the eight restart markers is taken; its number is not checked.
bool JpgRestart(JpgReadState& j)
{
    j.bits.count -= j.bits.count % 8;
    if (j.bits.count > j.bits.zeroBits)
        return fail(j, Fault::RestartMissing);
    std::uint8_t marker;
    if (!JpgNextMarker(j, marker))
        return false;
    if (!jpg::isRestart(marker))
        return fail(j, Fault::RestartMissing);
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

// The MCU ran into a marker. Quirk: a restart marker there comes too early and fails
// the picture; any other ends the scan and keeps the rows decoded before it (the rest
// stays zero), so a file cut short shows what arrived, as browsers show it. Cold: inlined
// into the decoding loop it slowed small grey pictures by a tenth.
[[gnu::cold]] bool scanCutByMarker(JpgReadState& j, std::uint32_t row, std::uint32_t columns)
{
    flushPending(j);
    writeMcuRow(j, row, columns);
    return !jpg::isRestart(j.bits.pendingMarker) || fail(j, Fault::RestartMisplaced);
}

bool JpgReadImage(JpgReadState& j)
{
    if (!readScanHeader(j))
        return false;
    resetEntropy(j);
    clearCoefficients(j);
    planMcu(j);
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
            if (j.bits.zeroBits > j.bits.count)
                return scanCutByMarker(j, row, column + 1);
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
            return fail(j, Fault::TooManyHuffmanTables);
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
    // Every row is written or cleared once the scans are read: zeroing the picture first
    // would write it twice.
    j.dib = PackedDib::create(width, height, 24, 0, PackedDib::Pixels::Unset, j.maxBytes);
    j.rowsWritten = 0;
    if (!j.dib)
        return fail(j, Fault::TooLarge);
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
        case jpg::kEndOfImage:
            return true;
        case jpg::kQuantisationTables: if (!JpgReadQuantTables(j)) return false; break;
        case jpg::kBaselineFrame: if (!JpgReadImageGroup(j)) return false; break;
        case jpg::kHuffmanTables: if (!JpgReadHuffTables(j)) return false; break;
        case jpg::kStartOfScan: if (!JpgReadImage(j)) return false; break;
        case jpg::kRestartInterval: {
            int remaining;
            if (!readLength(j, remaining) || remaining != 2 || !j.in.readWordMsbFirst(j.restartInterval))
                return false;
            break;
        }
        case jpg::kTem:
            break;   // a marker without a segment
        default:
            if (jpg::isRestart(marker))
                break;   // Quirk: a restart marker outside a scan is skipped, as libjpeg skips it
            if (jpg::isOtherFrame(marker))
                return invalid(j);   // only baseline frames are read
            if (!JpgSkipSegment(j))
                return false;
        }
    }
}

}

Decoded readJpg(std::span<const std::uint8_t> bytes, std::uint64_t maxBytes)
{
    Decoded result;
    auto j = std::make_unique<JpgReadState>(bytes, maxBytes);
    std::uint8_t marker;
    if (!JpgNextMarker(*j, marker))
        j->in.report(Fault::NoHeader);
    else if (marker != jpg::kStartOfImage)
        invalid(*j);
    else if (!readMarkers(*j))
        j->in.report(Fault::Broken);   // the picture of a failed read is dropped
    else if (!j->dib)
        j->in.report(Fault::NoPicture);
    else {
        clearUnwritten(*j);
        result.picture = std::move(j->dib);
    }
    result.problems = j->in.takeProblems();
    return result;
}

}
