#pragma once
// Moving the caret to a named anchor: the link data run that names it.
#include "platform/win/win_types.h"

namespace ks::addon {

// PlxPositionName: 1 when an anchor of that name was found and the caret put on its
// line, else 0.
int PositionName(HWND hWnd, const char* name);

}
