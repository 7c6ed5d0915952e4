#include "addon/core/caret_state.h"

#include "platform/editor/vek32.h"

namespace ks::addon {

bool readCaretState(HWND hWnd, CaretState& s)
{
    s.readOnly = EditorGetReadOnly(hWnd) != 0;
    if (!readInfo(hWnd, s.info))
        return false;
    readLineFlags(hWnd, s.info.caretLine, s.lineFlags, &s.cell);   // no line: no flags, no cell
    s.paraRead = readParaProps(hWnd, s.info.caretLine, s.para);
    s.word = s.paraRead ? std::uint32_t(s.para.typeWord) : 0;
    EditorGetFontData(hWnd, EditorGetCurFont(hWnd), &s.fontStyle, nullptr, nullptr, &s.fontUserId);
    return true;
}

}
