#pragma once
// The menu commands of a host's HTML menus: running one, whether it is available at the
// caret, whether it shows a check mark; and the view mode two of them switch.
#include "addon/base/html_ctx.h"

#include <cstdint>

namespace ks::addon {

// 1 when the id is a command of the range that runs something, else 0.
int Command(HWND hWnd, int id);
int MenuEnable(HWND hWnd, int id);
int MenuSelect(HWND hWnd, int id);

// On a top window's context. Entering asks first when the document is modified (unless the
// host's flag 0x40 says not to); a No leaves everything as it was. Both rebuild the document.
int EnterViewMode(HtmlCtx& top);
int LeaveViewMode(HtmlCtx& top);

// What a command sets, for running it and for its check mark alike.
std::uint32_t commandStyleBit(int id);   // bold to strike-out, else 0
int commandCharType(int id);             // the character-type commands' element, else -1
unsigned commandAlignment(int id);       // the alignment commands' paragraph flag, else 0

// The check mark of a command on a window whose context is already found.
int commandChecked(HtmlCtx& ctx, HWND hWnd, int id);
// Runs a picture or form command; false for any other id.
bool runObjectCommand(HtmlCtx& ctx, HWND hWnd, int id);

}
