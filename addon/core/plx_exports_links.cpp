// The link exports: C linkage over the library's functions.
#include "addon/core/link_edit.h"
#include "addon/core/plx32.h"

using namespace ks::addon;

extern "C" {

int PlxInsertLink(HWND hWnd, const char* text, const char* pictureFile, const char* href, const char* name,
                  int isMap, int repaint)
{
    return InsertLink(hWnd, text, pictureFile, href, name, isMap, repaint);
}
int PlxUpdateLinkEx(HWND hWnd, const char* href, const char* name, const char* target, int repaint)
{
    return UpdateLinkEx(hWnd, href, name, target, repaint);
}
int PlxUpdateLink(HWND hWnd, const char* href, const char* name, int repaint)
{
    return UpdateLinkEx(hWnd, href, name, nullptr, repaint);
}
int PlxGetLinkDataEx(HWND hWnd, char* href, char* name, char* target) { return GetLinkDataEx(hWnd, href, name, target); }
int PlxGetLinkData(HWND hWnd, char* href, char* name) { return GetLinkDataEx(hWnd, href, name, nullptr); }

}
