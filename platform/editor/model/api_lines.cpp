// Exports: lines, positions, caret, selection, search, text insertion.
#include "platform/editor/model/api_support.h"
#include "platform/editor/model/line_flags.h"

#include <algorithm>
#include <cctype>
#include <cstring>

using namespace ks::editor;

namespace {

// Pixel metrics of the headless layout (a view replaces them).
constexpr int kColumnPixels = 8;
constexpr int kLinePixels = 16;

int lineChars(HWND hWnd, int line, char* chars, std::uint16_t* fonts, char* lead)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        if (line < 0 || !e.doc.line(line))
            return 0;
        auto text = e.doc.lineChars(line);
        if (chars)
            std::copy(text.begin(), text.end(), chars);
        if (fonts)
            std::copy_n(e.doc.lineFonts(line), text.size(), fonts);
        if (lead)
            std::fill_n(lead, text.size(), 0);
        return static_cast<int>(text.size());
    });
}

// The record of EditorGetLineRecord, from the line found.
VekLineRecord lineRecord(Editor& e, const Line& l)
{
    const Paragraph& p = e.doc.paragraphs()[l.para];
    std::string_view chars = std::string_view(p.chars).substr(l.start, l.length);
    const ParaFormat& f = e.formatOf(l.para);
    return {lineFlags(l, chars, f), f.typeWord, f.leftIndent, f.rightIndent, f.firstIndent, f.spaceBefore,
            f.spaceAfter, f.lineValue, static_cast<int>(f.flags & kAlignBits), p.meta.cell,
            static_cast<int>(l.length)};
}

int setLineChars(HWND hWnd, int line, const char* chars, const std::uint16_t* fonts)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        if (line < 0 || !e.doc.line(line))
            return 0;
        std::string text = str(chars);
        std::vector<std::uint16_t> ids;
        if (fonts) {
            ids.assign(fonts, fonts + text.size());
        } else {
            const std::uint16_t* old = e.doc.lineFonts(line);
            ids.assign(text.size(), e.doc.lineChars(line).empty() ? 0 : old[0]);
        }
        for (auto id : ids)
            if (!e.fonts.valid(id))
                return 0;
        if (!e.doc.setLine(line, text, ids.data()))
            return 0;
        e.caret = e.positionOf(std::min(e.posOf(e.caret), e.doc.length()));
        e.anchor = e.caret;
        e.touch();
        return 1;
    });
}

bool equalChars(char a, char b, bool matchCase)
{
    return matchCase ? a == b
                     : std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

}

extern "C" {

int EditorGetLineInfo(HWND hWnd, int line, int* cell, unsigned* flags, int* count, int* para,
                      int* format, int* pos, int* depth, int* row)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        const Line* l = line >= 0 ? e.doc.line(line) : nullptr;
        if (!l)
            return 0;
        int c = e.doc.paragraphs()[l->para].meta.cell;
        put(cell, c);
        put(flags, lineFlags(e, line));
        put(count, static_cast<int>(l->length));
        put(para, static_cast<int>(l->para));
        put(format, e.formatIdOf(l->para));
        put(pos, static_cast<int>(l->pos));
        put(depth, e.tables.depth(c));
        put(row, e.tables.cell(c) ? e.tables.cell(c)->row : 0);
        return 1;
    });
}

int EditorGetLineRecord(HWND hWnd, int line, VekLineRecord* record)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        const Line* l = line >= 0 ? e.doc.line(line) : nullptr;
        if (!l || !record)
            return 0;
        *record = lineRecord(e, *l);
        return 1;
    });
}

int EditorGetLineRecordText(HWND hWnd, int line, VekLineRecord* record, char* chars, std::uint16_t* fonts)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        const Line* l = line >= 0 ? e.doc.line(line) : nullptr;
        if (!l || !record)
            return 0;
        *record = lineRecord(e, *l);
        const Paragraph& p = e.doc.paragraphs()[l->para];
        if (chars)
            std::memcpy(chars, p.chars.data() + l->start, l->length);
        if (fonts)
            std::memcpy(fonts, p.fonts.data() + l->start, l->length * sizeof *fonts);
        return 1;
    });
}

int EditorGetLineTableLevel(HWND hWnd, int line)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        const Line* l = line >= 0 ? e.doc.line(line) : nullptr;
        return l ? e.tables.depth(e.doc.paragraphs()[l->para].meta.cell) : 0;
    });
}

