#pragma once
// The small reads and writes of a window's frame, target, view-mode, modified
// and read-only state. Without a context each reports "Html Not initialized!".
#include "platform/win/win_types.h"

#include <cstdint>

namespace ks::addon {

std::uint32_t SetFlags(HWND hWnd, int on, std::uint32_t bits);
HWND GetTopWin(HWND hWnd);
std::uint32_t GetUsfList(HWND hWnd);
int SetDocTitle(HWND hWnd, const char* text);
int SetTarget(HWND hWnd, const char* text);
// buffer receives at most 300 characters and a zero.
int GetTarget(HWND hWnd, char* buffer);
int SetActiveWnd(HWND hWnd);
HWND GetActiveWnd(HWND hWnd);
int InViewMode(HWND hWnd);
int SetFrameName(HWND hWnd, const char* text);
int GetFrameName(HWND hWnd, char* buffer);
int SetDefaultTarget(HWND hWnd, const char* text);
int Modified(HWND hWnd);
int SetReadOnly(HWND hWnd, int on);

}
