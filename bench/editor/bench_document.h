#pragma once
// The document the editor benchmarks share.
#include "platform/editor/vek32.h"

#include <string>

namespace bench {

// About bytes (1 MB unless told) of text: paragraphs of words in a few fonts, hidden link runs,
// a small table now and then.
inline void buildDocument(HWND h, std::size_t bytes = std::size_t(1) << 20)
{
    EditorSetLineChars(h, 0, "", nullptr);
    int fonts[4] = {
        EditorCreateFont(h, -1, 1, "Times New Roman", 11, 0, 0, 0xFFFFFF, 0, 0),
        EditorCreateFont(h, -1, 1, "Times New Roman", 11, 2, 0, 0xFFFFFF, 0, 1),
        EditorCreateFont(h, -1, 1, "Arial", 10, 0x40, 0, 0xFFFFFF, 0, 0),
        EditorCreateFont(h, -1, 1, "Arial", 10, 0x4001, 0xFF0000, 0xFFFFFF, 0, 20)};
    int heading = EditorMakeParaFormat(h, -1, 1, 0, 0, 0, 0, 0, 0x40, 0, 0, 240, 120, 0, 1);
    EditorSetModeFlags2(h, 1, 0x10000);
    std::size_t length = 0;
    for (int p = 0; length < bytes; ++p) {
        if (p % 40 == 39) {
            int a = EditorCreateCell(h, 1, 0, 0, 0, 0, 2000, 0, 15, 15, 15, 15, 1, 1, 0x20);
            EditorAppendText(h, "cell text\x13", fonts[0], 0, a, -1, 0);
            int b = EditorCreateCell(h, 0, a, 0, 0, 0, 2000, 0, 15, 15, 15, 15, 1, 1, 0x20);
            EditorAppendText(h, "more text\x13\x12", fonts[0], 0, b, -1, 0);
            EditorEndTable(h, b, 2);
            length += 22;
            continue;
        }
        for (int w = 0; w < 60; ++w) {
            std::string word = "word" + std::to_string(p * 7 + w) + " ";
            EditorAppendText(h, word.c_str(), fonts[(w / 9) % 2], 0, 0, -1, 0);
            length += word.size();
        }
        EditorAppendText(h, "href=x.htm", fonts[2], 0, 0, -1, 0);
        EditorAppendText(h, "a link\x15", fonts[3], p % 10 == 0 ? heading : 0, 0, -1, 0);
        length += 17;
    }
    EditorSetModeFlags2(h, 0, 0x10000);
    EditorUpdateTables(h);
}

}
