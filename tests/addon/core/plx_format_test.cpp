#include "plx_fixture.h"

#include "addon/core/font_elements.h"
#include "addon/core/para_type.h"

#include <cstring>

using namespace ks;
using namespace ks::addon;
using ks::test::PlxTest;

namespace {

int header(int word) { return (word >> 6) & 7; }
int listType(int word) { return (word >> 3) & 7; }
int listLevel(int word) { return word & 7; }
int misc(int word) { return (word >> 9) & 7; }

class PlxFormatTest : public PlxTest {
protected:
    void SetUp() override
    {
        PlxTest::SetUp();
        type("alpha\r\nbeta\r\ngamma");
        EditorMoveCaret(hWnd, 0, 1, 0);
    }
    void selectLines(int from, int to)
    {
        EditorSelectRange(hWnd, EditorLineColToPos(hWnd, from, 0), EditorLineColToPos(hWnd, to, 2));
    }
};

}

TEST_F(PlxFormatTest, HeadersSetTheWordAndTheFont)
{
    EXPECT_EQ(PlxSetHeader(hWnd, 2, 1), 1);
    EXPECT_EQ(header(typeWord(0)), 2);
    EXPECT_EQ(pointsAt(0, 0), 18);
    EXPECT_EQ(styleAt(0, 0) & 2, 2u);
    EXPECT_EQ(props(0).before, 180);
    EXPECT_EQ(props(0).after, 60);
    EXPECT_EQ(header(typeWord(1)), 0) << "only the caret paragraph";

    EXPECT_EQ(PlxSetHeader(hWnd, 8, 0), 0);
    EXPECT_EQ(PlxSetHeader(hWnd, -1, 0), 0);
    EXPECT_EQ(header(typeWord(0)), 2) << "a refused level changes nothing";
    EXPECT_TRUE(boxes.empty());

    EXPECT_EQ(PlxSetHeader(hWnd, 0, 0), 1);
    EXPECT_EQ(typeWord(0), 0);
    EXPECT_EQ(pointsAt(0, 0), 11);
    EXPECT_EQ(styleAt(0, 0) & 2, 0u);
}

TEST_F(PlxFormatTest, ASelectionWithARuleChangesEveryParagraphButTheRule)
{
    EditorMoveCaret(hWnd, 1, 0, 0);
    ASSERT_EQ(PlxInsertRule(hWnd, 0), 1);
    ASSERT_EQ(misc(typeWord(1)), kMiscRule);
    int ruleWord = typeWord(1);
    selectLines(0, 3);
    EXPECT_EQ(PlxSetMiscParaType(hWnd, kMiscBlockQuote, 0), 1);
    EXPECT_EQ(misc(typeWord(0)), kMiscBlockQuote);
    EXPECT_EQ(typeWord(1), ruleWord);
    EXPECT_EQ(misc(typeWord(2)), kMiscBlockQuote);
    EXPECT_EQ(misc(typeWord(3)), kMiscBlockQuote);
}

TEST_F(PlxFormatTest, OtherParagraphTypesAndBackToNormal)
{
    EXPECT_EQ(PlxSetMiscParaType(hWnd, kMiscPre, 0), 1);
    EXPECT_EQ(misc(typeWord(0)), kMiscPre);
    EXPECT_EQ(props(0).style & 0x10, 0x10) << "preformatted text does not wrap";
    EXPECT_EQ(faceAt(0, 0), "Courier New");
    EXPECT_EQ(props(0).before, 0);
    EXPECT_EQ(PlxSetMiscParaType(hWnd, kMiscAddress, 0), 1);
    EXPECT_EQ(props(0).style & 0x10, 0);
    EXPECT_EQ(styleAt(0, 0) & 4, 4u) << "an address is italic";
    for (int refused : {0, 3, 5, -1}) {
        EXPECT_EQ(PlxSetMiscParaType(hWnd, refused, 0), 0) << refused;
        EXPECT_EQ(misc(typeWord(0)), kMiscAddress);
    }

    PlxSetList(hWnd, kListUnordered, 2, 0, 0);
    EditorSetParaFlags(hWnd, 1, 1, 0);
    EXPECT_EQ(PlxParaNormal(hWnd, 1), 1);
    Props p = props(0);
    EXPECT_EQ(p.word, 0);
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.first, 0);
    EXPECT_EQ(p.flags & 0x40B, 0x400) << "left aligned, no marker";
    EXPECT_EQ(styleAt(0, 0) & 4, 0u);
}

