#include "editor_fixture.h"
#include "platform/editor/model/font_table.h"
#include "platform/editor/vek32_codes.h"

using namespace ks::editor;
using ks::test::EditorTest;

namespace {
struct Props {
    int v[12];
};
}

TEST_F(EditorTest, FontTableSharesDefinesAndKeepsTags)
{
    // Explicit ids beyond the count extend the table (the add-on's 20 elements).
    EXPECT_EQ(EditorCreateFont(hWnd, 19, 0, "Times New Roman", 11, 0, 0, 0xFFFFFF, 0, 19), 19);
    EXPECT_EQ(info().fontCount, 20);
    EXPECT_FALSE(EditorGetFontInfo(hWnd, 5, nullptr, nullptr, nullptr)) << "a gap is no font";

    EditorSetNextFontTag(hWnd, 103);
    int tagged = font("Arial", 12, kBold, 4);
    int plain = font("Arial", 12, kBold, 4);
    EXPECT_NE(tagged, plain) << "the pending tag is part of the identity, and it is consumed";
    EXPECT_EQ(EditorGetFontTag(hWnd, tagged), 103);
    EXPECT_EQ(EditorGetFontTag(hWnd, plain), 0);
    EditorSetNextFontTag(hWnd, 103);
    EXPECT_EQ(font("Arial", 12, kBold, 4), tagged);
    EXPECT_NE(font("Arial", 12, kBold, 5), plain) << "user ids differ";

    unsigned colour = 1, colour2 = 1, style = 0;
    int userId = -1, valign = -1;
    RECT rect{1, 1, 1, 1};
    ASSERT_TRUE(EditorGetFontColors(hWnd, plain, &colour, &colour2));
    EXPECT_EQ(colour, 0u);
    EXPECT_EQ(colour2, 0xFFFFFFu);
    ASSERT_TRUE(EditorGetFontData(hWnd, plain, &style, &rect, &valign, &userId));
    EXPECT_EQ(style, kBold);
    EXPECT_EQ(userId, 4);
    EXPECT_EQ(rect.right, 0);
    EXPECT_TRUE(EditorGetFontData(hWnd, plain, nullptr, nullptr, nullptr, nullptr));
    EXPECT_LT(EditorCreateFont(hWnd, -1, 1, "Arial", 0, 0, 0, 0, 0, 0), 0) << "0 points is refused";
    EXPECT_LT(EditorCreateFont(hWnd, -1, 1, "Arial", 10, kObjectStyle, 0, 0, 0, 0), 0);
    std::string longFace(40, 'F');
    int clipped = font(longFace.c_str(), 10);
    char face[32];
    EditorGetFontInfo(hWnd, clipped, face, nullptr, nullptr);
    EXPECT_EQ(std::string(face), std::string(31, 'F'));
}

TEST_F(EditorTest, CharacterStylesApplyToTheSelectionOrTheTypingFont)
{
    int base = font("Arial", 10, 0, 7);
    EditorSetCurFont(hWnd, base);
    EditorInsertText(hWnd, "plain ");
    EditorSetCharStyle(hWnd, kBold, 1, 0);
    EditorInsertText(hWnd, "bold");
    auto l = line(0);
    unsigned style;
    int userId;
    EditorGetFontData(hWnd, l.fonts[0], &style, nullptr, nullptr, &userId);
    EXPECT_EQ(style, 0u);
    EditorGetFontData(hWnd, l.fonts[6], &style, nullptr, nullptr, &userId);
    EXPECT_EQ(style, kBold);
    EXPECT_EQ(userId, 7) << "a derived font keeps the user id";

    EditorSelectRange(hWnd, 0, 5);
    EditorSetCharStyle(hWnd, kItalic | kMarked, 1, 1);
    EditorGetFontData(hWnd, line(0).fonts[0], &style, nullptr, nullptr, nullptr);
    EXPECT_EQ(style, kItalic | kMarked);
    EditorSetCharStyle(hWnd, 0x13F, 0, 1);   // what command 12135 sends
    EditorGetFontData(hWnd, line(0).fonts[0], &style, nullptr, nullptr, nullptr);
    EXPECT_EQ(style, 0u) << "0x13F clears the mark style with the others";

    EditorMoveCaret(hWnd, 0, 10, 0);
    EditorSetNextColor(hWnd, 0xFF0000);
    EditorSetNextUserId(hWnd, 27);
    EditorInsertText(hWnd, "!");
    unsigned colour;
    EditorGetFontColors(hWnd, line(0).fonts[10], &colour, nullptr);
    EditorGetFontData(hWnd, line(0).fonts[10], nullptr, nullptr, nullptr, &userId);
    EXPECT_EQ(colour, 0xFF0000u);
    EXPECT_EQ(userId, 27);
}

