// The link data run: building its text, and reading it back at the caret.
#include "addon/convert/html_attributes.h"
#include "addon/core/html_context.h"
#include "addon/core/link_edit.h"
#include "platform/editor/vek32.h"

#include <cstdio>
#include <string>

namespace ks::addon {

void BuildLinkData(const char* href, const char* name, const char* target, char* out)
{
    std::string data;
    for (auto [key, value] : {std::pair{"href=", href}, {"name=", name}, {"target=", target}})
        if (value && *value)
            data += (data.empty() ? "" : " ") + std::string(key) + '"' + value + '"';
    std::snprintf(out, kCtxTextSize, "%s", data.c_str());
}

int GetLinkDataEx(HWND hWnd, char* href, char* name, char* target)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    char run[kCtxTextSize]{};
    int line = 0, col = 0;
    if (EditorGetHiddenRun(hWnd, run, &line, &col) <= 0)
        return 0;
    for (auto [key, out] : {std::pair{"HREF", href}, {"NAME", name}, {"TARGET", target}})
        if (out)
            GetHtmlAttrib(ctx, run, key, out);
    return 1;
}

}
