// The picture exports: C linkage over the library's functions.
#include "addon/core/picture_edit.h"
#include "addon/core/plx32.h"

using namespace ks::addon;

extern "C" {

int PlxInsertPicture(HWND hWnd, const char* fileName, int alignment, int isMap, int imageField, int repaint)
{
    return InsertPicture(hWnd, fileName, alignment, isMap, imageField, repaint);
}
int PlxSetPicture(HWND hWnd, int picture, int type, const char* fileName)
{
    return SetPicture(hWnd, picture, type, fileName);
}
int PlxSetPictUseMap(HWND hWnd, int picture, const char* mapName) { return SetPictUseMap(hWnd, picture, mapName); }

}
