#pragma once
// The paragraph-type word: the HTML meaning of an editor paragraph, kept by the
// editor with the paragraph's properties. Fields of three bits each; the flag
// bits above them; every other bit 0.
#include "addon/base/html_ctx.h"

#include <cstdint>

namespace ks::addon {

inline constexpr std::uint32_t kParaInForm = 0x1000;
inline constexpr std::uint32_t kParaMarkerShown = 0x2000;
inline constexpr std::uint32_t kParaDefTerm = 0x4000;
inline constexpr std::uint32_t kParaTypeBits = 0x7FFF;

enum ListType : int { kListNone = 0, kListOrdered = 1, kListUnordered = 2, kListMenu = 3, kListDir = 4, kListDef = 5 };
enum MiscType : int { kMiscNone = 0, kMiscBlockQuote = 1, kMiscAddress = 2, kMiscRule = 3, kMiscPre = 4 };

std::uint32_t GetParaBits(HtmlCtx* ctx, std::uint32_t word, int position, int width);
std::uint32_t SetParaBits(HtmlCtx* ctx, std::uint32_t word, int position, int width, std::uint32_t value);

int GetParaListLevel(HtmlCtx* ctx, std::uint32_t word);
int GetParaListType(HtmlCtx* ctx, std::uint32_t word);
int GetParaHeader(HtmlCtx* ctx, std::uint32_t word);
int GetParaMiscType(HtmlCtx* ctx, std::uint32_t word);
int SetParaListLevel(HtmlCtx* ctx, std::uint32_t* word, int value);
int SetParaListType(HtmlCtx* ctx, std::uint32_t* word, int value);
int SetParaHeader(HtmlCtx* ctx, std::uint32_t* word, int value);
int SetParaMiscType(HtmlCtx* ctx, std::uint32_t* word, int value);

// The left indent, in twips, that a list of a type gives its paragraphs at a nesting level
// (level 0: none); a definition list indents one step less.
int ListIndent(int type, int level);
// The font element a list of a type gives its text: menus and directories have their own.
int ListElement(int type);

// The font element of a paragraph type, and the style bits it gives its text.
int ParaTypeElement(std::uint32_t word);
std::uint32_t ParaTypeStyle(const HtmlCtx& ctx, std::uint32_t word);

// Re-fonts the characters of one line for a change of its paragraph's type.
int ApplyParaType(HtmlCtx& ctx, HWND hWnd, int line, std::uint32_t oldWord, std::uint32_t newWord);
// 0 when the editor cannot describe the line; spacing outs may be null.
int GetLineParaInfo(HtmlCtx& ctx, HWND hWnd, int line, std::uint32_t word, int* before, int* after);
// Paragraph boundaries around line, or around the selection for line -1.
int GetParaRange(HtmlCtx& ctx, HWND hWnd, int line, int* first, int* last);

}
