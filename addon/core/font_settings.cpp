// Font elements and link appearance: every editor font made from them is redefined in
// place, so the text that uses them changes with them.
#include "addon/core/editor_ops.h"
#include "addon/core/font_elements.h"
#include "addon/core/font_settings.h"
#include "addon/core/html_context.h"
#include "addon/core/plx_module.h"
#include "platform/editor/vek32.h"

#include <cstring>

namespace ks::addon {
namespace {

using editor::kObjectStyle;

struct EditorFont {
    char face[32]{};
    int points = 0;
    unsigned style = 0;
    unsigned colour = 0, colour2 = 0;
    int userId = 0;
    int sizeTag = 0;
};

// A text font of the editor's table; false for an object or an entry that cannot be read.
bool readFont(HWND hWnd, int id, EditorFont& f)
{
    if (!EditorGetFontColors(hWnd, id, &f.colour, &f.colour2) ||
        !EditorGetFontData(hWnd, id, &f.style, nullptr, nullptr, &f.userId) ||
        !EditorGetFontInfo(hWnd, id, f.face, &f.points, nullptr) || (f.style & kObjectStyle))
        return false;
    f.sizeTag = EditorGetFontTag(hWnd, id);
    return true;
}

void redefine(HWND hWnd, int id, const EditorFont& f)
{
    if (f.sizeTag)
        EditorSetNextFontTag(hWnd, f.sizeTag);
    EditorCreateFont(hWnd, id, 0, f.face, f.points, f.style, f.colour, f.colour2, 0, f.userId);
}

// Calls change(font) for every text font of the table and redefines it with the result.
template <class Change>
bool refontAll(HWND hWnd, Change&& change)
{
    EditorInfo info;
    if (!readInfo(hWnd, info))
        return false;
    for (int id = 0; id < info.fontCount; ++id) {
        EditorFont f;
        if (readFont(hWnd, id, f) && change(f))
            redefine(hWnd, id, f);
    }
    return true;
}

}

int GetFont(HWND hWnd, int element, char* face, int* points, std::uint32_t* style, COLORREF* colour,
            COLORREF* colour2)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx || element < 0 || element >= kFontElementCount)
        return 0;
    const FontElement& e = ctx->fonts[element];
    if (face)
        std::memcpy(face, e.face, sizeof e.face);
    if (points)
        *points = e.points;
    if (style)
        *style = e.style;
    if (colour)
        *colour = e.colour;
    if (colour2)
        *colour2 = e.colour2;
    return 1;
}

int SetFont(HWND hWnd, int element, const char* face, int points, std::uint32_t style, COLORREF colour,
            COLORREF colour2, int repaint)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx || element < 0 || element >= kFontElementCount)
        return 0;
    FontElement& e = ctx->fonts[element];
    char newFace[sizeof e.face];
    copyCtxText(newFace, face && *face ? face : e.face, sizeof newFace);
    bool changed = refontAll(hWnd, [&](EditorFont& f) {
        int uid = f.userId;
        if (uid != element && uid != element + kLinkFontBase && uid != element + kVariantFontBase)
            return false;
        if (uid != element + kLinkFontBase) {
            f.style = style | (f.style & ~e.style);
            f.colour = colour;
        }
        f.points = HtmlSizeToPoints(*ctx, f.sizeTag, points, element);
        f.sizeTag = 0;   // HtmlSizeToPoints has passed it on to the editor
        copyCtxText(f.face, newFace, sizeof f.face);
        f.colour2 = colour2;
        return true;
    });
    if (!changed)
        return 0;
    std::memcpy(e.face, newFace, sizeof e.face);
    e.points = points;
    e.style = style;
    e.colour = colour;
    e.colour2 = colour2;
    e.created = 0;
    if (repaint)
        EditorRepaint(hWnd, 1);
    return 1;
}

int GetLinkInfo(HWND hWnd, std::uint32_t* style, COLORREF* colour)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    if (style)
        *style = ctx->linkStyle;
    if (colour)
        *colour = ctx->linkColor;
    return 1;
}

int SetLinkInfo(HWND hWnd, std::uint32_t style, COLORREF colour)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    bool changed = refontAll(hWnd, [&](EditorFont& f) {
        if (f.userId < kLinkFontBase || f.userId >= kVariantFontBase)
            return false;
        f.style = style | editor::kLinkText;
        f.colour = colour;
        return true;
    });
    if (!changed)
        return 0;
    ctx->linkStyle = style;
    ctx->linkColor = colour;
    EditorInfo info;
    if (readInfo(hWnd, info))
        EditorSetInfo(hWnd, &info);
    EditorRepaint(hWnd, 1);
    return 1;
}

int SetFontSizeTbl(const int (&points)[7])
{
    if (points[0] <= 0)
        return 0;
    for (int i = 1; i < 7; ++i)
        if (points[i] <= points[i - 1])
            return 0;
    std::copy(points, points + 7, plxModule().fontSizes.begin());
    return 1;
}

}
