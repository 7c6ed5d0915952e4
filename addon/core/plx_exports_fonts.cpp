// The font exports: C linkage over the library's functions.
#include "addon/core/font_settings.h"
#include "addon/core/plx32.h"

using namespace ks::addon;

extern "C" {

int PlxGetFont(HWND hWnd, int element, char* face, int* points, std::uint32_t* style, std::uint32_t* colour,
               std::uint32_t* colour2)
{
    return GetFont(hWnd, element, face, points, style, colour, colour2);
}
int PlxSetFont(HWND hWnd, int element, const char* face, int points, std::uint32_t style, std::uint32_t colour,
               std::uint32_t colour2, int repaint)
{
    return SetFont(hWnd, element, face, points, style, colour, colour2, repaint);
}
int PlxSetFontDlg(HWND hWnd, int element) { return SetFontDlg(hWnd, element); }
int PlxGetLinkInfo(HWND hWnd, std::uint32_t* style, std::uint32_t* colour) { return GetLinkInfo(hWnd, style, colour); }
int PlxSetLinkInfo(HWND hWnd, std::uint32_t style, std::uint32_t colour) { return SetLinkInfo(hWnd, style, colour); }
int PlxSetLinkInfoDlg(HWND hWnd) { return SetLinkInfoDlg(hWnd); }
int PlxSetFontSizeTbl(int size1, int size2, int size3, int size4, int size5, int size6, int size7)
{
    return SetFontSizeTbl({size1, size2, size3, size4, size5, size6, size7});
}
int PlxGetFontSize(HWND hWnd, int* relative) { return GetFontSize(hWnd, relative); }
int PlxSetFontSize(HWND hWnd, int size, int relative, int repaint) { return SetFontSize(hWnd, size, relative, repaint); }

}
