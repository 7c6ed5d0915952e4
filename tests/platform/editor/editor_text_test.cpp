#include "editor_fixture.h"
#include "platform/editor/vek32_codes.h"

#include <algorithm>

using namespace ks::editor;
using ks::test::EditorLine;
using ks::test::EditorTest;

TEST_F(EditorTest, NewDocumentHasOneMarkAndTheInfoRecordIsLaidOutForTheAddOn)
{
    VekInfo r = info();
    EXPECT_EQ(r.size, 924);
    EXPECT_EQ(r.paragraphCount, 1);
    EXPECT_EQ(r.lineCount, 1);
    EXPECT_EQ(line(0).chars, std::string(1, kParaMark));
    EXPECT_EQ(r.windowRight, 640);
    EXPECT_EQ(r.windowBottom, 480);
    EXPECT_EQ(r.windowLeft, 0);
    EXPECT_EQ(r.fontCount, 1);
    EXPECT_EQ(r.fieldControlId, -1);
    auto* bytes = reinterpret_cast<const std::int32_t*>(&r);
    EXPECT_EQ(bytes[752 / 4], 1);
    EXPECT_EQ(bytes[668 / 4], 1);

    r.background = 0x123456;
    r.option692 = 0x4080;
    r.option704 = 1;
    r.modified = 1;
    ASSERT_TRUE(EditorSetInfo(hWnd, &r));
    VekInfo back = info();
    EXPECT_EQ(back.background, 0x123456u);
    EXPECT_EQ(back.option692, 0x4080);
    EXPECT_EQ(back.modified, 1);
    r.size = 900;
    EXPECT_FALSE(EditorSetInfo(hWnd, &r)) << "a record of another size is refused";
    EXPECT_FALSE(EditorGetInfo(reinterpret_cast<HWND>(0x77), &r));
    EXPECT_EQ(EditorGetAddonData(reinterpret_cast<HWND>(0x77)), nullptr);
}

TEST_F(EditorTest, AppendedTextIsCutIntoStableLogicalLines)
{
    eraseLoneMark();
    int bold = font("Arial", 12, kBold);
    std::string words;
    for (int i = 0; i < 200; ++i)
        words += "word" + std::to_string(i) + " ";
    ASSERT_TRUE(EditorAppendText(hWnd, words.c_str(), bold, 0, 0, -1, 0));
    ASSERT_TRUE(EditorAppendText(hWnd, "\x15short\x0Fnext\x15", 0, 0, 0, -1, 0));
    int n = lineCount();
    ASSERT_GT(n, 4);
    std::string joined;
    for (int i = 0; i < n; ++i) {
        EditorLine l = line(i);
        EXPECT_LE(l.chars.size(), 300u);
        joined += l.chars;
    }
    EXPECT_EQ(joined, words + "\x15short\x0Fnext\x15");
    // Lines end at blanks; the forced break ends a line; the first line of a paragraph says so.
    EXPECT_EQ(line(0).chars.back(), ' ');
    EXPECT_EQ(line(n - 2).chars, "short\x0F");
    EXPECT_EQ(line(n - 1).chars, "next\x15");
    EXPECT_TRUE(flags(0) & kLineFirst);
    EXPECT_FALSE(flags(1) & kLineFirst);
    EXPECT_TRUE(flags(n - 1) & kLineParaEnd);
    EXPECT_FALSE(flags(n - 2) & kLineParaEnd);
    EXPECT_EQ(line(0).fonts.front(), bold);

    // Rewriting fonts line by line moves no line, with or without a relayout.
    int italic = font("Times New Roman", 10, kItalic);
    for (int i = 0; i < n; ++i) {
        EditorLine l = line(i);
        std::vector<std::uint16_t> fonts(l.chars.size(), italic);
        ASSERT_TRUE(EditorSetLineChars(hWnd, i, l.chars.c_str(), fonts.data()));
        ASSERT_EQ(lineCount(), n);
    }
    EditorRepaint(hWnd, 0);
    EXPECT_EQ(lineCount(), n);
    EXPECT_EQ(text(), joined);
    for (int i = 0; i < n; ++i) {
        EditorLine l = line(i);
        EXPECT_TRUE(std::all_of(l.fonts.begin(), l.fonts.end(), [&](auto f) { return f == italic; })) << i;
    }
    // Redefining a font in place changes its text without touching the lines.
    EXPECT_EQ(EditorCreateFont(hWnd, italic, 0, "Courier New", 9, 0, 0, 0xFFFFFF, 0, 0), italic);
    char face[32];
    int points;
    unsigned style;
    ASSERT_TRUE(EditorGetFontInfo(hWnd, line(0).fonts[0], face, &points, &style));
    EXPECT_STREQ(face, "Courier New");
    EXPECT_EQ(points, 9);
}

