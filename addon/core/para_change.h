#pragma once
// The walk over the selected paragraphs and the tail every paragraph change goes through.
#include "addon/core/editor_ops.h"

#include <cstdint>
#include <functional>

namespace ks::addon {

struct ParaChange {
    ParaProps props;          // the values to apply; typeWord is the new word
    int listFormat = -1;      // >= 0: made with the list format (and the Ex call)
    HWND hWnd = nullptr;      // the window the change goes to
};

// A bad argument is refused after the context check, which reports a missing context: 0.
int refuseBadArgument(HWND hWnd);

// Calls change for each selected paragraph that is neither a rule nor refused by the editor;
// change returns false to leave the paragraph alone. Result: 0 when the range cannot be read.
int changeSelectedParas(HtmlCtx& ctx, HWND hWnd, const std::function<bool(ParaChange&)>& change);
// Spacing, format and re-fonting of one paragraph (its lines first..last).
void applyParaChange(HtmlCtx& ctx, HWND hWnd, int first, int last, std::uint32_t oldWord, ParaChange& change);
// The last line of the paragraph that starts at line.
int paraEndLine(HWND hWnd, int line);
void repaintIf(HWND hWnd, int repaint);

}
