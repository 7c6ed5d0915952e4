#include "container/vek_dll.h"

#include "platform/editor/vek32.h"

#include <initializer_list>

namespace ks::container {

void InitializeToc(HWND toc)
{
    VekSetFlags(toc, 1, 0x200A200);
    VekSetFlags2(toc, 1, 0x180A00);
    // 633 is switched off twice, as the set-up always did.
    for (int key : {638, 633, 637, 741, 640, 641, 643, 717, 633, 635, 634, 636})
        VekEnableSpeedKey(toc, key, 0);
    SetVekDefaultFont(toc, "Arial", 10, 0, 0, 1);
}

}
