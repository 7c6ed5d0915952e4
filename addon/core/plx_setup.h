#pragma once
// Turning an editor window into an HTML window, and unhooking every window.
#include "platform/win/win_types.h"

namespace ks::addon {

inline constexpr int kEditorInfoSize = 924;

int initializeWindow(HWND hWnd, HWND hostWnd);
// Clears the callback of every entered window and frees its slot; the count stays.
int unhookAllWindows();

}
