// Running the picture and form commands of the menus.
#include "addon/core/menu_commands.h"

#include "addon/core/menu_ids.h"
#include "addon/core/plx32.h"

namespace ks::addon {

bool runObjectCommand(HtmlCtx& ctx, HWND hWnd, int id)
{
    using namespace menu;
    constexpr int kRepaint = 1;
    switch (id) {
    case kInsertPicture: PlxInsertPicture(hWnd, nullptr, 0, 0, 0, kRepaint); return true;
    case kImageField: PlxInsertPicture(hWnd, nullptr, 0, 0, 1, kRepaint); return true;
    default: return false;
    }
}

}
