#include "addon/convert/lzw.h"

#include "addon/core/allocators.h"
#include "addon/core/print_error.h"

#include <algorithm>
#include <cstring>

namespace ks::addon {

namespace {
constexpr int kCodes = 1 << kLzwMaxWidth;
}

// Each code's string is its prefix's string plus one byte; the length lets a
// string be written back to front into the stack in one pass.
struct LzwTables {
    std::uint16_t prefix[kCodes];
    std::uint16_t length[kCodes];
    std::uint8_t suffix[kCodes];
    std::uint8_t first[kCodes];
    std::uint8_t stack[kCodes + 8];
};

namespace {

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
    for (int c = 0; c <= s->highestRoot; ++c) {
        t->suffix[c] = t->first[c] = std::uint8_t(c);
        t->length[c] = 1;
    }
    s->nextFree = s->firstFree;
    s->width = s->initialWidth;
    s->firstPending = true;
}

void LzwOutput(LzwState* s, const std::uint8_t* string, std::size_t length)
{
    if (s->sink) {
        std::size_t take = std::min(length, s->sinkSize - s->sinkUsed);
        std::memcpy(s->sink + s->sinkUsed, string, take);
        s->sinkUsed += take;
        return;
    }
    s->output = string;
    s->outputLength = length;
    s->callback(s);
}

void LzwAddEntry(LzwState* s, int prefix, std::uint8_t byte)
{
    if (s->nextFree >= kCodes)
        return;   // table full: codes stay 12 bits until a clear code
    LzwTables* t = s->tables;
    t->prefix[s->nextFree] = std::uint16_t(prefix);
    t->suffix[s->nextFree] = byte;
    t->first[s->nextFree] = t->first[prefix];
    t->length[s->nextFree] = std::uint16_t(t->length[prefix] + 1);
    ++s->nextFree;
    int limit = s->bitOrder == kLzwMsbFirst ? (1 << s->width) - 1 : 1 << s->width;
    if (s->nextFree >= limit && s->width < s->maxWidth)
        ++s->width;
}

// Writes the string of code into the end of the stack; returns its start.
std::uint8_t* LzwPushString(LzwTables* t, int code, std::uint8_t* end)
{
    std::uint8_t* p = end - t->length[code];
    for (std::uint8_t* q = end; q > p; code = t->prefix[code])
        *--q = t->suffix[code];
    return p;
}

// Handles one code; false when the stream is broken.
bool LzwCode(LzwState* s, int code)
{
    if (code == s->clearCode) {
        LzwReset(s);
        return true;
    }
    if (code == s->endCode) {
        s->endSeen = true;
        return true;
    }
    LzwTables* t = s->tables;
    if (s->firstPending) {
        if (code > s->highestRoot)
            return false;
        t->stack[0] = std::uint8_t(code);
        LzwOutput(s, t->stack, 1);
        s->previous = code;
        s->firstPending = false;
        return true;
    }
    if (code < s->nextFree && s->sink && t->length[code] <= s->sinkSize - s->sinkUsed) {
        // Straight into the caller's buffer, without the stack.
        std::uint8_t* string = LzwPushString(t, code, s->sink + s->sinkUsed + t->length[code]);
        s->sinkUsed += t->length[code];
        LzwAddEntry(s, s->previous, string[0]);
        s->previous = code;
        return true;
    }
    std::uint8_t* end = t->stack + sizeof t->stack;
    std::uint8_t* string;
    if (code < s->nextFree) {
        string = LzwPushString(t, code, end);
    } else if (code == s->nextFree) {
        // Not yet in the table: the previous string followed by its own first byte.
        *--end = t->first[s->previous];
        string = LzwPushString(t, s->previous, end);
    } else {
        return false;
    }
    std::size_t length = std::size_t(t->stack + sizeof t->stack - string);
    LzwAddEntry(s, s->previous, string[0]);
    LzwOutput(s, string, length);
    s->previous = code;
    return true;
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

int LzwInit(LzwState* state)
{
    state->tables = validCodeSpace(*state)
                        ? static_cast<LzwTables*>(OurAlloc(sizeof(LzwTables)))
                        : nullptr;
    if (!state->tables)
        return PrintError(nullptr, "Ran out of memory", kErrLzwMemory);
    state->bits = 0;
    state->bitCount = 0;
    state->endSeen = false;
    state->broken = false;
    state->previous = -1;
    LzwReset(state);
    return 1;
}

int LzwDecode(LzwState* s, const std::uint8_t* data, std::size_t length)
{
    if (s->broken)
        return 0;
    const bool lsbFirst = s->bitOrder == kLzwLsbFirst;
    std::uint64_t bits = s->bits;
    int count = s->bitCount;
    std::size_t i = 0;
    while (!s->endSeen) {
        // Up to 56 bits buffered; bits above them have been consumed.
        for (; count <= 56 && i < length; ++i, count += 8)
            bits = lsbFirst ? bits | std::uint64_t(data[i]) << count : bits << 8 | data[i];
        if (count < s->width)
            break;
        int code;
        if (lsbFirst) {
            code = int(bits & ((1u << s->width) - 1));
            bits >>= s->width;
        } else {
            code = int((bits >> (count - s->width)) & ((1u << s->width) - 1));
        }
        count -= s->width;
        if (!LzwCode(s, code)) {
            s->broken = true;
            return 0;
        }
    }
    s->bits = bits;
    s->bitCount = count;
    return 1;
}

int LzwFree(LzwState* state)
{
    OurFree(state->tables);
    state->tables = nullptr;
    return 1;
}

}
