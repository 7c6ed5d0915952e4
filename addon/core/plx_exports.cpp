// The set-up, teardown and state exports: C linkage over the library's functions.
#include "addon/core/plx32.h"

#include "addon/core/plx_module.h"
#include "addon/core/plx_setup.h"
#include "addon/core/plx_state.h"

using namespace ks::addon;

extern "C" {

int PlxInitialize(HWND hWnd, HWND hostWnd) { return initializeWindow(hWnd, hostWnd); }
int WEP(int) { return unhookAllWindows(); }
int PlxLoadControl() { return 1; }
int PlxSetBkColor(std::uint32_t colour) { return plxModule().defaultBkColor = colour, 1; }
std::uint32_t PlxSetFlags(HWND hWnd, int on, std::uint32_t bits) { return SetFlags(hWnd, on, bits); }
HWND PlxGetTopWin(HWND hWnd) { return GetTopWin(hWnd); }
std::uint32_t PlxGetUsfList(HWND hWnd) { return GetUsfList(hWnd); }
int PlxSetDocTitle(HWND hWnd, const char* text) { return SetDocTitle(hWnd, text); }
int PlxSetTarget(HWND hWnd, const char* text) { return SetTarget(hWnd, text); }
int PlxGetTarget(HWND hWnd, char* buffer) { return GetTarget(hWnd, buffer); }
int PlxSetActiveWnd(HWND hWnd) { return SetActiveWnd(hWnd); }
HWND PlxGetActiveWnd(HWND hWnd) { return GetActiveWnd(hWnd); }
int PlxInViewMode(HWND hWnd) { return InViewMode(hWnd); }
int PlxSetFrameName(HWND hWnd, const char* text) { return SetFrameName(hWnd, text); }
int PlxGetFrameName(HWND hWnd, char* buffer) { return GetFrameName(hWnd, buffer); }
int PlxSetDefaultTarget(HWND hWnd, const char* text) { return SetDefaultTarget(hWnd, text); }
int PlxModified(HWND hWnd) { return Modified(hWnd); }
int PlxSetReadOnly(HWND hWnd, int on) { return SetReadOnly(hWnd, on); }

}
