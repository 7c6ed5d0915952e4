#include "addon/convert/html_input.h"

#include "addon/base/print_error.h"

namespace ks::addon {

int ReadHtmlBlock(HtmlCtx* ctx, HtmlReader* r)
{
    std::size_t got = r->inputFailed ? 0 : std::fread(r->block, 1, sizeof r->block, r->file);
    if (got == 0) {
        if (!r->inputFailed && std::ferror(r->file)) {
            r->inputFailed = 1;
            PrintError(ctx, "Error reading the HTML input file.", kErrFile);
        }
        r->endOfInput = 1;
        return 0;
    }
    r->blockFill = static_cast<std::int32_t>(got);
    r->blockPos = 0;
    return 1;
}

int PushHtmlChar(HtmlCtx* ctx, HtmlReader* r)
{
    if (r->pushCount >= kHtmlTextSize)
        return PrintError(ctx, "Out of HTML character stack.", kErrMemory);
    r->pushStack[r->pushCount++] = r->current;
    --r->position;
    return 1;
}

}
