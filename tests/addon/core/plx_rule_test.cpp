#include "plx_fixture.h"

#include "addon/core/para_formatting.h"
#include "addon/core/para_type.h"
#include "addon/core/rule_dialog.h"
#include "platform/win/scripted_dialogs.h"
#include "tests/support/dialog_controls.h"

using namespace ks;
using namespace ks::addon;
using ks::test::PlxTest;

namespace {

class PlxRuleTest : public PlxTest {
protected:
    void SetUp() override
    {
        PlxTest::SetUp();
        type("above\r\nbelow");
        EditorMoveCaret(hWnd, 1, 0, 0);
        ASSERT_EQ(PlxInsertRule(hWnd, 1), 1);
        EditorMoveCaret(hWnd, 1, 0, 0);
    }
    ks::test::DialogControls controls;
};

constexpr int kWindowTwips = 640 * 15;   // 640 pixels at 96 per inch

}

TEST_F(PlxRuleTest, InsertingARulePutsARuleParagraphBeforeTheCaretLine)
{
    ASSERT_EQ(info().lineCount, 3);
    Props p = props(1);
    EXPECT_EQ((p.word >> 9) & 7, kMiscRule);
    EXPECT_EQ(p.flags, 0x210);
    EXPECT_EQ(p.line, -20);
    EXPECT_EQ(p.rule, 0);
    EXPECT_EQ(p.before, 120);
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.right, 0);
    unsigned flags = 0;
    EditorGetLineInfo(hWnd, 1, nullptr, &flags, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(flags & 0x100);
    EXPECT_EQ(typeWord(2), 0) << "the caret's paragraph keeps its type";

    // Only at the start of a paragraph.
    std::string longText(120, 'x');
    longText += ' ';
    EditorMoveCaret(hWnd, 2, 0, 0);
    EditorInsertText(hWnd, (longText + longText + longText).c_str());
    ASSERT_GT(info().lineCount, 3);
    EditorMoveCaret(hWnd, 3, 0, 0);
    EXPECT_EQ(PlxInsertRule(hWnd, 0), 0);
}

TEST_F(PlxRuleTest, EditingARuleWithValuesNeedsNoDialog)
{
    EXPECT_EQ(PlxEditRule(hWnd, 50, 2, 2, 1), 1);
    Props p = props(1);
    EXPECT_EQ(p.rule, 8000);
    EXPECT_EQ(p.flags, 0xA0);
    EXPECT_EQ(p.line, -40);
    EXPECT_EQ(p.before, 0);
    EXPECT_EQ(p.left, kWindowTwips / 2) << "right aligned: all the room on the left";
    EXPECT_EQ(p.right, 0);

    EXPECT_EQ(PlxEditRule(hWnd, 50, 2, 1, 0), 1);
    EXPECT_EQ(props(1).left, kWindowTwips / 4);
    EXPECT_EQ(props(1).right, kWindowTwips / 4);
    EXPECT_EQ(PlxEditRule(hWnd, 250, 80, 8, 0), 1) << "values beyond the limits are clamped";
    p = props(1);
    EXPECT_EQ(p.line, -1000);
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.right, 0);

    EditorMoveCaret(hWnd, 0, 0, 0);
    EXPECT_EQ(PlxEditRule(hWnd, 50, 2, 2, 0), 0) << "not a rule";
    EXPECT_EQ(props(0).rule, 0);
}

TEST_F(PlxRuleTest, WithoutValuesTheDialogAsksStartingFromTheRule)
{
    PlxEditRule(hWnd, 50, 3, 2, 0);
    EXPECT_EQ(PlxEditRule(hWnd, 0, 0, 0, 0), 0) << "nobody to answer: as if cancelled";
    EXPECT_EQ(props(1).line, -60);

    win::ScriptedDialogs script;
    script.expect("RuleParam", [](win::DialogUser& user) {
        EXPECT_EQ(user.title(), "Horizontal Rule Parameters");
        EXPECT_EQ(user.text(kRuleWidth), "50");
        EXPECT_EQ(user.text(kRuleThickness), "3");
        EXPECT_TRUE(user.checked(kRuleRight));
        EXPECT_FALSE(user.checked(kRuleLeft));
        user.type(kRuleWidth, "100");
        user.type(kRuleThickness, "");
        user.click(kRuleLeft);
        user.ok();
    });
    EXPECT_EQ(PlxEditRule(hWnd, 0, 5, 0, 0), 1);
    Props p = props(1);
    EXPECT_EQ(p.flags, 0x210) << "thickness 0: the default rule";
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.right, 0);

    script.expect("RuleParam", [](win::DialogUser& user) {
        EXPECT_EQ(user.text(kRuleThickness), "") << "the default rule shows no thickness";
        EXPECT_TRUE(user.checked(kRuleLeft));
        user.type(kRuleThickness, "9");
        user.cancel();
    });
    EXPECT_EQ(PlxEditRule(hWnd, 0, 0, 0, 0), 0);
    EXPECT_EQ(props(1).flags, 0x210);
    EXPECT_TRUE(script.faults().empty());
}

TEST_F(PlxRuleTest, TheDialogRefusesNumbersOutsideTheirRangesAndKeepsAsking)
{
    win::ScriptedDialogs script;
    script.expect("RuleParam", [](win::DialogUser& user) {
        user.type(kRuleWidth, "0");
        user.ok();
        EXPECT_TRUE(user.open());
        EXPECT_TRUE(user.focused(kRuleWidth));
        user.type(kRuleWidth, "50");
        user.type(kRuleThickness, "51");
        user.ok();
        EXPECT_TRUE(user.focused(kRuleThickness));
        user.type(kRuleThickness, "2x");
        user.ok();
        EXPECT_TRUE(user.open());
        user.type(kRuleThickness, " 2 ");
        user.click(kRuleCentre);
        user.ok();
    });
    EXPECT_EQ(PlxEditRule(hWnd, 0, 0, 0, 0), 1);
    EXPECT_EQ(boxes, (std::vector<std::string>(3, "Invalid value or value out of range")));
    Props p = props(1);
    EXPECT_EQ(p.line, -40);
    EXPECT_EQ(p.left, p.right) << "centred";
    EXPECT_EQ(p.left, kWindowTwips / 4);
    EXPECT_TRUE(script.faults().empty());
}

TEST_F(PlxRuleTest, RuleGeometryOfAbsoluteWidths)
{
    RuleGeometry g = GetRuleGeometry(ctx(), hWnd, -4800, 0, 1);
    EXPECT_EQ(g.left, 2400);
    EXPECT_EQ(g.right, 2400);
    g = GetRuleGeometry(ctx(), hWnd, -99999, 40, 0x400);
    EXPECT_EQ(g.left, 0) << "at most the window's width";
    EXPECT_EQ(g.right, 0);
    EXPECT_EQ(g.lineValue, -40) << "a positive size is twips";
}