TEST_F(EditorTest, SetLineCharsKeepsNumberingUntilRelayoutAndRefusesBadInput)
{
    eraseLoneMark();
    EditorAppendText(hWnd, "one\x15two\x15three\x15", 0, 0, 0, -1, 0);
    ASSERT_EQ(lineCount(), 3);
    std::uint16_t fonts[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(EditorSetLineChars(hWnd, 1, "TWO!!\x15", fonts));
    EXPECT_EQ(line(1).chars, "TWO!!\x15");
    EXPECT_EQ(EditorLineColToPos(hWnd, 2, 0), 10);
    EXPECT_EQ(lineCount(), 3);
    std::string tooLong(301, 'x');
    EXPECT_FALSE(EditorSetLineChars(hWnd, 0, tooLong.c_str(), nullptr));
    std::uint16_t badFont[2] = {999, 999};
    EXPECT_FALSE(EditorSetLineChars(hWnd, 0, "ab", badFont));
    EXPECT_FALSE(EditorSetLineChars(hWnd, 7, "x", nullptr));
    EXPECT_EQ(text(), "one\x15TWO!!\x15three\x15") << "a refused call changes nothing";
    // Removing a paragraph end joins paragraphs: a real edit.
    ASSERT_TRUE(EditorSetLineChars(hWnd, 0, "one ", nullptr));
    EXPECT_EQ(lineCount(), 2);
    EXPECT_EQ(line(0).chars, "one TWO!!\x15");
}

TEST_F(EditorTest, PositionsCaretSelectionAndInsertion)
{
    eraseLoneMark();
    EditorAppendText(hWnd, "Hello world\x15Second\x15", 0, 0, 0, -1, 0);
    EXPECT_EQ(EditorLineColToPos(hWnd, 1, 3), 15);
    int l, c;
    ASSERT_TRUE(EditorPosToLineCol(hWnd, 15, &l, &c));
    EXPECT_EQ(l, 1);
    EXPECT_EQ(c, 3);
    EXPECT_LT(EditorLineColToPos(hWnd, 5, 0), 0);
    EXPECT_FALSE(EditorPosToLineCol(hWnd, 1000, &l, &c));

    ASSERT_TRUE(EditorMoveCaret(hWnd, 0, 5, 0));
    ASSERT_TRUE(EditorInsertText(hWnd, ",\r\nnew"));
    EXPECT_EQ(text(), "Hello,\x15new world\x15Second\x15");
    VekInfo r = info();
    EXPECT_EQ(r.caretLine, 1);
    EXPECT_EQ(r.caretColumn, 3);
    EXPECT_EQ(r.selectionKind, 0);

    // The selection keeps its anchor: start may lie after end.
    ASSERT_TRUE(EditorSelectRange(hWnd, 11, 7));
    r = info();
    EXPECT_EQ(r.selectionKind, 2);
    EXPECT_EQ(r.selStartLine, 1);
    EXPECT_EQ(r.selStartColumn, 4);
    EXPECT_EQ(r.selEndColumn, 0);
    EXPECT_EQ(EditorDeleteSelection(hWnd), 4);
    EXPECT_EQ(text(), "Hello,\x15world\x15Second\x15");
    EXPECT_FALSE(EditorSelectRange(hWnd, -1, 3));
    EXPECT_EQ(EditorFindText(hWnd, "SECOND", 0, 0x12), 13);
    EXPECT_LT(EditorFindText(hWnd, "SECOND", 0, 0x4), 0) << "0x4 matches case";
    EXPECT_LT(EditorFindText(hWnd, "Hello", 1, 0x12), 0);

    ASSERT_TRUE(EditorSetCaretPos(hWnd, 0));
    EXPECT_EQ(info().caretLine, 0);
    EXPECT_EQ(info().caretColumn, 0);
}

TEST_F(EditorTest, HiddenRunsAreFoundSearchedAndProtected)
{
    eraseLoneMark();
    int hidden = font("Arial", 10, kHidden);
    int link = font("Arial", 10, kLinkText | kUnderline, 20, 0xFF0000);
    EditorAppendText(hWnd, "see ", 0, 0, 0, -1, 0);
    EditorAppendText(hWnd, "href=a.htm", hidden, 0, 0, -1, 0);
    EditorAppendText(hWnd, "here", link, 0, 0, -1, 0);
    EditorAppendText(hWnd, " now\x15", 0, 0, 0, -1, 0);
    // Caret inside the link text: the run before it.
    EditorMoveCaret(hWnd, 0, 16, 0);
    char run[301];
    int l = -1, c = -1;
    ASSERT_EQ(EditorGetHiddenRun(hWnd, run, sizeof run, &l, &c), 10);
    EXPECT_STREQ(run, "href=a.htm");
    EXPECT_EQ(c, 4);
    EXPECT_EQ(EditorGetRunLength(hWnd, 4), 10);
    EditorMoveCaret(hWnd, 0, 1, 0);
    EXPECT_EQ(EditorGetHiddenRun(hWnd, run, sizeof run, &l, &c), 0);
    EXPECT_EQ(EditorFindText(hWnd, "a.htm", 0, 0x12), 9) << "hidden text is searched";

    // Protected hidden text survives a deletion; with the bit cleared it goes.
    EditorSetModeFlags(hWnd, 1, 0x4000000);
    EditorSelectRange(hWnd, 4, 18);
    EXPECT_EQ(EditorDeleteSelection(hWnd), 4);
    EXPECT_EQ(text(), "see href=a.htm now\x15");
    unsigned saved = EditorGetModeFlags(hWnd, 1);
    EditorSetModeFlags(hWnd, 0, 0x4000000);
    EditorSelectRange(hWnd, 4, 14);
    EXPECT_EQ(EditorDeleteSelection(hWnd), 10);
    EXPECT_EQ(text(), "see  now\x15");
    EditorSetModeFlags(hWnd, 1, saved & 0x4000000);
    EXPECT_TRUE(EditorGetModeFlags(hWnd, 1) & 0x4000000);
}