int EditorTestLineFlag(HWND hWnd, int line, unsigned flag)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        return line >= 0 && e.doc.line(line) && (lineFlags(e, line) & flag) ? 1 : 0;
    });
}

int EditorGetLineChars(HWND hWnd, int line, char* chars, std::uint16_t* fonts)
{
    return lineChars(hWnd, line, chars, fonts, nullptr);
}

int EditorGetLineText(HWND hWnd, int line, char* chars, std::uint16_t* fonts)
{
    return lineChars(hWnd, line, chars, fonts, nullptr);
}

int EditorGetLineTextEx(HWND hWnd, int line, char* chars, std::uint16_t* fonts, char* leadBytes)
{
    return lineChars(hWnd, line, chars, fonts, leadBytes);
}

int EditorSetLineChars(HWND hWnd, int line, const char* chars, const std::uint16_t* fonts)
{
    return setLineChars(hWnd, line, chars, fonts);
}

int EditorSetLineText(HWND hWnd, int line, const char* chars, const std::uint16_t* fonts)
{
    return setLineChars(hWnd, line, chars, fonts);
}

int EditorLineColToPos(HWND hWnd, int line, int col)
{
    return withEditor(hWnd, -1, [&](Editor& e) {
        std::uint64_t pos;
        return line >= 0 && col >= 0 && e.doc.lineColToPos(line, col, pos) ? static_cast<int>(pos) : -1;
    });
}

int EditorPosToLineCol(HWND hWnd, int pos, int* line, int* col)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        std::size_t l, c;
        if (pos < 0 || !e.doc.posToLineCol(pos, l, c))
            return 0;
        put(line, static_cast<int>(l));
        put(col, static_cast<int>(c));
        return 1;
    });
}

int EditorMoveCaret(HWND hWnd, int line, int col, int scroll)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        std::uint64_t pos;
        if (col == -1) {
            if (line < 0 || static_cast<std::uint64_t>(line) > e.doc.length())
                return 0;
            pos = line;
        } else if (line < 0 || col < 0 || !e.doc.lineColToPos(line, col, pos)) {
            return 0;
        }
        e.setCaret(pos);
        if (scroll && e.view)
            e.view->showCaret();
        return 1;
    });
}

int EditorSetCaretPos(HWND hWnd, int flag)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        if (flag == 0)
            e.setCaret(0);
        return 1;
    });
}

int EditorShowLine(HWND hWnd, int line, int caretToo)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        if (line < 0 || !e.doc.line(line))
            return 0;
        if (caretToo)
            e.setCaret(e.doc.line(line)->pos);
        if (e.view)
            e.view->showCaret();
        return 1;
    });
}

int EditorSelectRange(HWND hWnd, int start, int end)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        std::uint64_t length = e.doc.length();
        if (start < 0 || end < 0 || static_cast<std::uint64_t>(start) > length ||
            static_cast<std::uint64_t>(end) > length)
            return 0;
        e.anchor = e.positionOf(start);
        e.caret = e.positionOf(end);
        e.typingFont = -1;
        return 1;
    });
}

int EditorDeleteSelection(HWND hWnd)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        std::uint64_t from, to;
        e.selectionRange(from, to);
        bool keepHidden = (e.mode1 & kModeHiddenProtected) != 0;
        // Delete back to front, one run of deletable characters at a time.
        int deleted = 0;
        for (std::uint64_t end = to; end > from;) {
            auto deletable = [&](std::uint64_t p) { return !(keepHidden && (e.styleAt(p) & kHidden)); };
            while (end > from && !deletable(end - 1))
                --end;
            std::uint64_t start = end;
            while (start > from && deletable(start - 1))
                --start;
            if (start < end) {
                std::uint64_t before = e.doc.length();
                e.replaceText(start, end - start, {}, {}, nullptr);
                deleted += static_cast<int>(before - e.doc.length());
            }
            end = start;
        }
        e.setCaret(from);
        return deleted;
    });
}

