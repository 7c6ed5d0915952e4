// The menu command exports: C linkage over the library's functions.
#include "addon/core/menu_commands.h"
#include "addon/core/plx32.h"

using namespace ks::addon;

extern "C" {

int PlxCommand(HWND hWnd, int id) { return Command(hWnd, id); }
int PlxMenuEnable(HWND hWnd, int id) { return MenuEnable(hWnd, id); }
int PlxMenuSelect(HWND hWnd, int id) { return MenuSelect(hWnd, id); }

}
