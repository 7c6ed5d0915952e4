#pragma once
// The container's calls into the editor library for its notes panes.
#include "platform/win/win_types.h"

namespace ks::container {

// Sets the pane's editor flags, switches eleven speed keys off and sets its
// default font. A call the editor refuses is passed over; nothing is reported.
void InitializeToc(HWND toc);

}
