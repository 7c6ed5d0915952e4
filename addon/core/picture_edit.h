#pragma once
// Pictures the host puts into a document: inserted at the caret (from a file name or
// dialog "PictureParam"), refilled from another file, given a client-side map.
#include "addon/base/html_ctx.h"
#include "addon/core/plx32.h"   // PictureParam

namespace ks::addon {

enum PictureDialogItem : int {
    kPictFloatLeft = 722, kPictFloatRight = 724, kPictTop = 725, kPictMiddle = 726, kPictBottom = 727,
    kPictIsMap = 728, kPictFileName = 729, kPictSelectFile = 730,
};
// The dialog's values in the exchange area; the file name is its picture file text.
enum PictureDialogValue : int { kPictValueImageField = 0, kPictValueIsMap = 1, kPictValueAlignment = 2 };

// Alignment codes of an inserted picture: vertical 0 bottom, 1 middle, 2 top; 3 and 4
// float left and right (and sit at the bottom).
inline constexpr int kAlignFloatLeft = 3, kAlignFloatRight = 4;

int InsertPicture(HWND hWnd, const char* fileName, int alignment, int isMap, int imageField, int repaint);
int SetPicture(HWND hWnd, int picture, int type, const char* fileName);
int SetPictUseMap(HWND hWnd, int picture, const char* mapName);

}
