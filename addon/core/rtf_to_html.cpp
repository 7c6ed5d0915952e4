#include "addon/core/rtf_to_html.h"

#include "addon/core/document_exports.h"
#include "addon/core/editor_ops.h"
#include "addon/core/font_elements.h"
#include "addon/core/html_context.h"
#include "addon/core/html_writer.h"
#include "addon/core/para_type.h"
#include "addon/core/temp_picture.h"
#include "platform/editor/vek32.h"
#include "platform/win/user_dialogs.h"

#include <algorithm>

namespace ks::addon {
namespace {

constexpr int kListIndentStep = 720;

using editor::kCellEnd, editor::kColumnBreak, editor::kHidden, editor::kInternal1, editor::kInternal2,
    editor::kLineBreak, editor::kObjectChar, editor::kObjectStyle, editor::kPageBreak, editor::kParaMark,
    editor::kSectionBreak;

bool isBreak(char c) { return c == kSectionBreak || c == kColumnBreak || c == kPageBreak; }
bool uncounted(char c)
{
    return editor::endsParagraph(c) || c == kLineBreak || isBreak(c) || c == kInternal1 || c == kInternal2;
}

struct LineChars {
    char chars[kHtmlLineMax + 2]{};
    std::uint16_t fonts[kHtmlLineMax + 2]{};
    int count = 0;
    // The characters before the line's paragraph end, if it has one.
    int content() const
    {
        return count > 0 && (chars[count - 1] == kParaMark || chars[count - 1] == kCellEnd) ? count - 1 : count;
    }
};

struct SizeSum {
    long long points = 0;
    long long count = 0;
};

// Adds the point sizes of the line's counted characters; gives pictures their files.
void measureLine(HtmlCtx& ctx, HWND hWnd, const LineChars& line, const char* pictureBase, SizeSum& sum)
{
    int font = -1, points = 0;
    unsigned style = 0;
    for (int i = 0; i < line.count; ++i) {
        char c = line.chars[i];
        if (uncounted(c))
            continue;
        if (line.fonts[i] != font) {
            font = line.fonts[i];
            if (!EditorGetFontInfo(hWnd, font, nullptr, &points, &style))
                return;
        }
        if ((style & kObjectStyle) && c == kObjectChar)
            MakeTempPictName(ctx, font, pictureBase);
        else if (!(style & kHidden)) {
            sum.points += points;
            ++sum.count;
        }
    }
}

int headerFor(const HtmlCtx& ctx, long long average, int base)
{
    long long x = average + ctx.fonts[0].points - base;
    for (int h = 1; h <= 7; ++h)
        if (ctx.fonts[h].points <= x)
            return h;
    return 0;
}

// The page break, section break or column break alone on its paragraph becomes a line break.
bool breakToLineBreak(HtmlCtx& ctx, HWND hWnd, int line, LineChars& text, const EditorInfo& info)
{
    if (text.content() != 1 || !isBreak(text.chars[0]) || CheckLineInfo(ctx, hWnd, line + 1))
        return false;
    text.chars[0] = kLineBreak;
    text.chars[text.count] = 0;
    EditorSetLineChars(hWnd, line, text.chars, text.fonts);
    if (line + 1 < info.lineCount)
        EditorApplyParaFormat(hWnd, line, line, info.defaultParaFormat);
    return true;
}

std::uint32_t typeFor(HtmlCtx& ctx, HWND hWnd, int last, bool oneChar, const SizeSum& sum, int base, int options)
{
    std::uint32_t word = 0;
    long long average = sum.count ? sum.points / sum.count : base;
    if (average > base && !(options & kRtfNoHeaders))
        SetParaHeader(&ctx, &word, headerFor(ctx, average, base));
    ParaProps p;
    if (!readParaProps(hWnd, last, p))
        return word;
    if ((p.flags & editor::kListNumbered) && p.first < 0) {
        int bullet = 0;
        EditorGetListInfo(hWnd, last, &bullet, nullptr, nullptr);
        SetParaListLevel(&ctx, &word, std::clamp((p.left + p.first) / kListIndentStep + 1, 1, 7));
        SetParaListType(&ctx, &word, bullet ? kListUnordered : kListOrdered);
        word |= kParaMarkerShown;
    }
    if ((p.flags & editor::kBorderBits) && oneChar)
        SetParaMiscType(&ctx, &word, kMiscRule);
    return word;
}

}

int MapRtfParagraphs(HtmlCtx& ctx, HWND hWnd, const char* pictureBase, int options)
{
    EditorInfo info;
    if (!readInfo(hWnd, info))
        return 0;
    ctx.tempPictureCount = 0;
    int base = 0;
    EditorGetFontInfo(hWnd, 0, nullptr, &base, nullptr);
    for (int line = 0; line < info.lineCount;) {
        int first = line, last = line;
        if (!GetParaRange(ctx, hWnd, line, &first, &last) || last < line)
            break;
        SizeSum sum;
        LineChars text;
        bool oneChar = false;
        for (int l = first; l <= last; ++l) {
            text.count = EditorGetLineChars(hWnd, l, text.chars, text.fonts);
            if (first == last && breakToLineBreak(ctx, hWnd, l, text, info))
                break;
            oneChar = first == last && text.content() <= 1;
            measureLine(ctx, hWnd, text, pictureBase, sum);
        }
        ParaProps p;
        if (readParaProps(hWnd, last, p) && p.typeWord == 0) {
            std::uint32_t word = typeFor(ctx, hWnd, last, oneChar, sum, base, options);
            if (word)
                EditorSetParaType(hWnd, last, static_cast<int>(word));
        }
        line = last + 1;
    }
    return 1;
}

int RtfToHtml(HWND hWnd, const char* pictureBase, int options)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    bool cursor = win::setWaitCursor(true);
    int mapped = MapRtfParagraphs(*ctx, hWnd, pictureBase, options);
    win::setWaitCursor(cursor);
    if (!mapped)
        return 0;
    EditorSetModified(hWnd, 0);
    // The writer takes HTML sizes from point sizes: RTF fonts carry no HTML size.
    ctx->rtfConversion = 1;
    int rebuilt = Reformat(hWnd);
    ctx->rtfConversion = 0;
    return rebuilt;
}

}
