// The formatting exports and the editor callback: C linkage over the library's functions.
#include "addon/core/para_formatting.h"
#include "addon/core/plx32.h"
#include "addon/core/vek_callback.h"
#include "addon/core/vek_callback_export.h"

using namespace ks::addon;

extern "C" {

LRESULT VekCallback(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return vekCallback(hWnd, message, wParam, lParam);
}

int PlxSetHeader(HWND hWnd, int level, int repaint) { return SetHeader(hWnd, level, repaint); }
int PlxSetMiscParaType(HWND hWnd, int type, int repaint) { return SetMiscParaType(hWnd, type, repaint); }
int PlxParaNormal(HWND hWnd, int repaint) { return ParaNormal(hWnd, repaint); }
int PlxSetList(HWND hWnd, int type, int level, int part, int repaint)
{
    return SetListEx(hWnd, type, level, part, 0, repaint);
}
int PlxSetListEx(HWND hWnd, int type, int level, int part, int numbering, int repaint)
{
    return SetListEx(hWnd, type, level, part, numbering, repaint);
}
int PlxSetMiscCharType(HWND hWnd, int element, int repaint) { return SetMiscCharType(hWnd, element, repaint); }
int PlxSetParaSpace(HWND hWnd, int on, int repaint) { return SetParaSpace(hWnd, on, repaint); }
int PlxSetTableWidth(HWND hWnd, int width, int flag) { return SetTableWidth(hWnd, width, flag); }
int PlxInsertRule(HWND hWnd, int repaint) { return InsertRule(hWnd, repaint); }
int PlxEditRule(HWND hWnd, int widthPercent, int thicknessPoints, int alignment, int repaint)
{
    return EditRule(hWnd, widthPercent, thicknessPoints, alignment, repaint);
}
int PlxGetParaAttrib(HWND hWnd, int* header, int* listType, int* listLevel, std::uint32_t* word, int* otherType)
{
    return GetParaAttrib(hWnd, header, listType, listLevel, word, otherType);
}
int PlxSetNewBkColor(HWND hWnd, std::uint32_t colour, int set) { return SetNewBkColor(hWnd, colour, set); }
int PlxSetNewTextColor(HWND hWnd, std::uint32_t colour) { return SetNewTextColor(hWnd, colour); }
int PlxSetBkPict(HWND hWnd, const char* fileName) { return SetBkPict(hWnd, fileName); }

}
