// The document exports: writing, saving and closing.
#include "addon/core/html_write.h"
#include "addon/core/plx32.h"

using namespace ks::addon;

extern "C" {

int PlxWrite(HWND hWnd, int mode, const char* fileName, HGLOBAL* handle, std::int32_t* length, int selection)
{
    return HtmlWrite(hWnd, mode, fileName, handle, length, selection);
}
int PlxSave(HWND hWnd, int toMemory, const char* fileName, HGLOBAL* handle, std::int32_t* length)
{
    return HtmlSave(hWnd, toMemory, fileName, handle, length);
}
int PlxClose(HWND hWnd, int toMemory, const char* fileName, HGLOBAL* handle, std::int32_t* length)
{
    return HtmlClose(hWnd, toMemory, fileName, handle, length);
}

}
