#include "platform/pictures/jpg_entropy.h"

#include "platform/pictures/jpg_format.h"


#include <algorithm>
#include <cstring>

namespace ks::pictures {

namespace {

// Coefficient k of the zig-zag sequence sits at this row-major position.
constexpr std::uint8_t kNaturalOrder[kJpgQuantSize] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33,
    40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36,
    29, 22, 15, 23, 30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54,
    47, 55, 62, 63,
    // A run that overshoots the block lands here, outside the coefficients.
    63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63};

// True when one of the eight bytes is 0xFF.
inline bool hasMarkerByte(std::uint64_t bytes)
{
    std::uint64_t x = ~bytes;
    return ((x - 0x0101010101010101u) & ~x & 0x8080808080808080u) != 0;
}

// The byte-by-byte fill, which meets stuffed bytes and markers.
bool fillBytes(PictInput& in, JpgBits& j)
{
    while (j.count <= 56) {
        std::uint8_t b = 0;
        if (j.pendingMarker) {
            j.zeroBits += 8;
        } else {
            if (!in.readByte(b))
                return false;
            if (b == jpg::kMarkerPrefix) {
                std::uint8_t next;
                do {
                    if (!in.readByte(next))
                        return false;
                } while (jpg::isFillByte(next));
                if (next != jpg::kStuffedZero) {
                    j.pendingMarker = next;
                    b = 0;
                    j.zeroBits += 8;
                }
            }
        }
        j.buffer |= std::uint64_t(b) << (56 - j.count);
        j.count += 8;
    }
    return true;
}

// The bit reader's buffer and count held in locals while a block is decoded,
// put back when it ends.
struct BitCursor {
    PictInput& in;
    JpgBits& j;
    std::uint64_t buffer;
    int bits;

    BitCursor(PictInput& input, JpgBits& state) : in(input), j(state), buffer(state.buffer), bits(state.count) {}
    ~BitCursor() { store(); }
    BitCursor(const BitCursor&) = delete;
    BitCursor& operator=(const BitCursor&) = delete;
    void store() { j.buffer = buffer, j.count = bits; }

    // At least 32 bits, unless the input ends.
    // Quick: only by whole words, false when that cannot be done here.
    template <bool Quick>
    bool ensure() { return bits >= 32 || (Quick ? refillWord() : refill()); }
    bool refillWord()
    {
        std::size_t available;
        const std::uint8_t* next = in.buffered(available);
        std::uint64_t word;
        if (j.pendingMarker || available < 8 || (std::memcpy(&word, next, 8), hasMarkerByte(word)))
            return false;
        // Whole bytes at once while no 0xFF is near. The bits below the new
        // ones are the bytes that follow, which the next fill puts back alike.
        int take = (63 - bits) >> 3;
        buffer |= __builtin_bswap64(word) >> bits;
        bits += 8 * take;
        in.consume(std::size_t(take));
        return true;
    }
    bool refill()
    {
        if (refillWord())
            return true;
        store();
        bool filled = fillBytes(in, j);
        buffer = j.buffer;
        bits = j.count;
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

enum class Step { Done, Stalled, Broken };

int huffmanFailure(PictInput& in)
{
    return in.report(Fault::HuffmanCodeUnknown);
}

// The AC coefficients from k on, dequantised, in natural order. Quick makes
// no calls, so that the loop keeps its values in registers; it stalls where
// the bits run short and no whole word can be loaded, or at a code it cannot
// read, and the careful pass goes on from there.
template <bool Quick>
[[gnu::always_inline]] inline Step decodeAc(BitCursor& b, const JpgHuffTable& ac, const std::uint16_t* q,
                                            std::int16_t* coefficients, int& k)
{
    for (; k < 64; ++k) {
        // A short code and its value take at most kJpgLookBits: the quick loop refills
        // only below that, and makes sure of 32 bits only for a longer code.
        if (Quick ? b.bits < kJpgLookBits && !b.refillWord() : !b.ensure<false>())
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
        if (Quick && !b.ensure<true>())
            return Step::Stalled;
        int rs = b.decode(ac);
        if (rs < 0) {
            if (Quick)
                return Step::Stalled;
            return huffmanFailure(b.in), Step::Broken;
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

// One block with the bit reader in hand.
[[gnu::always_inline]] inline JpgCoded decodeBlock(BitCursor& b, const JpgBlockCoding& coding, std::int16_t* coefficients)
{
    const JpgHuffTable& dc = *coding.dc;
    const std::uint16_t* q = coding.quant;
    if (!b.ensure<false>())
        return JpgCoded::Broken;
    std::int32_t difference;
    std::int32_t fast = dc.fast[b.peek(kJpgLookBits)];
    if (fast && !(fast & 0xF00)) {
        b.skip(fast & 15);
        difference = fast & kJpgFastEnd ? 0 : fast >> 16;
    } else {
        int s = b.decode(dc);
        if (s < 0 || s > 15)
            return huffmanFailure(b.in), JpgCoded::Broken;
        // At most 16 of the 32 bits went on the code: the value's 15 are there.
        difference = b.receiveExtend(s);
    }
    std::int32_t& predictor = *coding.predictor;
    predictor = std::clamp(predictor + difference, -65535, 65535);
    coefficients[0] = std::int16_t(predictor * q[0]);
    int k = 1;
    Step step = decodeAc<true>(b, *coding.ac, q, coefficients, k);
    if (step == Step::Stalled)
        step = decodeAc<false>(b, *coding.ac, q, coefficients, k);
    if (step == Step::Broken)
        return JpgCoded::Broken;
    // An end of block straight after the DC leaves the rest zero.
    return k == 1 ? JpgCoded::DcOnly : JpgCoded::Full;
}

}

int jpgDecodeBlocks(PictInput& in, JpgBits& bits, const JpgBlockCoding* blocks, int count,
                    std::int16_t (*coefficients)[64], JpgCoded* coded)
{
    // The bit reader stays in registers for the whole run of blocks.
    BitCursor b(in, bits);
    for (int i = 0; i < count; ++i)
        if ((coded[i] = decodeBlock(b, blocks[i], coefficients[i])) == JpgCoded::Broken)
            return i;
    return count;
}

}
