#include "platform/pictures/lzw.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

namespace ks::pictures {

namespace {
constexpr int kCodes = 1 << kLzwMaxWidth;
constexpr std::size_t kBlock = 16;

// The roots' strings for the sink form, with room to read a block past any.
constexpr std::array<std::uint8_t, 256 + kBlock> kRootBytes = [] {
    std::array<std::uint8_t, 256 + kBlock> bytes{};
    for (int c = 0; c < 256; ++c)
        bytes[std::size_t(c)] = std::uint8_t(c);
    return bytes;
}();
}

// Two forms of the string table. For the callback, each code's string is its
// prefix's string plus one byte, written back to front into the stack. For a
// sink, each string already lies in the sink where it was last written, so it
// is copied whole from there. A length of 0 marks a code that has no string.
struct LzwTables {
    const std::uint8_t* from[kCodes];
    std::uint16_t length[kCodes];
    std::uint16_t prefix[kCodes];
    std::uint8_t suffix[kCodes];
    std::uint8_t first[kCodes];
    std::uint8_t stack[kCodes + 8];
};

namespace {

enum class Stop { NeedData, End, Broken, SinkFull };

bool validCodeSpace(const LzwState& s)
{
    return s.maxWidth >= 3 && s.maxWidth <= kLzwMaxWidth && s.initialWidth >= 2 &&
           s.initialWidth <= s.maxWidth && s.highestRoot >= 1 && s.highestRoot <= 255 &&
           s.clearCode > s.highestRoot && s.endCode > s.highestRoot && s.firstFree > s.clearCode &&
           s.firstFree > s.endCode && s.firstFree < (1 << s.initialWidth) &&
           (s.bitOrder == kLzwLsbFirst || s.bitOrder == kLzwMsbFirst);
}

void LzwReset(LzwState* s)
{
    LzwTables* t = s->tables;
    for (int c = 0; c < s->firstFree; ++c) {
        t->suffix[c] = t->first[c] = std::uint8_t(c);
        bool root = c <= s->highestRoot;
        t->from[c] = root ? &kRootBytes[std::size_t(c)] : nullptr;
        t->length[c] = root;
    }
    s->nextFree = s->firstFree;
    s->width = s->initialWidth;
    s->firstPending = true;
}

// The codes of one feed. GIF's are packed from the low bits of each byte up,
// TIFF's from the high bits down; the buffer keeps the next bits at its low
// end for GIF and at its high end for TIFF.
template <bool kMsb>
struct CodeInput {
    std::uint64_t bits;
    int count;
    const std::uint8_t* next;
    const std::uint8_t* end;

    // False when the feed ends before width more bits.
    bool refill(int width)
    {
        if (end - next >= 8) {
            // Eight bytes at once; those only partly taken are read again next
            // time, giving the same bits.
            std::uint64_t word;
            std::memcpy(&word, next, 8);
            if constexpr (kMsb)
                bits |= __builtin_bswap64(word) >> count;
            else
                bits |= word << count;
            next += (63 - count) >> 3;
            count |= 56;
            return true;
        }
        for (; count <= 56 && next < end; ++next, count += 8)
            bits |= kMsb ? std::uint64_t(*next) << (56 - count) : std::uint64_t(*next) << count;
        return count >= width;
    }
    int take(int width)
    {
        int code;
        if constexpr (kMsb) {
            code = int(bits >> (64 - width));
            bits <<= width;
        } else {
            code = int(bits & ((1u << width) - 1));
            bits >>= width;
        }
        count -= width;
        return code;
    }
};

// The output of the callback form. Each method returns false when nothing
// more can be written; add enters previous string + this one's first byte.
struct ChainStrings {
    LzwState* s;
    LzwTables* t;
    std::uint8_t firstByte = 0;

    void output(const std::uint8_t* string, std::size_t length)
    {
        s->output = string;
        s->outputLength = length;
        s->callback(s);
    }
    // Writes the string of code into the end of the stack; returns its start.
    std::uint8_t* push(int code, std::uint8_t* end)
    {
        std::uint8_t* p = end - t->length[code];
        for (std::uint8_t* q = end; q > p; code = t->prefix[code])
            *--q = t->suffix[code];
        return p;
    }
    bool known(int code)
    {
        std::uint8_t* end = t->stack + sizeof t->stack;
        std::uint8_t* string = push(code, end);
        firstByte = string[0];
        output(string, std::size_t(end - string));
        return true;
    }
    // The code not yet in the table: the previous string and its own first byte.
    bool repeat()
    {
        std::uint8_t* end = t->stack + sizeof t->stack;
        end[-1] = t->first[s->previous];
        std::uint8_t* string = push(s->previous, end - 1);
        firstByte = string[0];
        output(string, std::size_t(end - string));
        return true;
    }
    void add(int code)
    {
        t->prefix[code] = std::uint16_t(s->previous);
        t->suffix[code] = firstByte;
        t->first[code] = t->first[s->previous];
        t->length[code] = std::uint16_t(t->length[s->previous] + 1);
    }
    void next(int code) { s->previous = code; }
};

// Copies count bytes that lie wholly before to in the same buffer, in blocks
// that may run up to kBlock - 1 bytes past count at both ends.
inline void copyInBlocks(std::uint8_t* to, const std::uint8_t* from, std::size_t count)
{
    for (std::size_t done = 0; done < count; done += kBlock) {
        std::uint8_t block[kBlock];
        std::memcpy(block, from + done, kBlock);
        std::memcpy(to + done, block, kBlock);
    }
}

// The output of the sink form: each string is written after the previous.
struct SinkStrings {
    LzwTables* t;
    std::uint8_t* sink;
    std::size_t size;
    std::size_t used;
    std::uint32_t previousLength;
    std::uint32_t length = 0;   // of the string of the code in hand

