// The HTML font size at the caret, and giving the selection (or the typing font) one.
#include "addon/base/dialog_fields.h"
#include "addon/core/editor_ops.h"
#include "addon/core/font_dialogs.h"
#include "addon/core/font_elements.h"
#include "addon/core/font_settings.h"
#include "addon/core/html_context.h"
#include "addon/core/para_change.h"
#include "addon/core/para_type.h"
#include "platform/editor/vek32.h"

#include <algorithm>

namespace ks::addon {
namespace {

constexpr int kNoSelection = 0, kBlockSelection = 2;
constexpr int kAbsoluteBase = 100;

struct SizeChange {
    int size;        // 1..7 absolute (as a size value: + 100), or a relative step
    bool relative;
};

// The new HTML size value of a font whose present value is current.
int newSizeValue(const HtmlCtx& ctx, int current, const SizeChange& change)
{
    if (!change.relative)
        return change.size;
    int from = current > kAbsoluteBase ? current - kAbsoluteBase : ctx.baseFontSize;
    return std::clamp(from + change.size, 1, 7);
}

// The font that a character of font takes in the paragraph's element; font itself for
// hidden link data and objects.
int resized(HtmlCtx& ctx, HWND hWnd, int font, int element, const SizeChange& change)
{
    unsigned style = 0, colour = 0;
    int userId = 0;
    char face[32]{};
    EditorGetFontData(hWnd, font, &style, nullptr, nullptr, &userId);
    if (style & (editor::kHidden | editor::kObjectStyle))
        return font;
    EditorGetFontColors(hWnd, font, &colour, nullptr);
    EditorGetFontInfo(hWnd, font, face, nullptr, nullptr);
    int value = newSizeValue(ctx, EditorGetFontTag(hWnd, font), change);
    if (userId < kLinkFontBase)
        style &= ~ctx.fonts[userId].style;
    else if (userId < kVariantFontBase)
        style = ctx.linkStyle | editor::kLinkText;
    else if (userId < kNoElementFont)
        style &= ~ctx.fonts[userId - kVariantFontBase].style;
    else
        style = 0;
    return GetElementFont(ctx, element, style, colour, userId >= kLinkFontBase, value, face);
}

int paraElement(HWND hWnd, int line)
{
    ParaProps p;
    return readParaProps(hWnd, line, p) ? ParaTypeElement(std::uint32_t(p.typeWord)) : kElemBody;
}

void resizeLine(HtmlCtx& ctx, HWND hWnd, int line, int from, int to, const SizeChange& change)
{
    char chars[302]{};
    std::uint16_t fonts[302]{};
    int count = EditorGetLineText(hWnd, line, chars, fonts);
    int element = paraElement(hWnd, line);
    int previous = -1, mapped = 0;
    for (int i = std::max(from, 0); i < std::min(to, count); ++i) {
        if (fonts[i] != previous)
            mapped = resized(ctx, hWnd, previous = fonts[i], element, change);
        fonts[i] = std::uint16_t(mapped);
    }
    chars[std::max(count, 0)] = 0;
    if (count > 0)
        EditorSetLineText(hWnd, line, chars, fonts);
}

// The size and flag asked for in the dialog, starting from the caret's.
bool askSize(HtmlCtx& ctx, HWND hWnd, int& size, int& relative)
{
    ctx.dialog.values[kFontSizeValue] = GetFontSize(hWnd, &relative);
    ctx.dialog.values[kFontSizeRelative] = relative;
    if (CallDialogBox(&ctx, "FontSizeParam", FontSizeParam, 0) != 1)
        return false;
    size = ctx.dialog.values[kFontSizeValue];
    relative = ctx.dialog.values[kFontSizeRelative];
    return true;
}

}

int GetFontSize(HWND hWnd, int* relative)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    int value = EditorGetFontTag(hWnd, EditorGetCurFont(hWnd));
    bool isRelative = value != 0 && (value <= kAbsoluteBase || value > kAbsoluteBase + 7);
    if (relative)
        *relative = isRelative;
    if (value == 0)
        return 3;
    return isRelative ? std::clamp(value, -7, 7) : value - kAbsoluteBase;
}

int SetFontSize(HWND hWnd, int size, int relative, int repaint)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    if ((size == 0 || size < -7 || size > 7) && !askSize(*ctx, hWnd, size, relative))
        return 0;
    size = std::min(size, 7);
    if (relative && size == 0)
        return 1;
    SizeChange change{relative ? std::max(size, -7) : std::max(size, 1) + kAbsoluteBase, relative != 0};
    EditorPrepareEdit(hWnd);
    EditorInfo info;
    if (!readInfo(hWnd, info) || (info.selectionKind != kNoSelection && info.selectionKind != kBlockSelection))
        return 0;
    if (info.selectionKind == kNoSelection) {
        int font = EditorGetCurFont(hWnd);
        EditorSetCurFont(hWnd, resized(*ctx, hWnd, font, paraElement(hWnd, info.caretLine), change));
        return 1;
    }
    forSelectedLines(hWnd, info, [&](int line, int from, int to) { resizeLine(*ctx, hWnd, line, from, to, change); });
    if (repaint)
        EditorRepaintParas(hWnd, 0);
    return 1;
}

}
