// Character types of the selected text (Example, Variables, Keyboard Input, ...).
#include "addon/core/font_elements.h"
#include "addon/core/html_context.h"
#include "addon/core/para_change.h"
#include "addon/core/para_formatting.h"
#include "addon/core/para_type.h"
#include "platform/editor/vek32.h"

#include <algorithm>

namespace ks::addon {
namespace {

constexpr int kSelectionText = 2;

int paraElementOf(HWND hWnd, int line)
{
    ParaProps p;
    return readParaProps(hWnd, line, p) ? ParaTypeElement(static_cast<std::uint32_t>(p.typeWord)) : kElemBody;
}

// The font a character of the given font takes in the target element.
int refont(HtmlCtx& ctx, HWND hWnd, int font, int element)
{
    unsigned style = 0, colour = 0, colour2 = 0;
    int userId = 0;
    if (!EditorGetFontData(hWnd, font, &style, nullptr, nullptr, &userId) || (style & (editor::kHidden | editor::kObjectStyle)))
        return font;
    EditorGetFontColors(hWnd, font, &colour, &colour2);
    int htmlSize = EditorGetFontTag(hWnd, font);
    if (userId >= kLinkFontBase && userId < kVariantFontBase) {
        style = ctx.linkStyle | editor::kLinkText;
        colour = ctx.linkColor;
    } else if (userId < kNoElementFont) {
        int own = std::clamp(userId < kLinkFontBase ? userId : userId - kVariantFontBase, 0, kFontElementCount - 1);
        style &= ~ctx.fonts[own].style;
    } else {
        style = 0;
    }
    return GetElementFont(ctx, element, style, colour, userId >= kLinkFontBase ? 1 : 0, htmlSize, nullptr);
}

void refontLine(HtmlCtx& ctx, HWND hWnd, int line, int from, int to, int element)
{
    char chars[302]{};
    std::uint16_t fonts[302]{};
    int count = EditorGetLineChars(hWnd, line, chars, fonts);
    int target = element ? element : paraElementOf(hWnd, line);
    int previous = -1, mapped = 0;
    for (int i = std::max(from, 0); i < std::min(to, count); ++i) {
        if (fonts[i] != previous) {
            previous = fonts[i];
            mapped = refont(ctx, hWnd, previous, target);
        }
        fonts[i] = static_cast<std::uint16_t>(mapped);
    }
    chars[count] = 0;
    if (count > 0)
        EditorSetLineChars(hWnd, line, chars, fonts);
}

}

int SetMiscCharType(HWND hWnd, int element, int repaint)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    if (element != kElemBody && (element < kElemExample || element > kElemTypewriter))
        return 0;
    EditorPrepareEdit(hWnd);
    EditorInfo info;
    if (!readInfo(hWnd, info) || info.selectionKind != kSelectionText)
        return 0;
    forSelectedLines(hWnd, info, [&](int line, int from, int to) { refontLine(*ctx, hWnd, line, from, to, element); });
    repaintIf(hWnd, repaint);
    return 1;
}

}
