#pragma once
// The editor's calls into the add-on: link clicks, pictures by name, field
// commands, frame focus and size, and the window going away.
#include "platform/win/win_types.h"

namespace ks::addon {

inline constexpr UINT kVekDestroy = 0xAA4;
inline constexpr UINT kVekLinkClick = 0xAA6;
inline constexpr UINT kVekFocus = 0xAAC;
inline constexpr UINT kVekPictureNeeded = 0xAAD;
inline constexpr UINT kVekResized = 0xAAE;
inline constexpr UINT kVekPictureMade = 0xAAF;
inline constexpr UINT kFieldEnterCode = 1000;
// What WM_CTLCOLORBTN answers: the light-grey stock brush.
inline constexpr LRESULT kLightGreyBrush = 1;

LRESULT vekCallback(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

}
