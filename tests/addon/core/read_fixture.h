#pragma once
// An HTML page read into an editor window, and the document shown back as text: each
// character as it is, paragraph ends as "|", line breaks as "/", cell ends as "]", row
// ends as "}", objects as "#", hidden link data in braces.
#include "plx_fixture.h"

#include "platform/win/global_memory.h"

#include <cstring>
#include <string>
#include <vector>

namespace ks::test {

class PlxReadTest : public PlxTest {
protected:
    // PlxRead from a block of global memory holding html.
    int read(const std::string& html, HWND w = nullptr, const char* anchor = nullptr)
    {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, html.size() + 1);
        std::memcpy(GlobalLock(block), html.c_str(), html.size() + 1);
        GlobalUnlock(block);
        int result = PlxRead(w ? w : hWnd, 1, nullptr, block, std::int32_t(html.size()), anchor);
        GlobalFree(block);
        return result;
    }
    // Calls visit(character, style bits) for every character of the document, in order.
    template <class Visit>
    void eachCharacter(HWND w, Visit&& visit)
    {
        for (int line = 0; line < info(w).lineCount; ++line) {
            char chars[301];
            std::uint16_t fonts[301];
            int n = EditorGetLineChars(w, line, chars, fonts);
            for (int i = 0; i < n; ++i) {
                unsigned style = 0;
                EditorGetFontInfo(w, fonts[i], nullptr, nullptr, &style);
                visit(chars[i], style);
            }
        }
    }
    std::string text(HWND w = nullptr)
    {
        std::string out;
        bool hidden = false;
        eachCharacter(w ? w : hWnd, [&](char c, unsigned style) {
            bool h = (style & 0x40) != 0;
            if (h != hidden)
                out += h ? "{" : "}";
            hidden = h;
            switch (c) {
            case 0x15: out += '|'; break;
            case 0x0F: out += '/'; break;
            case 0x13: out += ']'; break;
            case 0x12: out += '}'; break;
            case 0x18: out += '#'; break;
            default: out += c;
            }
        });
        if (hidden)
            out += "}";
        return out;
    }
    // The page PlxWrite makes of the document, in memory.
    std::string written(HWND w = nullptr)
    {
        HGLOBAL block = nullptr;
        std::int32_t length = 0;
        if (PlxWrite(w ? w : hWnd, 1, nullptr, &block, &length, 0) != 1)
            return "(write failed)";
        std::string page(static_cast<const char*>(GlobalLock(block)), std::size_t(length));
        GlobalUnlock(block);
        GlobalFree(block);
        return page;
    }
    // The texts of the notifications of a code the host heard.
    std::vector<std::string> heard(UINT code)
    {
        std::vector<std::string> texts;
        for (const auto& m : host->heard)
            if (m.message == code)
                texts.push_back(m.text);
        return texts;
    }
    // The line (counting from 0) on which text first starts.
    int lineOf(const std::string& what, HWND w = nullptr)
    {
        w = w ? w : hWnd;
        for (int line = 0; line < info(w).lineCount; ++line) {
            char chars[301];
            int n = EditorGetLineChars(w, line, chars, nullptr);
            if (std::string(chars, std::size_t(n)).find(what) != std::string::npos)
                return line;
        }
        return -1;
    }
};

}