TEST_F(EditorTest, ParagraphFormatsAreInternedAppliedAndReadBack)
{
    eraseLoneMark();
    int fmt = EditorMakeParaFormat(hWnd, -1, 1, 720, 360, -360, 11, 12, 0x40, 0, 0x10, 120, 240, -300, kAlignRight);
    EXPECT_EQ(EditorMakeParaFormat(hWnd, -1, 1, 720, 360, -360, 11, 12, 0x40, 0, 0x10, 120, 240, -300, kAlignRight), fmt);
    EXPECT_GT(fmt, 0);
    EditorAppendText(hWnd, "first", 0, 0, 0, -1, 0);
    EditorAppendText(hWnd, "\x15", 0, fmt, 0, -1, 0);   // the mark's run decides the format
    EditorAppendText(hWnd, "second\x15", 0, 0, 0, -1, 0);
    Props p{};
    auto props = [&](int n) {
        return EditorGetParaProps(hWnd, n, &p.v[0], &p.v[1], &p.v[2], &p.v[3], &p.v[4], &p.v[5], &p.v[6], &p.v[7],
                                  &p.v[8], &p.v[9], &p.v[10], &p.v[11]);
    };
    ASSERT_TRUE(props(0));
    int expected[12] = {720, 360, -360, 11, 12, 0x40, 0, 0x10, 120, 240, -300, kAlignRight};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(p.v[i], expected[i]) << i;
    ASSERT_TRUE(props(1));
    EXPECT_EQ(p.v[0], 0);
    EXPECT_FALSE(props(2));

    EditorSetParaType(hWnd, 1, 0x205);
    props(1);
    EXPECT_EQ(p.v[5], 0x205);
    VekLineRecord rec;
    ASSERT_TRUE(EditorGetLineRecord(hWnd, 0, &rec));
    EXPECT_EQ(rec.leftIndent, 720);
    EXPECT_EQ(rec.alignment, kAlignRight);
    EXPECT_EQ(rec.lastColumn, 6);
    EXPECT_FALSE(EditorGetLineRecord(hWnd, 9, &rec));

    // One alignment replaces the others; spacing and flags go to the caret paragraph.
    EditorMoveCaret(hWnd, 0, 2, 0);
    EditorSetParaFlags(hWnd, kAlignCentre, 1, 0);
    props(0);
    EXPECT_EQ(p.v[11], kAlignCentre);
    EditorSetParaFlags(hWnd, kBorderBits, 1, 0);
    props(0);
    EXPECT_EQ(p.v[11], kAlignCentre | kBorderBits);
    EditorSetParaSpacing(hWnd, 60, 80, 0, 0);
    EXPECT_EQ(info().caretSpaceBefore, 60);
    EXPECT_EQ(info().caretSpaceAfter, 80);
    props(1);
    EXPECT_EQ(p.v[8], 0) << "the other paragraph is untouched";

    int rule = EditorMakeParaFormat(hWnd, -1, 1, 0, 0, 0, 0, 0, 0x600, 0, 0, 120, 0, -20, 0x210);
    EditorApplyParaFormat(hWnd, 1, 1, rule);
    EXPECT_TRUE(flags(1) & kLineRule);
    EXPECT_FALSE(flags(0) & kLineRule);
    EXPECT_FALSE(EditorApplyParaFormat(hWnd, 0, 0, 9999));
}

TEST_F(EditorTest, SpacingOfAnEmptyDocumentStaysWithItsParagraphAndRulesInsertBeforeTheCaretLine)
{
    auto before = [&](int line) {
        int space = -1;
        EditorGetParaProps(hWnd, line, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &space,
                           nullptr, nullptr, nullptr);
        return space;
    };
    EditorSetParaSpacing(hWnd, 100, 50, 0, 0);
    EXPECT_EQ(info().caretSpaceBefore, 100);
    EXPECT_EQ(info().caretSpaceAfter, 50);
    EXPECT_EQ(info().defaultParaFormat, 0) << "the plain format is the default whatever was set";
    EditorInsertText(hWnd, "text\r\nnext");
    EXPECT_EQ(before(1), 100) << "a paragraph typed after it takes its spacing";
    int zeros = EditorMakeParaFormatEx(hWnd, -1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFF);
    EditorAppendText(hWnd, "plain\x15", 0, 0, 0, -1, 0);
    EditorAppendText(hWnd, "made\x15", 0, zeros, 0, -1, 0);
    ASSERT_EQ(lineCount(), 4);
    EXPECT_EQ(before(2), 0) << "appended text without a format is plain, not spaced";
    EXPECT_EQ(before(3), 0) << "so is text in a format made without spacing";

    int rule = EditorMakeParaFormat(hWnd, -1, 1, 0, 0, 0, 0, 0, 0x600, 0, 0, 120, 0, -20, 0x210);
    EditorMoveCaret(hWnd, 0, 0, 0);
    ASSERT_TRUE(EditorInsertParaText(hWnd, "\r\n", 0, rule, 1));
    EXPECT_EQ(line(0).chars, "\x15");
    EXPECT_TRUE(flags(0) & kLineRule);
    EXPECT_EQ(line(1).chars, "text\x15");
    EXPECT_FALSE(flags(1) & kLineRule);
}