TEST_F(PlxFormatTest, ListsSetTypeLevelIndentAndMarker)
{
    EXPECT_EQ(PlxSetListEx(hWnd, kListUnordered, 3, 0, 0, 0), 1);
    Props p = props(0);
    EXPECT_EQ(listType(p.word), kListUnordered);
    EXPECT_EQ(listLevel(p.word), 3);
    EXPECT_TRUE(p.word & 0x2000);
    EXPECT_EQ(p.left, 1200);
    EXPECT_EQ(p.first, -300);
    EXPECT_TRUE(p.flags & 8);
    EXPECT_EQ(p.before, 0) << "list paragraphs have no spacing";

    EditorMoveCaret(hWnd, 1, 0, 0);
    EXPECT_EQ(PlxSetListEx(hWnd, kListDef, 3, 1, 0, 0), 1);
    p = props(1);
    EXPECT_EQ(p.left, 900);
    EXPECT_EQ(p.first, -300);
    EXPECT_FALSE(p.flags & 8);
    EXPECT_TRUE(p.word & 0x4000);
    EXPECT_EQ(styleAt(1, 0) & 2, 2u) << "a term is bold";
    EXPECT_EQ(PlxSetList(hWnd, 0, 0, 2, 0), 1);
    EXPECT_FALSE(props(1).word & 0x4000);
    EXPECT_EQ(styleAt(1, 0) & 2, 0u);

    // Type 0, level 0 switches the marker: twice restores the paragraph.
    EditorMoveCaret(hWnd, 0, 0, 0);
    Props before = props(0);
    EXPECT_EQ(PlxSetList(hWnd, 0, 0, 0, 0), 1);
    EXPECT_FALSE(props(0).word & 0x2000);
    EXPECT_FALSE(props(0).flags & 8);
    EXPECT_EQ(props(0).first, 0);
    PlxSetList(hWnd, 0, 0, 0, 0);
    Props after = props(0);
    EXPECT_EQ(after.word, before.word);
    EXPECT_EQ(after.first, before.first);
    EXPECT_EQ(after.flags, before.flags);
    EXPECT_EQ(after.left, before.left);

    // A paragraph outside a list is left alone by type 0.
    EditorMoveCaret(hWnd, 2, 0, 0);
    EXPECT_EQ(PlxSetList(hWnd, 0, 2, 0, 0), 1);
    EXPECT_EQ(typeWord(2), 0);
}

TEST_F(PlxFormatTest, OrderedListsTakeTheirNumbering)
{
    EXPECT_EQ(PlxSetListEx(hWnd, kListOrdered, 1, 0, 2, 0), 1);
    int bullet = -1, style = -1, start = -1;
    ASSERT_EQ(EditorGetListInfo(hWnd, 0, &bullet, &style, &start), 1);
    EXPECT_EQ(bullet, 0);
    EXPECT_EQ(style, 2);
    EXPECT_EQ(props(0).left, 600);

    // Numbering other than 1 or 2 counts as decimal.
    EditorMoveCaret(hWnd, 1, 0, 0);
    PlxSetListEx(hWnd, kListOrdered, 1, 0, 9, 0);
    EditorGetListInfo(hWnd, 1, &bullet, &style, &start);
    EXPECT_EQ(style, 0);
}

TEST_F(PlxFormatTest, BadListArgumentsChangeNothing)
{
    int word = typeWord(0);
    EXPECT_EQ(PlxSetList(hWnd, 3, 1, 0, 0), 0) << "menu lists are not set here";
    EXPECT_EQ(PlxSetList(hWnd, 6, 1, 0, 0), 0);
    EXPECT_EQ(PlxSetList(hWnd, 1, 8, 0, 0), 0);
    EXPECT_EQ(PlxSetList(hWnd, 1, -1, 0, 0), 0);
    EXPECT_EQ(PlxSetList(hWnd, 1, 1, 3, 0), 0);
    EXPECT_EQ(typeWord(0), word);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PlxFormatTest, CharacterTypesChangeTheSelectedCharactersOnly)
{
    EXPECT_EQ(PlxSetMiscCharType(hWnd, kElemExample, 0), 0) << "no text selection";
    EditorSelectRange(hWnd, EditorLineColToPos(hWnd, 0, 1), EditorLineColToPos(hWnd, 1, 2));
    EXPECT_EQ(PlxSetMiscCharType(hWnd, 5, 0), 0) << "a header is no character type";
    EXPECT_EQ(faceAt(0, 1), "Times New Roman");
    EXPECT_EQ(PlxSetMiscCharType(hWnd, kElemExample, 1), 1);
    EXPECT_EQ(faceAt(0, 0), "Times New Roman");
    EXPECT_EQ(faceAt(0, 1), "Courier New");
    EXPECT_EQ(pointsAt(0, 1), 9);
    EXPECT_EQ(faceAt(1, 1), "Courier New");
    EXPECT_EQ(faceAt(1, 2), "Times New Roman");

    // Element 0 gives the characters their paragraph's element back.
    EXPECT_EQ(PlxSetMiscCharType(hWnd, 0, 0), 1);
    EXPECT_EQ(faceAt(0, 1), "Times New Roman");
    EXPECT_EQ(pointsAt(0, 1), 11);
}

