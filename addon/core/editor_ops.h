#pragma once
// The editor-library calls the formatting code repeats, with named values in
// place of the editor's twelve paragraph arguments and its line outs.
#include "addon/base/html_ctx.h"
#include "platform/editor/vek32_codes.h"
#include "platform/editor/vek32_info.h"

#include <string>
#include <utility>

namespace ks::addon {

using EditorInfo = editor::EditorInfo;

// The twelve paragraph values, in the editor's order.
struct ParaProps {
    int left = 0, right = 0, first = 0;
    int v4 = 0;
    int formNumber = 0;             // which form it stands in (paragraph_form.h)
    int typeWord = 0;
    int ruleValue = 0;
    int styleFlags = 0;
    int before = 0, after = 0;
    int lineValue = 0;
    int flags = 0;
};

// Paragraph flags and style flags the add-on sets.
inline constexpr int kParaCentre = editor::kAlignCentre, kParaRight = editor::kAlignRight,
                     kParaLeft = editor::kAlignLeft, kParaJustify = editor::kAlignJustify;
inline constexpr int kParaMarker = editor::kListNumbered;
inline constexpr int kStyleNoWrap = editor::kNoWrap;

// Line flags of the editor.
inline constexpr unsigned kLineEndsPara = editor::kLineParaEnd, kLineEndsCell = editor::kLineCellOrRow,
                          kLineStartsPara = editor::kLineFirst;
inline constexpr unsigned kLineIsRule = editor::kLineRule;

bool readInfo(HWND hWnd, EditorInfo& info);
bool readParaProps(HWND hWnd, int line, ParaProps& props);
int makeParaFormat(HWND hWnd, const ParaProps& props);
int makeParaFormatEx(HWND hWnd, const ParaProps& props, int listFormat);
// False when the line does not exist.
bool readLineFlags(HWND hWnd, int line, unsigned& flags, int* cell = nullptr);
// The link data run at the caret (or before the link text holding it), whole, and where it
// starts; false when there is none.
bool readHiddenRun(HWND hWnd, std::string& run, int* line = nullptr, int* col = nullptr);

// Re-fonting writes lines back, which collapses the editor's selection; the same characters
// stay, so the selection is put back where it was when the change is done.
class SelectionKeeper {
public:
    explicit SelectionKeeper(HWND hWnd);
    ~SelectionKeeper();
    SelectionKeeper(const SelectionKeeper&) = delete;
    SelectionKeeper& operator=(const SelectionKeeper&) = delete;

private:
    HWND hWnd_;
    int anchor_ = -1, caret_ = -1;
};

// visit(line, fromColumn, toColumn) for each line of the record's text selection, first to
// last whichever way it was made (toColumn runs past the end of every line but the last);
// the selection is put back afterwards.
template <class Visit>
void forSelectedLines(HWND hWnd, const EditorInfo& info, Visit&& visit)
{
    int startLine = info.selStartLine, startCol = info.selStartColumn;
    int endLine = info.selEndLine, endCol = info.selEndColumn;
    if (startLine > endLine || (startLine == endLine && startCol > endCol)) {
        std::swap(startLine, endLine);
        std::swap(startCol, endCol);
    }
    SelectionKeeper keep(hWnd);
    for (int line = startLine; line <= endLine; ++line)
        visit(line, line == startLine ? startCol : 0, line == endLine ? endCol : kCtxTextSize);
}

// Pixels of the window's width, and the same in twips.
int windowPixels(const EditorInfo& info);
int pixelsToTwips(const HtmlCtx& ctx, int pixels);

}
