// Horizontal rules: their geometry, inserting one and editing one.
#include "addon/base/dialog_fields.h"
#include "addon/core/html_context.h"
#include "addon/core/para_change.h"
#include "addon/core/para_formatting.h"
#include "addon/core/para_type.h"
#include "addon/core/rule_dialog.h"
#include "platform/editor/vek32.h"

#include <algorithm>

namespace ks::addon {
namespace {

int twipsToPixels(const HtmlCtx& ctx, int twips)
{
    int ppi = ctx.pixelsX > 0 ? ctx.pixelsX : 96;
    return static_cast<int>(static_cast<long long>(twips) * ppi / 1440);
}

// The rule's present values, as the dialog starts from them.
RuleParams currentRule(const HtmlCtx& ctx, const ParaProps& p, int windowPx)
{
    RuleParams r;
    r.thickness = (p.flags & editor::kBorderTop) ? 0 : std::max(1, -p.lineValue / 20);
    r.width = 100;
    if ((p.left || p.right) && windowPx > 0) {
        int indentPx = twipsToPixels(ctx, p.left) + twipsToPixels(ctx, p.right);
        r.width = std::clamp(100 * (windowPx - indentPx) / windowPx, 0, 100);
    }
    r.alignment = (p.left && p.right) ? kParaCentre : p.left ? kParaRight : kParaLeft;
    return r;
}

void applyGeometry(ParaProps& p, const RuleGeometry& g)
{
    p.left = g.left;
    p.right = g.right;
    p.first = g.first;
    p.lineValue = g.lineValue;
    p.ruleValue = g.ruleValue;
    p.flags = g.flags;
}

// The paragraph spacing of a rule, then the rule's own space before.
void ruleSpacing(HtmlCtx& ctx, HWND hWnd, int line, ParaProps& p, const RuleGeometry& g)
{
    GetLineParaInfo(ctx, hWnd, line, static_cast<std::uint32_t>(p.typeWord), &p.before, &p.after);
    p.before = g.before;
}

// The caret line's record, flags and paragraph values, when its flags carry required.
bool readCaretLine(HWND hWnd, unsigned required, EditorInfo& info, unsigned& flags, ParaProps& p)
{
    return readInfo(hWnd, info) && readLineFlags(hWnd, info.caretLine, flags) && (flags & required) &&
           readParaProps(hWnd, info.caretLine, p);
}

// Asks for the rule's values, starting from r; false when cancelled.
bool askRule(HtmlCtx& ctx, RuleParams& r)
{
    std::int32_t* v = ctx.dialog.values;
    v[kRuleValueWidth] = r.width;
    v[kRuleValueThickness] = r.thickness;
    v[kRuleValueAlignment] = r.alignment;
    if (CallDialogBox(&ctx, "RuleParam", RuleParam, 0) != 1)
        return false;
    r = {v[kRuleValueWidth], v[kRuleValueThickness], v[kRuleValueAlignment]};
    return true;
}

}

RuleGeometry GetRuleGeometry(HtmlCtx& ctx, HWND hWnd, int width, int size, int alignment)
{
    RuleGeometry g;
    int thickness = size < 0 ? -size * 20 : size;
    if (thickness) {
        g.ruleValue = editor::kThickRule;
        g.flags = editor::kBorderBottom | editor::kBorderRight;
        g.before = 0;
        g.lineValue = -thickness;
    } else {
        g.flags = editor::kDefaultRule | editor::kBorderTop;
        g.before = 120;
        g.lineValue = -20;
    }
    EditorInfo info;
    int windowPx = readInfo(hWnd, info) ? windowPixels(info) : 0;
    int windowTwips = pixelsToTwips(ctx, windowPx);
    int room = 0;
    if (width < 0) {
        room = std::max(0, windowTwips - std::min(-width, windowTwips));
        g.left = g.right = room / 2;
    } else {
        int percent = std::min(width, 100);
        int half = pixelsToTwips(ctx, windowPx * (100 - percent) / 100 / 2);
        g.left = g.right = half;
    }
    if (alignment == kParaLeft) {
        g.right += g.left;
        g.left = 0;
    } else if (alignment == kParaRight) {
        g.left += g.right;
        g.right = 0;
    }
    return g;
}

int InsertRule(HWND hWnd, int repaint)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    EditorInfo info;
    unsigned flags = 0;
    ParaProps p;
    if (!readCaretLine(hWnd, kLineStartsPara, info, flags, p))
        return 0;
    auto w = static_cast<std::uint32_t>(p.typeWord);
    SetParaHeader(ctx, &w, 0);
    SetParaListType(ctx, &w, kListNone);
    SetParaListLevel(ctx, &w, 0);
    SetParaMiscType(ctx, &w, kMiscRule);
    p.typeWord = static_cast<int>(w);
    p.styleFlags &= ~kStyleNoWrap;
    RuleGeometry g = GetRuleGeometry(*ctx, hWnd, 100, 0, kParaLeft);
    applyGeometry(p, g);
    ruleSpacing(*ctx, hWnd, info.caretLine, p, g);
    int format = makeParaFormat(hWnd, p);
    EditorMoveCaret(hWnd, info.caretLine, 0, 0);
    return EditorInsertParaText(hWnd, "\r\n", 0, format, repaint) ? 1 : 0;
}

int EditRule(HWND hWnd, int widthPercent, int thicknessPoints, int alignment, int repaint)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    EditorInfo info;
    unsigned flags = 0;
    ParaProps p;
    if (!readCaretLine(hWnd, kLineIsRule, info, flags, p))
        return 0;
    RuleParams r{widthPercent, thicknessPoints, alignment};
    if (widthPercent <= 0 || thicknessPoints <= 0) {
        r = currentRule(*ctx, p, windowPixels(info));
        if (!askRule(*ctx, r))
            return 0;
    }
    r.thickness = std::clamp(r.thickness, 0, 50);
    r.width = std::clamp(r.width, 1, 100);
    if (!(r.alignment & (kParaCentre | kParaRight)))
        r.alignment = kParaLeft;
    RuleGeometry g = GetRuleGeometry(*ctx, hWnd, r.width, -r.thickness, r.alignment);
    applyGeometry(p, g);
    ruleSpacing(*ctx, hWnd, info.caretLine, p, g);
    int first = info.caretLine, last = paraEndLine(hWnd, first);
    while (first > 0 && readLineFlags(hWnd, first - 1, flags) && !(flags & (kLineEndsPara | kLineEndsCell)))
        --first;
    EditorApplyParaFormat(hWnd, first, last, makeParaFormat(hWnd, p));
    repaintIf(hWnd, repaint);
    return 1;
}

}
