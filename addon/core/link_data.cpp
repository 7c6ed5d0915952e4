// The link data run: building its text, and reading it back at the caret.
#include "addon/convert/html_attributes.h"
#include "addon/core/html_context.h"
#include "addon/core/editor_ops.h"
#include "addon/core/link_edit.h"
#include "addon/core/plx_module.h"
#include "platform/editor/vek32.h"

#include <string>

namespace ks::addon {

std::string BuildLinkData(const char* href, const char* name, const char* target)
{
    std::string data;
    for (auto [key, value] : {std::pair{"href=", href}, {"name=", name}, {"target=", target}})
        if (value && *value)
            data += (data.empty() ? "" : " ") + std::string(key) + '"' + value + '"';
    return data;
}

int GetLinkDataEx(HWND hWnd, char* href, char* name, char* target)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    std::string run, value;
    if (!readHiddenRun(hWnd, run))
        return 0;
    for (auto [key, out] : {std::pair{"HREF", href}, {"NAME", name}, {"TARGET", target}})
        if (out) {
            GetHtmlAttrib(ctx, run.c_str(), key, value);
            copyCtxText(out, value.c_str());
        }
    return 1;
}

}
