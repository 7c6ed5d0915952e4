#pragma once
// The exported editor callback. The editor's header names its callback type
// VekCallback too, so this declaration stays out of files that include it.
#include "platform/win/win_types.h"

extern "C" LRESULT VekCallback(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
