#pragma once
// The reader's characters: from a memory block, or from a file in 300-byte blocks,
// with a push-back stack in front of both. Each call handles one character.
#include "addon/convert/html_tokenizer_state.h"

#include <bit>
#include <cstring>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ks::addon {

// Reads the next 300-byte block of a file input; 0 at its end or after a read error
// ("Error reading the HTML input file.", code 5), which ends the input there.
int ReadHtmlBlock(HtmlCtx* ctx, HtmlTokenizer* t);

// 1 with the next character in t->current; 0 at the end of the input.
inline int GetHtmlChar(HtmlCtx* ctx, HtmlTokenizer* t)
{
    if (t->pushCount > 0) {
        t->current = t->pushStack[--t->pushCount];
        ++t->position;
        return 1;
    }
    t->endOfInput = 0;
    if (!t->file) {
        if (t->memoryLength >= 0 && t->memoryPos >= t->memoryLength) {
            t->endOfInput = 1;
            return 0;
        }
        t->current = t->memory[t->memoryPos++];
        ++t->position;
        return 1;
    }
    if (t->blockPos >= t->blockFill && !ReadHtmlBlock(ctx, t))
        return 0;
    t->current = t->block[t->blockPos++];
    ++t->position;
    return 1;
}

// Pushes t->current back; "Out of HTML character stack." (code 1) and 0 when full.
int PushHtmlChar(HtmlCtx* ctx, HtmlTokenizer* t);

// Characters that end a stretch of plain characters: the control characters (below 0x20,
// and 0x7F) and up to three others.
struct HtmlStops {
    char special[3];

    constexpr explicit HtmlStops(const char* chars) : special{chars[0], chars[0], chars[0]}
    {
        for (int i = 1; i < 3 && chars[i]; ++i)
            special[i] = chars[i];
    }
    bool operator[](unsigned char c) const
    {
        return c < 0x20 || c == 0x7F || c == special[0] || c == special[1] || c == special[2];
    }
};

// The index of the first stop among the length characters at from, or length. Sixteen
// characters are looked at together: most words end inside the first sixteen.
inline int firstHtmlStop(const char* from, int length, const HtmlStops& stops)
{
    int n = 0;
#if defined(__SSE2__)
    const __m128i controls = _mm_set1_epi8(0x1F), del = _mm_set1_epi8(0x7F);
    const __m128i s0 = _mm_set1_epi8(stops.special[0]), s1 = _mm_set1_epi8(stops.special[1]),
                  s2 = _mm_set1_epi8(stops.special[2]);
    for (; n + 16 <= length; n += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + n));
        // Unsigned c <= 0x1F exactly when max(c, 0x1F) is 0x1F.
        __m128i hit = _mm_or_si128(_mm_cmpeq_epi8(_mm_max_epu8(v, controls), controls), _mm_cmpeq_epi8(v, del));
        hit = _mm_or_si128(hit, _mm_or_si128(_mm_cmpeq_epi8(v, s0), _mm_or_si128(_mm_cmpeq_epi8(v, s1),
                                                                                    _mm_cmpeq_epi8(v, s2))));
        if (unsigned found = unsigned(_mm_movemask_epi8(hit)))
            return n + std::countr_zero(found);
    }
#endif
    while (n < length && !stops[static_cast<unsigned char>(from[n])])
        ++n;
    return n;
}

// The characters ahead that are not stops, as GetHtmlChar would give them one by one:
// up to room of them are copied to out (when out is not null) and consumed; the count is
// returned. Only what the current memory or file block holds is taken, and nothing while
// characters are pushed back; t->current becomes the last one taken.
inline int TakeHtmlRun(HtmlTokenizer* t, char* out, int room, const HtmlStops& stops)
{
    if (t->pushCount > 0 || room <= 0)
        return 0;
    const char* from;
    std::int32_t available;
    if (!t->file) {
        from = t->memory + t->memoryPos;
        available = t->memoryLength >= 0 ? t->memoryLength - t->memoryPos : room;
    } else {
        from = t->block + t->blockPos;
        available = t->blockFill - t->blockPos;
    }
    int limit = available < room ? int(available) : room;
    int n = firstHtmlStop(from, limit, stops);
    if (n == 0)
        return 0;
    if (out)
        std::memcpy(out, from, std::size_t(n));
    if (!t->file)
        t->memoryPos += n;
    else
        t->blockPos += n;
    t->position += std::uint32_t(n);
    t->current = from[n - 1];
    t->endOfInput = 0;
    return n;
}

// The same stretch, consumed but left where it is: for a reader that copies it on itself.
inline std::string_view TakeHtmlStretch(HtmlTokenizer* t, int room, const HtmlStops& stops)
{
    if (t->pushCount > 0)
        return {};
    const char* from = t->file ? t->block + t->blockPos : t->memory + t->memoryPos;
    return {from, std::size_t(TakeHtmlRun(t, nullptr, room, stops))};
}

}