TEST_F(PlxFormatTest, SpacingTableWidthAndParagraphAttributes)
{
    EXPECT_EQ(PlxSetParaSpace(hWnd, 0, 0), 1);
    EXPECT_EQ(props(0).before, 0);
    EXPECT_EQ(PlxSetParaSpace(hWnd, 1, 0), 1);
    EXPECT_EQ(props(0).before, 120);
    PlxSetList(hWnd, kListUnordered, 1, 0, 0);
    EXPECT_EQ(PlxSetParaSpace(hWnd, 0, 0), 0) << "a list paragraph keeps its spacing";

    int h = -1, t = -1, l = -1, o = -1;
    std::uint32_t w = 0;
    EXPECT_EQ(PlxGetParaAttrib(hWnd, &h, &t, &l, &w, &o), 1);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(t, kListUnordered);
    EXPECT_EQ(l, 1);
    EXPECT_EQ(w, static_cast<std::uint32_t>(typeWord(0)));
    EXPECT_EQ(o, 0);
    EXPECT_EQ(PlxGetParaAttrib(hWnd, nullptr, nullptr, nullptr, nullptr, nullptr), 1);

    EXPECT_EQ(PlxSetTableWidth(hWnd, 100, 1), 0) << "no table at the caret";
    EXPECT_EQ(info().modified, 1);
    EditorSetModified(hWnd, 0);
    EditorMoveCaret(hWnd, 2, 0, 0);
    ASSERT_TRUE(EditorTableCmdA(hWnd, 1));
    EditorMoveCaret(hWnd, 3, 0, 0);
    EXPECT_EQ(PlxSetTableWidth(hWnd, 96, 1), 1);
    VekCellProps cell{};
    int cellId = 0;
    EditorGetLineInfo(hWnd, 3, &cellId, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    EditorGetCellProps(hWnd, cellId, &cell);
    EXPECT_EQ(cell.tableWidth, 1440) << "pixels become twips";
    EXPECT_EQ(info().modified, 1);
    EXPECT_EQ(PlxSetTableWidth(hWnd, -50, 1), 1);
    EditorGetCellProps(hWnd, cellId, &cell);
    EXPECT_EQ(cell.tableWidth, -50) << "a percentage is passed on";
}

TEST_F(PlxFormatTest, DocumentColoursAndBackgroundPicture)
{
    EXPECT_EQ(PlxSetNewBkColor(hWnd, 0x00FF00, 1), 1);
    EXPECT_EQ(info().background, 0x00FF00u);
    EXPECT_EQ(ctx().bkColor, 0x00FF00u);
    EXPECT_EQ(ctx().bkColorSet, 1);
    EXPECT_EQ(PlxSetNewBkColor(hWnd, 0x00FF00, 0), 1);
    EXPECT_EQ(info().background, 0xC0C0C0u);
    EXPECT_EQ(ctx().bkColorSet, 0);
    EXPECT_EQ(ctx().docBkColor, 0xC0C0C0u);

    EXPECT_EQ(PlxSetNewTextColor(hWnd, 0), 1);
    EXPECT_EQ(ctx().textColorSet, 0) << "the same colour changes nothing";
    EXPECT_EQ(PlxSetNewTextColor(hWnd, 0x0000FF), 1);
    EXPECT_EQ(ctx().textColor, 0x0000FFu);
    EXPECT_EQ(ctx().textColorSet, 1);

    std::strcpy(ctx().bkPictureName, "old.bmp");
    EXPECT_EQ(PlxSetBkPict(hWnd, "/nonexistent/back.bmp"), 0);
    EXPECT_STREQ(ctx().bkPictureName, "old.bmp") << "a picture that cannot be read changes nothing";
    std::string longName(200, 'p');
    EXPECT_EQ(PlxSetBkPict(hWnd, (longName + ".bmp").c_str()), 0);
    EXPECT_EQ(PlxSetBkPict(hWnd, ""), 1);
    EXPECT_STREQ(ctx().bkPictureName, "");
    EXPECT_EQ(PlxSetBkPict(hWnd, nullptr), 1);
}
