#pragma once
// The 16×16 pictures of the print preview's toolbar, keyed as its buttons are.
#include "platform/controls/image_list.h"

namespace ks::container {

void addPrintPreviewPictures(controls::ImageList& ils16);

}
