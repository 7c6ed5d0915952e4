#include "addon/core/para_change.h"

#include "addon/core/html_context.h"
#include "addon/core/para_type.h"
#include "platform/editor/vek32.h"

namespace ks::addon {

int paraEndLine(HWND hWnd, int line)
{
    unsigned flags = 0;
    while (readLineFlags(hWnd, line, flags) && !(flags & (kLineEndsPara | kLineEndsCell)) &&
           readLineFlags(hWnd, line + 1, flags))
        ++line;
    return line;
}

void applyParaChange(HtmlCtx& ctx, HWND hWnd, int first, int last, std::uint32_t oldWord, ParaChange& change)
{
    ParaProps& p = change.props;
    std::uint32_t newWord = static_cast<std::uint32_t>(p.typeWord);
    GetLineParaInfo(ctx, hWnd, first, newWord, &p.before, &p.after);
    int format = change.listFormat >= 0 ? makeParaFormatEx(hWnd, p, change.listFormat) : makeParaFormat(hWnd, p);
    EditorApplyParaFormat(hWnd, first, last, format);
    for (int line = first; line <= last; ++line)
        ApplyParaType(ctx, hWnd, line, oldWord, newWord);
}

int changeSelectedParas(HtmlCtx& ctx, HWND hWnd, const std::function<bool(ParaChange&)>& change)
{
    int first = 0, last = 0;
    if (!GetParaRange(ctx, hWnd, -1, &first, &last))
        return 0;
    SelectionKeeper keep(hWnd);
    for (int line = first; line <= last;) {
        int end = paraEndLine(hWnd, line);
        ParaChange c;
        c.hWnd = hWnd;
        if (EditorCheckPara(hWnd, line) && readParaProps(hWnd, line, c.props)) {
            std::uint32_t oldWord = static_cast<std::uint32_t>(c.props.typeWord);
            if (GetParaMiscType(&ctx, oldWord) != kMiscRule && change(c))
                applyParaChange(ctx, hWnd, line, end, oldWord, c);
        }
        line = end + 1;
    }
    return 1;
}

int refuseBadArgument(HWND hWnd)
{
    RequireHtmlCtx(&hWnd, true);
    return 0;
}

void repaintIf(HWND hWnd, int repaint)
{
    if (repaint)
        EditorRepaintParas(hWnd, 0);
}

}
