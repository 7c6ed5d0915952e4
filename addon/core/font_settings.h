#pragma once
// Changing font elements, link appearance and the HTML font size table, and the
// HTML font size of the selection; the dialogs that ask for them.
#include "addon/base/html_ctx.h"

namespace ks::addon {

int GetFont(HWND hWnd, int element, char* face, int* points, std::uint32_t* style, COLORREF* colour,
            COLORREF* colour2);
int SetFont(HWND hWnd, int element, const char* face, int points, std::uint32_t style, COLORREF colour,
            COLORREF colour2, int repaint);
int SetFontDlg(HWND hWnd, int element);
int GetLinkInfo(HWND hWnd, std::uint32_t* style, COLORREF* colour);
int SetLinkInfo(HWND hWnd, std::uint32_t style, COLORREF colour);
int SetLinkInfoDlg(HWND hWnd);
int SetFontSizeTbl(const int (&points)[7]);
int GetFontSize(HWND hWnd, int* relative);
int SetFontSize(HWND hWnd, int size, int relative, int repaint);

}
