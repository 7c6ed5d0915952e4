#pragma once
// A document as text for comparing two of them: per line its characters, its line record,
// the fonts of its runs by what they are (not by id) and the cell it stands in, so that a
// document written as HTML and read back can be compared with the one it came from.
#include "platform/editor/vek32.h"

#include <cstdio>
#include <string>

namespace ks::test {

inline std::string fontDump(HWND hWnd, int font)
{
    char face[32]{};
    int points = 0, userId = 0, vertical = 0;
    unsigned style = 0, colour = 0;
    RECT rect{};
    EditorGetFontInfo(hWnd, font, face, &points, &style);
    EditorGetFontColors(hWnd, font, &colour, nullptr);
    EditorGetFontData(hWnd, font, nullptr, &rect, &vertical, &userId);
    char text[160];
    if (style & 0x80) {
        char name[260]{};
        EditorPictureFileName(hWnd, font, 1, name);
        std::snprintf(text, sizeof text, "object %dx%d v%d aux%d %s", rect.right - rect.left, rect.bottom - rect.top,
                      vertical, userId, name);
    } else {
        std::snprintf(text, sizeof text, "%s %dpt s%x c%06x u%d t%d", face, points, style, colour, userId,
                      EditorGetFontTag(hWnd, font));
    }
    return text;
}

inline std::string cellDump(HWND hWnd, int cell)
{
    if (!cell)
        return "";
    VekCellProps p{};
    EditorGetCellProps(hWnd, cell, &p);
    char text[200];
    std::snprintf(text, sizeof text, " cell[f%x w%d h%d b%d pad%d c%06x span%dx%d ind%d al%d tw%d d%d]", p.flags, p.width,
                  p.height, p.borders[0], p.padding, p.colour, p.rowSpan, p.colSpan, p.tableIndent, p.tableAlignment,
                  p.tableWidth, p.depth);
    return text;
}

// A line's number, record and cell.
inline std::string lineHead(HWND hWnd, int line)
{
    VekLineRecord r{};
    EditorGetLineRecord(hWnd, line, &r);
    char head[200];
    std::snprintf(head, sizeof head, "%d: f%x w%x l%d r%d i%d b%d a%d s%d al%x", line, r.flags, r.typeWord, r.leftIndent,
                  r.rightIndent, r.firstIndent, r.spaceBefore, r.spaceAfter, r.lineValue, r.alignment);
    return head + cellDump(hWnd, r.cell);
}

// One line a line: record, cell, then each run of one font as "text" {font}.
inline std::string documentDump(HWND hWnd)
{
    VekInfo info{};
    EditorGetInfo(hWnd, &info);
    std::string dump;
    for (int line = 0; line < info.lineCount; ++line) {
        char chars[302];
        std::uint16_t fonts[302];
        int count = EditorGetLineChars(hWnd, line, chars, fonts);
        dump += lineHead(hWnd, line);
        for (int i = 0; i < count;) {
            int j = i;
            std::string run;
            while (j < count && fonts[j] == fonts[i]) {
                unsigned char c = static_cast<unsigned char>(chars[j++]);
                char shown[8];
                std::snprintf(shown, sizeof shown, c < 0x20 ? "\\x%02x" : "%c", c);
                run += shown;
            }
            dump += " \"" + run + "\"{" + fontDump(hWnd, fonts[i]) + "}";
            i = j;
        }
        dump += "\n";
    }
    return dump;
}

}
