// Exports: paragraph formats and lists.
#include "platform/editor/model/api_support.h"

#include <algorithm>

using namespace ks::editor;

namespace {

bool paraOfLine(Editor& e, int line, std::size_t& para)
{
    const Line* l = line >= 0 ? e.doc.line(line) : nullptr;
    if (!l)
        return false;
    para = l->para;
    return true;
}

// Makes a changed copy of each selected paragraph's format and applies it.
template <class Change>
void changeSelectedFormats(Editor& e, Change&& change)
{
    std::size_t first, last;
    e.selectedParagraphs(first, last);
    for (std::size_t p = first; p <= last && p < e.doc.paragraphs().size(); ++p) {
        ParaFormat f = e.formatOf(p);
        change(f);
        e.setParaFormat(p, e.formats.intern(f));
    }
    e.touch();
}

int makeFormat(Editor& e, ParaFormat f)
{
    if (e.pendingRuleWord) {
        f.ruleWord = e.pendingRuleWord;
        e.pendingRuleWord = 0;
    }
    if (!e.lists.valid(f.listFormat))
        f.listFormat = 0;
    return e.formats.intern(f);
}

}

extern "C" {

int EditorGetParaProps(HWND hWnd, int line, int* left, int* right, int* first, int* v4, int* v5,
                       int* typeWord, int* ruleValue, int* styleFlags, int* before, int* after,
                       int* lineValue, int* flags)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        std::size_t para;
        if (!paraOfLine(e, line, para))
            return 0;
        auto v = e.formatOf(para).values();
        int* outs[12] = {left, right, first, v4, v5, typeWord, ruleValue, styleFlags, before, after, lineValue, flags};
        for (int i = 0; i < 12; ++i)
            put(outs[i], v[i]);
        return 1;
    });
}

int EditorMakeParaFormat(HWND hWnd, int, int, int left, int right, int first, int v4, int v5,
                         int typeWord, int ruleValue, int styleFlags, int before, int after,
                         int lineValue, int flags)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        return makeFormat(e, ParaFormat::fromValues({left, right, first, v4, v5, typeWord, ruleValue,
                                                     styleFlags, before, after, lineValue, flags}));
    });
}

int EditorMakeParaFormatEx(HWND hWnd, int, int, int left, int right, int first, int v4, int v5,
                           int typeWord, int ruleValue, int styleFlags, int before, int after,
                           int lineValue, int flags, int listFormat, unsigned background)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        ParaFormat f = ParaFormat::fromValues(
            {left, right, first, v4, v5, typeWord, ruleValue, styleFlags, before, after, lineValue, flags});
        f.listFormat = listFormat;
        f.background = background & 0xFFFFFF;
        return makeFormat(e, f);
    });
}

int EditorApplyParaFormat(HWND hWnd, int firstLine, int lastLine, int format)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        std::size_t lines = e.doc.lineCount();
        if (!e.formats.valid(format) || lines == 0 || firstLine < 0)
            return 0;
        std::size_t a = std::min<std::size_t>(firstLine, lines - 1);
        std::size_t b = std::min<std::size_t>(std::max(lastLine, firstLine), lines - 1);
        for (std::size_t p = e.doc.paraOfLine(a); p <= e.doc.paraOfLine(b); ++p)
            e.setParaFormat(p, format);
        e.touch();
        return 1;
    });
}

int EditorSetParaType(HWND hWnd, int line, int typeWord)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        std::size_t para;
        if (!paraOfLine(e, line, para))
            return 0;
        ParaFormat f = e.formatOf(para);
        f.typeWord = typeWord;
        e.setParaFormat(para, e.formats.intern(f));
        e.touch();
        return 1;
    });
}

int EditorSetParaRule(HWND hWnd, int ruleWord)
{
    return withEditor(hWnd, 0, [&](Editor& e) { return e.pendingRuleWord = ruleWord, 1; });
}

int EditorGetParaRule(HWND hWnd, int line)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        std::size_t para;
        return paraOfLine(e, line, para) ? e.formatOf(para).ruleWord : 0;
    });
}

int EditorSetParaFlags(HWND hWnd, unsigned bits, int on, int)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        changeSelectedFormats(e, [&](ParaFormat& f) {
            if (on && (bits & kAlignBits))
                f.flags &= ~kAlignBits;
            f.flags = on ? (f.flags | bits) : (f.flags & ~bits);
        });
        return 1;
    });
}

int EditorSetParaSpacing(HWND hWnd, int before, int after, int, int)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        if (before < 0 || after < 0)
            return 0;
        // Only the selected paragraphs: text that arrives later brings its own format, and
        // one made without spacing stays without, in a fresh window as in a cleared one.
        changeSelectedFormats(e, [&](ParaFormat& f) {
            f.spaceBefore = before;
            f.spaceAfter = after;
        });
        return 1;
    });
}

int EditorCheckPara(HWND hWnd, int line)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        std::size_t para;
        if (!paraOfLine(e, line, para))
            return 0;
        const Cell* c = e.tables.cell(e.doc.paragraphs()[para].meta.cell);
        return c && (c->rowSpan == 0 || c->colSpan == 0) ? 0 : 1;
    });
}

int EditorMakeListFormat(HWND hWnd, int bullet, int start, int level, int style)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        int maxStyle = bullet ? 2 : 4;
        if (style < 0 || style > maxStyle || level < 0 || level > 9)
            return 0;
        return e.lists.intern({bullet ? 1 : 0, start, level, style});
    });
}

int EditorGetListInfo(HWND hWnd, int line, int* bullet, int* style, int* start)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        std::size_t para;
        if (!paraOfLine(e, line, para))
            return 0;
        const ParaFormat& f = e.formatOf(para);
        if (!(f.flags & kListNumbered))
            return 0;
        ListFormat l = f.listFormat ? e.lists.get(f.listFormat) : ListFormat{1, 1, 0, 0};
        put(bullet, l.bullet);
        put(style, l.style);
        put(start, l.start);
        return 1;
    });
}

}
