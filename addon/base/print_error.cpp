#include "addon/base/print_error.h"

#include "addon/base/message_sink.h"

namespace ks::addon {

int PrintError(HtmlCtx* ctx, const char* message, int code)
{
    if (ctx)
        ctx->lastError = code;
    showMessage(nullptr, message, "Error");
    return 0;
}

}