    // Copies count bytes from `from`, or what fits; false when they did not fit.
    bool copy(const std::uint8_t* from, std::size_t count)
    {
        std::size_t room = size - used;
        if (count + kBlock <= room) {
            copyInBlocks(sink + used, from, count);
        } else if (count <= room) {
            std::memcpy(sink + used, from, count);
        } else {
            std::memcpy(sink + used, from, room);
            length = std::uint32_t(room);
            return false;
        }
        return true;
    }
    bool known(int code)
    {
        length = t->length[code];
        return copy(t->from[code], length);
    }
    bool repeat()
    {
        length = previousLength + 1;
        const std::uint8_t* from = sink + used - previousLength;
        if (!copy(from, previousLength))
            return false;
        if (used + previousLength == size) {
            length = previousLength;
            return false;
        }
        sink[used + previousLength] = *from;
        return true;
    }
    void add(int code)
    {
        t->from[code] = sink + used - previousLength;
        t->length[code] = std::uint16_t(previousLength + 1);
    }
    void next(int)
    {
        used += length;
        previousLength = length;
    }
};

// Once the sink is full: the codes are only checked.
struct NoStrings {
    LzwTables* t;
    bool known(int) { return true; }
    bool repeat() { return true; }
    void add(int code) { t->length[code] = 1; }
    void next(int) {}
};

int widthLimit(const LzwState& s, int width)
{
    return s.bitOrder == kLzwMsbFirst ? (1 << width) - 1 : 1 << width;
}

// Decodes codes until the feed ends or decoding stops.
template <bool kMsb, class Strings>
Stop decodeCodes(LzwState* s, CodeInput<kMsb>& in, Strings& strings)
{
    const std::uint16_t* length = s->tables->length;
    const int firstFree = s->firstFree;
    int width = s->width, nextFree = s->nextFree;
    int limit = widthLimit(*s, width);
    bool first = s->firstPending;
    Stop stop = Stop::NeedData;
    for (;;) {
        if (in.count < width && !in.refill(width))
            break;
        int code = in.take(width);
        bool fits;
        if (code < nextFree && length[code] != 0) {
            fits = strings.known(code);
        } else if (code == nextFree && !first) {
            fits = strings.repeat();
        } else if (code == s->clearCode) {
            nextFree = firstFree;
            width = s->initialWidth;
            limit = widthLimit(*s, width);
            first = true;
            continue;
        } else {
            // Also codes beyond the table, and a first code that is no root.
            stop = code == s->endCode ? Stop::End : Stop::Broken;
            break;
        }
        // A full table is kept, its codes staying as wide, until a clear code.
        if (!first && nextFree < kCodes) {
            strings.add(nextFree);
            if (++nextFree >= limit && width < s->maxWidth)
                limit = widthLimit(*s, ++width);
        }
        first = false;
        strings.next(code);
        if (!fits) {
            stop = Stop::SinkFull;
            break;
        }
    }
    s->width = width;
    s->nextFree = nextFree;
    s->firstPending = first;
    return stop;
}

template <bool kMsb>
Stop decodeFeed(LzwState* s, const std::uint8_t* data, std::size_t length)
{
    CodeInput<kMsb> in{s->bits, s->bitCount, data, data + length};
    Stop stop = Stop::SinkFull;
    if (!s->sink) {
        ChainStrings chain{s, s->tables};
        stop = decodeCodes(s, in, chain);
    } else if (s->sinkUsed < s->sinkSize) {
        SinkStrings sink{s->tables, s->sink, s->sinkSize, s->sinkUsed, s->previousLength};
        stop = decodeCodes(s, in, sink);
        s->sinkUsed = sink.used;
        s->previousLength = sink.previousLength;
    }
    if (stop == Stop::SinkFull) {
        NoStrings none{s->tables};
        stop = decodeCodes(s, in, none);
    }
    s->bits = in.bits;
    s->bitCount = in.count;
    return stop;
}

}

void LzwSetup(LzwState* s, int rootBits, int bitOrder, void* owner, LzwOutputCallback callback)
{
    s->highestRoot = (1 << rootBits) - 1;
    s->clearCode = 1 << rootBits;
    s->endCode = s->clearCode + 1;
    s->firstFree = s->clearCode + 2;
    s->initialWidth = rootBits + 1;
    s->maxWidth = kLzwMaxWidth;
    s->owner = owner;
    s->callback = callback;
    s->bitOrder = bitOrder;
}

void LzwRestart(LzwState* state)
{
    state->bits = 0;
    state->bitCount = 0;
    state->endSeen = false;
    state->broken = false;
    state->previous = -1;
    state->previousLength = 0;
    LzwReset(state);
}

int LzwInit(LzwState* state)
{
    state->tables = validCodeSpace(*state)
                        ? static_cast<LzwTables*>(std::calloc(1, sizeof(LzwTables)))
                        : nullptr;
    if (!state->tables)
        return 0;
    LzwRestart(state);
    return 1;
}

int LzwDecode(LzwState* s, const std::uint8_t* data, std::size_t length)
{
    if (s->broken)
        return 0;
    if (s->endSeen)
        return 1;
    Stop stop = s->bitOrder == kLzwMsbFirst ? decodeFeed<true>(s, data, length)
                                            : decodeFeed<false>(s, data, length);
    s->endSeen = stop == Stop::End;
    s->broken = stop == Stop::Broken;
    return !s->broken;
}

int LzwFree(LzwState* state)
{
    std::free(state->tables);
    state->tables = nullptr;
    return 1;
}

}
