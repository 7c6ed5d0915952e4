#pragma once
// The C-style types of the window layer, as the libraries' APIs spell them.
#include <cstdint>

using HWND = void*;
using UINT = unsigned;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// A window procedure or notification function: (window, message, wParam, lParam) -> result.
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct RECT {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Messages the layers exchange.
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_USER = 0x0400;

// Window style bits the layers test.
constexpr unsigned WS_CHILD = 0x40000000;
constexpr unsigned WS_VISIBLE = 0x10000000;
constexpr unsigned WS_CLIPSIBLINGS = 0x04000000;
constexpr unsigned WS_CLIPCHILDREN = 0x02000000;
constexpr unsigned WS_DLGFRAME = 0x00400000;
constexpr unsigned WS_THICKFRAME = 0x00040000;
