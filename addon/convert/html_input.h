#pragma once
// The reader's characters: from a memory block, or from a file in 300-byte blocks,
// with a push-back stack in front of both. Each call handles one character.
#include "addon/convert/html_reader.h"

#include <cstring>

namespace ks::addon {

// Reads the next 300-byte block of a file input; 0 at its end or after a read error
// ("Error reading the HTML input file.", code 5), which ends the input there.
int ReadHtmlBlock(HtmlCtx* ctx, HtmlReader* r);

// 1 with the next character in r->current; 0 at the end of the input.
inline int GetHtmlChar(HtmlCtx* ctx, HtmlReader* r)
{
    if (r->pushCount > 0) {
        r->current = r->pushStack[--r->pushCount];
        ++r->position;
        return 1;
    }
    r->endOfInput = 0;
    if (!r->file) {
        if (r->memoryLength >= 0 && r->memoryPos >= r->memoryLength) {
            r->endOfInput = 1;
            return 0;
        }
        r->current = r->memory[r->memoryPos++];
        ++r->position;
        return 1;
    }
    if (r->blockPos >= r->blockFill && !ReadHtmlBlock(ctx, r))
        return 0;
    r->current = r->block[r->blockPos++];
    ++r->position;
    return 1;
}

// Pushes r->current back; "Out of HTML character stack." (code 1) and 0 when full.
int PushHtmlChar(HtmlCtx* ctx, HtmlReader* r);

// The characters ahead that are not stops, as GetHtmlChar would give them one by one:
// up to room of them are copied to out (when out is not null) and consumed; the count is
// returned. Only what the current memory or file block holds is taken, and nothing while
// characters are pushed back; r->current becomes the last one taken.
template <class Stops>
int TakeHtmlRun(HtmlReader* r, char* out, int room, const Stops& stops)
{
    if (r->pushCount > 0 || room <= 0)
        return 0;
    const char* from;
    std::int32_t available;
    if (!r->file) {
        from = r->memory + r->memoryPos;
        available = r->memoryLength >= 0 ? r->memoryLength - r->memoryPos : room;
    } else {
        from = r->block + r->blockPos;
        available = r->blockFill - r->blockPos;
    }
    int n = 0;
    int limit = available < room ? int(available) : room;
    while (n < limit && !stops[static_cast<unsigned char>(from[n])])
        ++n;
    if (n == 0)
        return 0;
    if (out)
        std::memcpy(out, from, std::size_t(n));
    if (!r->file)
        r->memoryPos += n;
    else
        r->blockPos += n;
    r->position += std::uint32_t(n);
    r->current = from[n - 1];
    r->endOfInput = 0;
    return n;
}

}
