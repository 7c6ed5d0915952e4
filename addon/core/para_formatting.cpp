// Headers, block quote, address, preformatted text, normal paragraphs and lists.
#include "addon/core/para_formatting.h"

#include "addon/core/html_context.h"
#include "addon/core/para_change.h"
#include "addon/core/para_type.h"
#include "platform/editor/vek32.h"

namespace ks::addon {
namespace {

constexpr int kListIndent = 300;   // twips a list level

std::uint32_t word(const ParaProps& p) { return static_cast<std::uint32_t>(p.typeWord); }
void setWord(ParaProps& p, std::uint32_t w) { p.typeWord = static_cast<int>(w); }

template <class Body>
int withParas(HWND hWnd, int repaint, Body&& body)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    int result = changeSelectedParas(*ctx, hWnd, [&](ParaChange& c) { return body(*ctx, c); });
    repaintIf(hWnd, repaint);
    return result;
}

void showMarker(ParaProps& p, int type)
{
    setWord(p, word(p) | kParaMarkerShown);
    if (type != kListDef) {
        p.flags |= kParaMarker;
        p.first = -kListIndent;
    }
}

void hideMarker(ParaProps& p)
{
    setWord(p, word(p) & ~kParaMarkerShown);
    p.flags &= ~kParaMarker;
    p.first = 0;
}

int listIndent(int type, int level) { return (type == kListDef ? level : level + 1) * kListIndent; }

struct ListRequest {
    int type, level, part, numbering;
};

bool changeList(HtmlCtx& ctx, HWND hWnd, ParaChange& c, const ListRequest& r)
{
    ParaProps& p = c.props;
    p.styleFlags &= ~kStyleNoWrap;
    std::uint32_t w = word(p);
    int type = GetParaListType(&ctx, w);
    if (r.type) {
        if (r.type != type) {
            w |= kParaMarkerShown;
            if (r.type != kListDef) {
                p.flags |= kParaMarker;
                p.first = -kListIndent;
            } else {
                p.flags &= ~kParaMarker;
            }
        }
        type = r.type;
        SetParaListType(&ctx, &w, type);
        int level = GetParaListLevel(&ctx, w);
        if (level < 1 || level > 7)
            SetParaListLevel(&ctx, &w, level = 1);
        p.left = listIndent(type, level);
    } else if (type != kListOrdered && type != kListUnordered && type != kListDef) {
        return false;
    }
    if (r.level > 0) {
        SetParaListLevel(&ctx, &w, r.level);
        p.left = listIndent(type, r.level);
    }
    if (type == kListDef && r.part == 1) {
        w |= kParaDefTerm;
        p.first = -kListIndent;
    } else if (type == kListDef && r.part == 2) {
        w &= ~kParaDefTerm;
        p.first = 0;
    }
    setWord(p, w);
    if (r.type == 0 && r.level == 0) {
        if (w & kParaMarkerShown)
            hideMarker(p);
        else
            showMarker(p, type);
    }
    bool numbered = type == kListOrdered && (word(p) & kParaMarkerShown);
    c.listFormat = numbered ? EditorMakeListFormat(hWnd, 0, 1, GetParaListLevel(&ctx, word(p)), r.numbering) : 0;
    return true;
}

}

int SetHeader(HWND hWnd, int level, int repaint)
{
    if (level < 0 || level > 7) {
        return refuseBadArgument(hWnd);
    }
    return withParas(hWnd, repaint, [&](HtmlCtx& ctx, ParaChange& c) {
        std::uint32_t w = word(c.props);
        SetParaHeader(&ctx, &w, level);
        SetParaMiscType(&ctx, &w, kMiscNone);
        setWord(c.props, w);
        c.props.styleFlags &= ~kStyleNoWrap;
        return true;
    });
}

int SetMiscParaType(HWND hWnd, int type, int repaint)
{
    if (type != kMiscBlockQuote && type != kMiscAddress && type != kMiscPre) {
        return refuseBadArgument(hWnd);
    }
    return withParas(hWnd, repaint, [&](HtmlCtx& ctx, ParaChange& c) {
        std::uint32_t w = word(c.props);
        SetParaHeader(&ctx, &w, 0);
        SetParaListType(&ctx, &w, kListNone);
        SetParaListLevel(&ctx, &w, 0);
        SetParaMiscType(&ctx, &w, type);
        setWord(c.props, w);
        if (type == kMiscPre)
            c.props.styleFlags |= kStyleNoWrap;
        else
            c.props.styleFlags &= ~kStyleNoWrap;
        return true;
    });
}

int ParaNormal(HWND hWnd, int repaint)
{
    return withParas(hWnd, repaint, [&](HtmlCtx& ctx, ParaChange& c) {
        ParaProps& p = c.props;
        std::uint32_t w = word(p) & ~(kParaMarkerShown | kParaDefTerm);
        SetParaHeader(&ctx, &w, 0);
        SetParaListType(&ctx, &w, kListNone);
        SetParaListLevel(&ctx, &w, 0);
        SetParaMiscType(&ctx, &w, kMiscNone);
        setWord(p, w);
        p.left = p.first = 0;
        p.flags = (p.flags & ~(kParaCentre | kParaRight | kParaMarker | kParaJustify)) | kParaLeft;
        p.styleFlags &= ~kStyleNoWrap;
        return true;
    });
}

int SetListEx(HWND hWnd, int type, int level, int part, int numbering, int repaint)
{
    bool typeOk = type == 0 || type == kListOrdered || type == kListUnordered || type == kListDef;
    if (!typeOk || level < 0 || level > 7 || part < 0 || part > 2) {
        return refuseBadArgument(hWnd);
    }
    ListRequest request{type, level, part, numbering == 1 || numbering == 2 ? numbering : 0};
    return withParas(hWnd, repaint, [&](HtmlCtx& ctx, ParaChange& c) { return changeList(ctx, c.hWnd, c, request); });
}

}