TEST_F(EditorTest, ListFormatsAreInternedAndReported)
{
    eraseLoneMark();
    int bullets = EditorMakeListFormat(hWnd, 1, 1, 1, 0);
    int roman = EditorMakeListFormat(hWnd, 0, 3, 1, 3);
    EXPECT_GT(bullets, 0);
    EXPECT_NE(bullets, roman);
    EXPECT_EQ(EditorMakeListFormat(hWnd, 0, 3, 1, 3), roman);
    EXPECT_EQ(EditorMakeListFormat(hWnd, 0, 1, 0, 0), EditorMakeListFormat(hWnd, 0, 1, 0, 0));
    EXPECT_GT(EditorMakeListFormat(hWnd, 0, 1, 0, 0), 0) << "decimal from 1 is a list, not 'none'";
    EXPECT_EQ(EditorMakeListFormat(hWnd, 1, 1, 1, 7), 0);
    EditorSetParaRule(hWnd, 0x10032);
    int fmt = EditorMakeParaFormatEx(hWnd, -1, 1, 720, 0, -360, 0, 0, 0x49, 0, 0, 0, 0, 0, kListNumbered, roman, 0xFFFFFF);
    EditorAppendText(hWnd, "item\x15plain\x15", 0, fmt, 0, -1, 0);
    EditorApplyParaFormat(hWnd, 1, 1, 0);
    int bullet = -1, style = -1, start = -1;
    ASSERT_TRUE(EditorGetListInfo(hWnd, 0, &bullet, &style, &start));
    EXPECT_EQ(bullet, 0);
    EXPECT_EQ(style, 3);
    EXPECT_EQ(start, 3);
    EXPECT_TRUE(flags(0) & kLineListed);
    EXPECT_EQ(EditorGetParaRule(hWnd, 0), 0x10032) << "the pending rule word went into the format";
    EXPECT_FALSE(EditorGetListInfo(hWnd, 1, &bullet, &style, &start));
    EXPECT_EQ(EditorGetParaRule(hWnd, 1), 0);
}

TEST(FontTable, FindsEqualLooksKeepsOthersApartAndStopsWhenFull)
{
    FontTable t;
    auto look = [](int n) {
        FontEntry f;
        f.face = n % 2 ? "Arial" : "Times New Roman";
        f.points = 8 + n % 7;
        f.colour = static_cast<std::uint32_t>(n);
        return f;
    };
    int a = t.share(look(1)), b = t.share(look(2));
    EXPECT_NE(a, b);
    EXPECT_EQ(t.share(look(1)), a);
    FontEntry tagged = look(1);
    tagged.tag = 103;
    EXPECT_NE(t.share(tagged), a) << "every field of the look counts";

    // A redefined entry is found by its new look only; the first equal entry wins.
    int c = t.share(look(3));
    t.set(c, look(2));
    EXPECT_EQ(t.share(look(2)), b);
    EXPECT_NE(t.share(look(3)), c);
    t.set(b, look(4));
    EXPECT_EQ(t.share(look(2)), c);
    FontEntry object = look(5);
    object.style = kObjectStyle;
    int o = t.append(object);
    EXPECT_NE(t.share(look(5)), o) << "objects are never shared";
    FontEntry longFace = look(6);
    longFace.face = std::string(40, 'F');
    int clipped = t.share(longFace);
    longFace.face = std::string(31, 'F');
    EXPECT_EQ(t.share(longFace), clipped);

    int last = 0;
    for (int n = 7; last >= 0; ++n)
        last = t.share(look(n));
    EXPECT_EQ(t.count(), FontTable::kMaxFonts);
    EXPECT_EQ(t.share(look(1)), a) << "a full table still finds what it holds";
    EXPECT_EQ(t.share(look(1 << 30)), -1);
    t.reset();
    EXPECT_EQ(t.share(look(1)), 1) << "a reset table forgets its looks";
}
