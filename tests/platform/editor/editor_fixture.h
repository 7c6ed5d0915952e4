#pragma once
// An editor window for one test, driven through the C API as the add-on does.
#include "platform/editor/vek32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ks::test {

struct EditorLine {
    std::string chars;
    std::vector<std::uint16_t> fonts;
};

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        hWnd = EditorCreateWindow(nullptr, "test", 0x54002041, 0, 0, 640, 480);
        ASSERT_NE(hWnd, nullptr);
    }
    void TearDown() override { EditorDestroyWindow(hWnd); }

    VekInfo info()
    {
        VekInfo r{};
        EXPECT_TRUE(EditorGetInfo(hWnd, &r));
        return r;
    }
    int lineCount() { return info().lineCount; }
    EditorLine line(int n)
    {
        char chars[301];
        std::uint16_t fonts[301];
        int count = EditorGetLineChars(hWnd, n, chars, fonts);
        return {std::string(chars, count), std::vector<std::uint16_t>(fonts, fonts + count)};
    }
    // The whole text, lines joined.
    std::string text()
    {
        std::string all;
        for (int n = 0; n < lineCount(); ++n)
            all += line(n).chars;
        return all;
    }
    std::vector<std::string> allLines()
    {
        std::vector<std::string> all;
        for (int n = 0; n < lineCount(); ++n)
            all.push_back(line(n).chars);
        return all;
    }
    // "top", then a table of rows x 2 cells under it whose first row holds first and second.
    void tableUnderTop(int rows, const char* first, const char* second)
    {
        eraseLoneMark();
        EditorAppendText(hWnd, "top\x15", 0, 0, 0, -1, 0);
        EditorMoveCaret(hWnd, 0, 0, 0);
        ASSERT_TRUE(EditorTableCmdA(hWnd, rows));
        EditorMoveCaret(hWnd, 2, 0, 0);
        EditorInsertText(hWnd, second);
        EditorMoveCaret(hWnd, 1, 0, 0);
        EditorInsertText(hWnd, first);
    }
    // Empties the new document the way the add-on's reader does.
    void eraseLoneMark()
    {
        ASSERT_EQ(info().paragraphCount, 1);
        ASSERT_EQ(info().lineCount, 1);
        ASSERT_TRUE(EditorSetLineChars(hWnd, 0, "", nullptr));
        ASSERT_EQ(lineCount(), 0);
    }
    int font(const char* face, int points, unsigned style = 0, int userId = 0, unsigned colour = 0)
    {
        return EditorCreateFont(hWnd, -1, 1, face, points, style, colour, 0xFFFFFF, 0, userId);
    }
    unsigned flags(int n)
    {
        unsigned f = 0;
        EditorGetLineInfo(hWnd, n, nullptr, &f, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        return f;
    }
    int cellOf(int n)
    {
        int c = -1;
        EditorGetLineInfo(hWnd, n, &c, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        return c;
    }

    HWND hWnd = nullptr;
};

}
