#include "addon/core/editor_ops.h"

#include "platform/editor/vek32.h"

namespace ks::addon {

bool readInfo(HWND hWnd, EditorInfo& info) { return EditorGetInfo(hWnd, &info) != 0; }

bool readHiddenRun(HWND hWnd, std::string& run, int* line, int* col)
{
    // Asked for its length first, the run then fills a buffer of its size.
    int length = EditorGetHiddenRun(hWnd, nullptr, 0, line, col);
    if (length <= 0) {
        run.clear();
        return false;
    }
    run.assign(std::size_t(length) + 1, 0);
    EditorGetHiddenRun(hWnd, run.data(), length + 1, nullptr, nullptr);
    run.resize(std::size_t(length));
    return true;
}

bool readParaProps(HWND hWnd, int line, ParaProps& p)
{
    return EditorGetParaProps(hWnd, line, &p.left, &p.right, &p.first, &p.v4, &p.formNumber, &p.typeWord,
                              &p.ruleValue, &p.styleFlags, &p.before, &p.after, &p.lineValue, &p.flags) != 0;
}

int makeParaFormat(HWND hWnd, const ParaProps& p)
{
    return EditorMakeParaFormat(hWnd, -1, 1, p.left, p.right, p.first, p.v4, p.formNumber, p.typeWord, p.ruleValue,
                                p.styleFlags, p.before, p.after, p.lineValue, p.flags);
}

int makeParaFormatEx(HWND hWnd, const ParaProps& p, int listFormat)
{
    return EditorMakeParaFormatEx(hWnd, -1, 1, p.left, p.right, p.first, p.v4, p.formNumber, p.typeWord, p.ruleValue,
                                  p.styleFlags, p.before, p.after, p.lineValue, p.flags, listFormat, editor::kNoColour);
}

bool readLineFlags(HWND hWnd, int line, unsigned& flags, int* cell)
{
    int cellOut = 0;
    flags = 0;
    if (!EditorGetLineInfo(hWnd, line, &cellOut, &flags, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr))
        return false;
    if (cell)
        *cell = cellOut;
    return true;
}

int windowPixels(const EditorInfo& info) { return info.windowRight - info.windowLeft; }

int pixelsToTwips(const HtmlCtx& ctx, int pixels)
{
    int ppi = ctx.pixelsX > 0 ? ctx.pixelsX : 96;
    return static_cast<int>(static_cast<long long>(pixels) * 1440 / ppi);
}

}

namespace ks::addon {

SelectionKeeper::SelectionKeeper(HWND hWnd) : hWnd_(hWnd)
{
    EditorInfo info;
    if (!readInfo(hWnd, info) || info.selectionKind == 0)
        return;
    anchor_ = EditorLineColToPos(hWnd, info.selStartLine, info.selStartColumn);
    caret_ = EditorLineColToPos(hWnd, info.selEndLine, info.selEndColumn);
}

SelectionKeeper::~SelectionKeeper()
{
    if (anchor_ >= 0 && caret_ >= 0)
        EditorSelectRange(hWnd_, anchor_, caret_);
}

}
