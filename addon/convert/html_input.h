#pragma once
// The reader's characters: from a memory block, or from a file in 300-byte blocks,
// with a push-back stack in front of both. Each call handles one character.
#include "addon/convert/html_reader.h"

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

}
