// The document exports: clearing, new and opened documents, rebuilding, RTF to HTML, writing,
// saving and closing, and the forms' read-outs.
#include "addon/core/document_exports.h"
#include "addon/core/form_readout.h"
#include "addon/core/html_write.h"
#include "addon/core/plx32.h"
#include "addon/core/rtf_to_html.h"

using namespace ks::addon;

extern "C" {

int PlxClearWindow(HWND hWnd) { return ClearWindow(hWnd); }
int PlxNewFile(HWND hWnd) { return NewFile(hWnd); }
int PlxOpenFile(HWND hWnd) { return OpenFile(hWnd); }
int PlxReformat(HWND hWnd) { return Reformat(hWnd); }
int PlxRtfToHtml(HWND hWnd, const char* pictureBase) { return RtfToHtml(hWnd, pictureBase, 0); }
int PlxRtfToHtmlEx(HWND hWnd, const char* pictureBase, int options) { return RtfToHtml(hWnd, pictureBase, options); }

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

int PlxGetCurForm(HWND hWnd, int* formCount) { return GetCurForm(hWnd, formCount); }
int PlxGetFormInfo(HWND hWnd, int form, char* action, char* method) { return GetFormInfo(hWnd, form, action, method); }
int PlxGetFieldData(HWND hWnd, int form, int n, char* name, int* checked, char* value, int valueSize)
{
    return GetFieldData(hWnd, form, n, name, checked, value, valueSize);
}

}
