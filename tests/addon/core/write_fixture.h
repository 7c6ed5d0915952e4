#pragma once
// Documents built through the editor API the way a page read into the editor looks
// (paragraphs in element fonts, tables of cells, link runs, objects), and what the
// writer makes of them.
#include "plx_fixture.h"

#include "addon/core/font_elements.h"
#include "addon/core/html_write.h"

#include <string>

namespace ks::test {

struct Para {
    int word = 0;           // the paragraph-type word
    int flags = 0;          // alignment and list bits
    int before = 0, after = 0, line = 0;
    int left = 0, first = 0;
    int listFormat = 0;
    int cell = 0;
};

class PlxWriteTest : public PlxTest {
protected:
    void SetUp() override
    {
        PlxTest::SetUp();
        // As a read begins: no text at all.
        EditorSetLineChars(hWnd, 0, "", nullptr);
    }
    int font(int element, unsigned style = 0, unsigned colour = 0, int variant = 0, int size = 0,
             const char* face = nullptr)
    {
        return addon::GetElementFont(ctx(), element, style, colour, variant, size, face);
    }
    int format(const Para& p)
    {
        if (!p.word && !p.flags && !p.before && !p.after && !p.line && !p.left && !p.first && !p.listFormat)
            return 0;
        return EditorMakeParaFormatEx(hWnd, -1, 1, p.left, 0, p.first, 0, 0, p.word, 0, 0, p.before, p.after, p.line,
                                      p.flags, p.listFormat, 0xFFFFFF);
    }
    // Appends text in a font; the paragraph whose end arrives takes the format.
    void add(const std::string& text, int fontId, const Para& p = {})
    {
        ASSERT_EQ(EditorAppendText(hWnd, text.c_str(), fontId, format(p), p.cell, -1, 0), 1) << text;
    }
    // A whole paragraph in one font, ended by the paragraph mark.
    void para(const std::string& text, const Para& p = {}, int fontId = 0) { add(text + "\x15", fontId, p); }
    // A cell: rowSpan/colSpan as EditorCreateCell takes them.
    int cell(bool newRow, int previous, int flags = 0x20, int width = 0, int rowSpan = 1, int colSpan = 1,
             int border = 0, int tableIndent = 0, int alignment = 0)
    {
        return EditorCreateCell(hWnd, newRow, previous, alignment, tableIndent, 0, width, 0, border, border, border,
                                border, rowSpan, colSpan, flags);
    }
    std::string written(int selection = 0)
    {
        HGLOBAL block = nullptr;
        std::int32_t length = 0;
        if (PlxWrite(hWnd, 1, nullptr, &block, &length, selection) != 1)
            return "(write failed)";
        std::string text(static_cast<const char*>(GlobalLock(block)), static_cast<std::size_t>(length));
        GlobalUnlock(block);
        GlobalFree(block);
        return text;
    }
    // The body's lines without the body tags, joined by "|" for short expectations.
    std::string body(int selection = 0)
    {
        std::string all = written(selection), result;
        std::size_t start = all.find("<body");
        start = all.find("\r\n", start) + 2;
        std::size_t end = all.rfind("</body>");
        for (std::size_t at = start; at < end;) {
            std::size_t next = all.find("\r\n", at);
            result += (result.empty() ? "" : "|") + all.substr(at, next - at);
            at = next + 2;
        }
        return result;
    }
};

}
