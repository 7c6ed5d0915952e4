#include "addon/core/para_type.h"

#include "addon/core/editor_ops.h"
#include "addon/core/font_elements.h"
#include "platform/editor/vek32.h"

#include <algorithm>

namespace ks::addon {
namespace {

constexpr int kLevelPos = 0, kListPos = 3, kHeaderPos = 6, kMiscPos = 9, kFieldWidth = 3;

int setField(std::uint32_t* word, int position, int value)
{
    if (word)
        *word = SetParaBits(nullptr, *word, position, kFieldWidth, static_cast<std::uint32_t>(value));
    return 1;
}

bool elementModeFor(int element) { return (element >= kElemHeader1 && element <= kElemHeader7) || element == kElemPre; }

}

std::uint32_t GetParaBits(HtmlCtx*, std::uint32_t word, int position, int width)
{
    if (position < 0 || position > 31 || width <= 0)
        return 0;
    std::uint32_t mask = width >= 32 ? ~0u : (1u << width) - 1;
    return (word >> position) & mask;
}

std::uint32_t SetParaBits(HtmlCtx*, std::uint32_t word, int position, int width, std::uint32_t value)
{
    if (position < 0 || position > 31 || width <= 0)
        return word;
    std::uint32_t mask = width >= 32 ? ~0u : (1u << width) - 1;
    return (word & ~(mask << position)) | ((value & mask) << position);
}

int GetParaListLevel(HtmlCtx* ctx, std::uint32_t word) { return GetParaBits(ctx, word, kLevelPos, kFieldWidth); }
int GetParaListType(HtmlCtx* ctx, std::uint32_t word) { return GetParaBits(ctx, word, kListPos, kFieldWidth); }
int GetParaHeader(HtmlCtx* ctx, std::uint32_t word) { return GetParaBits(ctx, word, kHeaderPos, kFieldWidth); }
int GetParaMiscType(HtmlCtx* ctx, std::uint32_t word) { return GetParaBits(ctx, word, kMiscPos, kFieldWidth); }
int SetParaListLevel(HtmlCtx*, std::uint32_t* word, int value) { return setField(word, kLevelPos, value); }
int SetParaListType(HtmlCtx*, std::uint32_t* word, int value) { return setField(word, kListPos, value); }
int SetParaHeader(HtmlCtx*, std::uint32_t* word, int value) { return setField(word, kHeaderPos, value); }
int SetParaMiscType(HtmlCtx*, std::uint32_t* word, int value) { return setField(word, kMiscPos, value); }

int ListIndent(int type, int level)
{
    constexpr int kStep = 300;
    if (level <= 0)
        return 0;
    return level * kStep + (type == kListDef ? 0 : kStep);
}

int ListElement(int type) { return type == kListMenu ? kElemMenu : type == kListDir ? kElemDirectory : kElemBody; }

int ParaTypeElement(std::uint32_t word)
{
    if (int header = GetParaHeader(nullptr, word); header >= 1)
        return header;
    switch (GetParaMiscType(nullptr, word)) {
    case kMiscBlockQuote: return kElemBlockQuote;
    case kMiscAddress: return kElemAddress;
    case kMiscPre: return kElemPre;
    default: return kElemBody;
    }
}

std::uint32_t ParaTypeStyle(const HtmlCtx& ctx, std::uint32_t word)
{
    std::uint32_t style = ctx.fonts[ParaTypeElement(word)].style;
    return (word & kParaDefTerm) ? style | 2 : style;
}

int ApplyParaType(HtmlCtx& ctx, HWND hWnd, int line, std::uint32_t oldWord, std::uint32_t newWord)
{
    int newElement = ParaTypeElement(newWord);
    std::uint32_t oldMask = ParaTypeStyle(ctx, oldWord);
    std::uint32_t newStyle = ParaTypeStyle(ctx, newWord);
    bool elementMode = elementModeFor(newElement);
    // Text that took its element from the old paragraph type follows the paragraph to the new one.
    int oldElement = ParaTypeElement(oldWord);
    int inherited = oldElement != kElemBody ? oldElement : -1;
    char chars[302]{};
    std::uint16_t fonts[302]{};
    int count = EditorGetLineChars(hWnd, line, chars, fonts);
    int previous = -1, mapped = 0;
    for (int i = 0; i < count; ++i) {
        if (fonts[i] == previous) {
            fonts[i] = static_cast<std::uint16_t>(mapped);
            continue;
        }
        previous = fonts[i];
        mapped = fonts[i];
        unsigned style = 0;
        int userId = 0;
        if (!EditorGetFontData(hWnd, previous, &style, nullptr, nullptr, &userId) || (style & (editor::kHidden | editor::kObjectStyle)))
            continue;
        unsigned colour = 0, colour2 = 0, ignored = 0;
        int points = 0;
        char face[32]{};
        EditorGetFontColors(hWnd, previous, &colour, &colour2);
        EditorGetFontInfo(hWnd, previous, face, &points, &ignored);
        int htmlSize = EditorGetFontTag(hWnd, previous);
        if (ctx.fonts[newElement].colour)
            colour = ctx.fonts[newElement].colour;
        int element = elementMode ? newElement : kElemBody;
        if (userId >= kLinkFontBase && userId < kVariantFontBase) {
            style = ctx.linkStyle | editor::kLinkText;
            colour = ctx.linkColor;
            if (!elementMode)
                element = userId - kLinkFontBase == inherited ? newElement : userId - kLinkFontBase;
        } else if (userId < kNoElementFont) {
            int own = userId < kLinkFontBase ? userId : userId - kVariantFontBase;
            own = std::clamp(own, 0, kFontElementCount - 1);
            style = (style & ~oldMask & ~ctx.fonts[own].style) | newStyle;
            if (!elementMode)
                element = own == inherited ? newElement : own;
        } else {
            style = 0;
        }
        mapped = GetElementFont(ctx, element, style, colour, userId < kLinkFontBase ? 0 : 1, htmlSize,
                                elementMode ? nullptr : face);
        fonts[i] = static_cast<std::uint16_t>(mapped);
    }
    chars[count] = 0;
    if (count > 0)
        EditorSetLineChars(hWnd, line, chars, fonts);
    return 1;
}

int GetLineParaInfo(HtmlCtx& ctx, HWND hWnd, int line, std::uint32_t word, int* before, int* after)
{
    unsigned flags = 0;
    int cell = 0;
    if (!readLineFlags(hWnd, line, flags, &cell))
        return 0;
    int b = 0, a = 0;
    int misc = GetParaMiscType(&ctx, word);
    bool plain = cell == 0 && !(flags & 0x80) && GetParaListType(&ctx, word) == kListNone &&
                 misc != kMiscPre && misc != kMiscAddress;
    if (plain) {
        b = ctx.spacing[1];
        a = ctx.spacing[0];
        if (GetParaHeader(&ctx, word)) {
            b += b / 2;
            a -= a / 2;
        }
    }
    if (before)
        *before = b;
    if (after)
        *after = a;
    return 1;
}

int GetParaRange(HtmlCtx& ctx, HWND hWnd, int line, int* first, int* last)
{
    int start = line, end = line;
    if (line < 0) {
        EditorInfo info;
        if (!readInfo(hWnd, info))
            return 0;
        start = end = info.caretLine;
        if (info.selectionKind != 0) {
            start = std::min(info.selStartLine, info.selEndLine);
            end = std::max(info.selStartLine, info.selEndLine);
            bool forward = info.selStartLine < info.selEndLine;
            if (forward && info.selEndColumn == 0)
                --end;
        }
    }
    unsigned flags = 0;
    if (!readLineFlags(hWnd, start, flags) || !readLineFlags(hWnd, end, flags))
        return 0;
    int a = start;
    while (a > 0 && readLineFlags(hWnd, a - 1, flags) && !(flags & (kLineEndsPara | kLineEndsCell)))
        --a;
    int b = end;
    while (readLineFlags(hWnd, b, flags) && !(flags & (kLineEndsPara | kLineEndsCell)) &&
           readLineFlags(hWnd, b + 1, flags))
        ++b;
    if (first)
        *first = a;
    if (last)
        *last = b;
    return 1;
}

}
