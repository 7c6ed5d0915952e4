// Changing a font element through the system's font dialog, and link appearance through
// its own dialog.
#include "addon/base/dialog_fields.h"
#include "addon/core/font_dialogs.h"
#include "addon/core/font_settings.h"
#include "addon/core/html_context.h"
#include "addon/core/plx_module.h"

#include <cstring>

namespace ks::addon {
namespace {

constexpr unsigned kUnderline = 1, kBold = 2, kItalic = 4, kStrike = 8;

LOGFONT logFontOf(const FontElement& e)
{
    LOGFONT lf;
    lf.lfHeight = -(e.points * kLogicalPixelsPerInch / 72);
    lf.lfWeight = (e.style & kBold) ? 700 : 400;
    lf.lfItalic = (e.style & kItalic) != 0;
    lf.lfUnderline = (e.style & kUnderline) != 0;
    lf.lfStrikeOut = (e.style & kStrike) != 0;
    copyCtxText(lf.lfFaceName, e.face, sizeof lf.lfFaceName);
    return lf;
}

std::uint32_t styleOf(const LOGFONT& lf)
{
    return (lf.lfWeight > 500 ? kBold : 0) | (lf.lfItalic ? kItalic : 0) | (lf.lfUnderline ? kUnderline : 0) |
           (lf.lfStrikeOut ? kStrike : 0);
}

}

int SetFontDlg(HWND hWnd, int element)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    if (element < 0 || element >= kFontElementCount) {
        element = int(CallDialogBox(ctx, "SelectFontElement", SelectFontElement, 0));
        if (element < 0 || element >= kFontElementCount)
            return 1;
    }
    const FontElement& e = ctx->fonts[element];
    LOGFONT lf = logFontOf(e);
    CHOOSEFONT request;
    request.hwndOwner = hWnd;
    request.lpLogFont = &lf;
    request.Flags = CF_SCREENFONTS | CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    request.rgbColors = e.colour;
    if (!ChooseFont(&request))
        return 0;
    return SetFont(hWnd, element, lf.lfFaceName, request.iPointSize / 10, styleOf(lf), request.rgbColors, e.colour2,
                   1);
}

int SetLinkInfoDlg(HWND hWnd)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    if (CallDialogBox(ctx, "SelectLinkAttrib", SelectLinkAttrib, 0) != 1)
        return 1;
    return SetLinkInfo(hWnd, std::uint32_t(ctx->dialog.values[kLinkAttribStyle]),
                       COLORREF(ctx->dialog.values[kLinkAttribColour]));
}

}
