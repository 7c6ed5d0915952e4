#pragma once
// Giving the selected paragraphs and characters their HTML meaning: headers,
// lists, block quote, address, preformatted text, rules, character types,
// spacing, table width and the document's colours and background picture.
// Each finds the context with redirection; without one "Html Not initialized!".
#include "addon/base/html_ctx.h"


namespace ks::addon {

int SetHeader(HWND hWnd, int level, int repaint);
int SetMiscParaType(HWND hWnd, int type, int repaint);
int ParaNormal(HWND hWnd, int repaint);
int SetListEx(HWND hWnd, int type, int level, int part, int numbering, int repaint);
int SetMiscCharType(HWND hWnd, int element, int repaint);
int SetParaSpace(HWND hWnd, int on, int repaint);
int SetTableWidth(HWND hWnd, int width, int flag);
int InsertRule(HWND hWnd, int repaint);
int EditRule(HWND hWnd, int widthPercent, int thicknessPoints, int alignment, int repaint);
int GetParaAttrib(HWND hWnd, int* header, int* listType, int* listLevel, std::uint32_t* word, int* otherType);
int SetNewBkColor(HWND hWnd, COLORREF colour, int set);
int SetNewTextColor(HWND hWnd, COLORREF colour);
int SetBkPict(HWND hWnd, const char* fileName);
// The document's background becomes the one in effect: the editor's record and the window.
void ShowDocBkColor(HtmlCtx& ctx, HWND hWnd);

// The values of the rule dialog.
struct RuleParams {
    int width = 100;        // percent
    int thickness = 0;      // points, 0 the default rule
    int alignment = 0x400;  // 0x400 left, 1 centre, 2 right
};

struct RuleGeometry {
    int left = 0, right = 0, first = 0, before = 0, lineValue = 0, ruleValue = 0, flags = 0;
};
// width: percent 0-100, or negative twips; size: negative points, else twips (0 the default rule).
RuleGeometry GetRuleGeometry(HtmlCtx& ctx, HWND hWnd, int width, int size, int alignment);

}
