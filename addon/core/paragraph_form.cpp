#include "addon/core/paragraph_form.h"

#include "addon/core/editor_ops.h"
#include "addon/core/para_type.h"

#include <algorithm>
#include <cstdint>

namespace ks::addon {

int FormTextNumber(HWND hWnd, int line)
{
    ParaProps p;
    return readParaProps(hWnd, line, p) && (static_cast<std::uint32_t>(p.typeWord) & kParaInForm) ? p.formNumber : -1;
}

int ParagraphForm(const HtmlCtx& ctx, HWND hWnd, int line)
{
    int form = FormTextNumber(hWnd, line) - 1;
    return form >= 0 && form < std::min(ctx.formCount, kFormCount) ? form : -1;
}

}
