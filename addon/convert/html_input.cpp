#include "addon/convert/html_input.h"

#include "addon/base/print_error.h"

namespace ks::addon {

int ReadHtmlBlock(HtmlCtx* ctx, HtmlTokenizer* t)
{
    std::size_t got = t->inputFailed ? 0 : std::fread(t->block, 1, sizeof t->block, t->file);
    if (got == 0) {
        if (!t->inputFailed && std::ferror(t->file)) {
            t->inputFailed = 1;
            PrintError(ctx, "Error reading the HTML input file.", kErrFile);
        }
        t->endOfInput = 1;
        return 0;
    }
    t->blockFill = static_cast<std::int32_t>(got);
    t->blockPos = 0;
    return 1;
}

int PushHtmlChar(HtmlCtx* ctx, HtmlTokenizer* t)
{
    if (t->pushCount >= kHtmlTextSize)
        return PrintError(ctx, "Out of HTML character stack.", kErrMemory);
    t->pushStack[t->pushCount++] = t->current;
    --t->position;
    return 1;
}

}