int EditorFindText(HWND hWnd, const char* text, int start, int flags)
{
    return withEditor(hWnd, -1, [&](Editor& e) {
        std::string needle = str(text);
        if (needle.empty() || start < 0)
            return -1;
        std::string all;
        for (const Paragraph& p : e.doc.paragraphs())
            all += p.chars;
        bool matchCase = (flags & kFindMatchCase) != 0;
        auto it = std::search(all.begin() + std::min<std::size_t>(start, all.size()), all.end(), needle.begin(),
                              needle.end(), [&](char a, char b) { return equalChars(a, b, matchCase); });
        return it == all.end() ? -1 : static_cast<int>(it - all.begin());
    });
}

int EditorGetHiddenRun(HWND hWnd, char* text, int size, int* line, int* col)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        std::string run;
        Position at;
        if (!e.hiddenRunAtCaret(run, at))
            return 0;
        copyOut(text, run, static_cast<std::size_t>(std::max(size, 0)));
        put(line, static_cast<int>(at.line));
        put(col, static_cast<int>(at.col));
        return static_cast<int>(run.size());
    });
}

int EditorGetRunLength(HWND hWnd, int pos)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        if (pos < 0 || static_cast<std::uint64_t>(pos) >= e.doc.length())
            return 0;
        std::uint32_t style = e.styleAt(pos);
        std::uint64_t end = pos, length = e.doc.length();
        while (end < length && e.styleAt(end) == style)
            ++end;
        return static_cast<int>(end - pos);
    });
}

int EditorGetPosPoint(HWND hWnd, int, int pos, int, int* x, int* y)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        if (pos < 0 || static_cast<std::uint64_t>(pos) > e.doc.length())
            return 0;
        if (e.view) {
            int vx = 0, vy = 0;
            if (!e.view->pointOf(static_cast<std::uint64_t>(pos), vx, vy))
                return 0;
            put(x, vx);
            put(y, vy);
            return 1;
        }
        Position p = e.positionOf(pos);
        put(x, static_cast<int>(p.col) * kColumnPixels);
        put(y, static_cast<int>(p.line) * kLinePixels);
        return 1;
    });
}

int EditorInsertText(HWND hWnd, const char* text)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        std::string chars = toStream(str(text));
        // An object character is placed only with its object (EditorPlacePicture).
        chars.erase(std::remove(chars.begin(), chars.end(), kObjectChar), chars.end());
        std::uint64_t from, to;
        e.selectionRange(from, to);
        int font = e.currentTypingFont();
        e.replaceText(from, to - from, chars, std::vector<std::uint16_t>(chars.size(), font), nullptr);
        e.typingFont = font;
        return 1;
    });
}

int EditorInsertParaText(HWND hWnd, const char* text, int, int format, int)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        std::string chars = toStream(str(text));
        if (!e.formats.valid(format))
            return 0;
        std::uint64_t from, to;
        e.selectionRange(from, to);
        std::size_t para = e.doc.paraOfLine(e.positionOf(from).line);
        int cell = para < e.doc.paragraphs().size() ? e.doc.paragraphs()[para].meta.cell : 0;
        ParaMeta meta{format, cell};
        int font = e.currentTypingFont();
        e.replaceText(from, to - from, chars, std::vector<std::uint16_t>(chars.size(), font), &meta);
        return 1;
    });
}

int EditorAppendText(HWND hWnd, const char* text, int font, int format, int cell, int, int)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        // Line ends become paragraph marks; text without them goes in as it is.
        std::string_view chars = text ? std::string_view(text) : std::string_view();
        std::string converted;
        if (chars.find('\r') != std::string_view::npos || chars.find('\n') != std::string_view::npos) {
            converted = toStream(std::string(chars));
            chars = converted;
        }
        const FontEntry* f = e.fonts.get(font);
        bool placesObject = chars.size() == 1 && chars[0] == kObjectChar;
        bool strayObject = !placesObject && chars.find(kObjectChar) != std::string::npos;
        if (!f || strayObject || f->isObject() != placesObject || (cell != 0 && !e.tables.cell(cell)))
            return 0;
        // Without a format of its own (an object placed in the text being read) a run takes
        // that of the paragraph it joins: a paragraph ending in it would lose its format.
        if (!e.formats.valid(format)) {
            const std::vector<Paragraph>& paras = e.doc.paragraphs();
            bool joins = !paras.empty() && !paras.back().terminated() && !paras.back().chars.empty();
            format = joins ? paras.back().meta.format : kPlainFormat;
        }
        e.doc.appendRun(chars, static_cast<std::uint16_t>(font), {format, cell});
        e.touch();
        return 1;
    });
}

}
