// Which menu commands are available at the caret and which show a check mark.
#include "menu_fixture.h"

using namespace ks;
using ks::test::PlxMenuTest;

namespace {

// The formatting commands that need nothing but an editable caret off a rule line: every
// id from 12112 to 12179 whose availability names no condition of its own.
std::set<int> unconditioned()
{
    std::set<int> ids;
    for (int id = 12112; id <= 12121; ++id)   // headers, block quote, the unused 12120, preformatted
        ids.insert(id);
    for (int id = 12123; id <= 12147; ++id)   // address to the definition list
        ids.insert(id);
    ids.insert({12153, 12155, 12157, 12158, 12166, 12174});
    return ids;
}

std::set<int> operator+(std::set<int> a, const std::set<int>& b)
{
    a.insert(b.begin(), b.end());
    return a;
}

std::set<int> operator-(std::set<int> a, const std::set<int>& b)
{
    for (int id : b)
        a.erase(id);
    return a;
}

const std::set<int> kSelectionCommands = {12122, 12148, 12149, 12150, 12151, 12152, 12175};
const std::set<int> kTableCommands = {12167, 12168, 12169, 12170, 12171, 12172, 12177, 12179};
const std::set<int> kFieldCommands = {12160, 12161, 12162, 12163};
// With an editable caret in text: a link may go in, the editor offers a page break, and a
// paragraph without an HTML type may switch its spacing.
const std::set<int> kPlainText = {12156, 12173, 12178};

}

TEST_F(PlxMenuTest, AvailabilityFollowsTheCaret)
{
    read("<p>plain words here</p><h2>a header</h2><hr>"
         "<table><tr><td>in a cell</td><td>next</td></tr></table>"
         "<p>before <a href=x.htm>the link</a> after</p>"
         "<form action=go><p>form text <input name=n></p></form>");
    struct Case {
        const char* caret;
        bool selectIt;
        std::set<int> available;
    };
    const std::set<int> base = unconditioned();
    const std::vector<Case> cases = {
        {"plain", false, base + kPlainText},
        {"words", true, base + kPlainText + kSelectionCommands},
        // A header is an HTML type: its spacing is the type's own.
        {"header", false, base + kPlainText - std::set<int>{12178}},
        {"in a cell", false, base + kPlainText + kTableCommands},
        {"the link", false, base + kPlainText - std::set<int>{12156} + std::set<int>{12176}},
        // Form text takes fields and may change forms; its word is no longer 0.
        {"form text", false, base + kPlainText + kFieldCommands + std::set<int>{12159} - std::set<int>{12178}},
    };
    for (const Case& c : cases) {
        if (c.selectIt)
            select(c.caret);
        else
            caretAt(c.caret, 2);
        EXPECT_EQ(availabilityFaults(c.available), "") << "caret in \"" << c.caret << "\"";
    }

    // On the rule line only the rule's dialog and the form list remain (no table here).
    caretAt("a header");
    EditorMoveCaret(hWnd, info().caretLine + 1, 0, 0);
    ASSERT_EQ(PlxMenuEnable(hWnd, 12154), 1) << "the caret must be on the rule";
    EXPECT_EQ(PlxMenuEnable(hWnd, 12112), 0);
    EXPECT_EQ(availabilityFaults({12154, 12157}), "") << "on the rule line";
    EXPECT_TRUE(boxes.empty()) << "queries show nothing";
}

TEST_F(PlxMenuTest, ASelectionListAtTheCaretTakesOptions)
{
    read("<form action=go><p>pick <select name=s></select> or <select name=t><option>one</select></p></form>");
    caretAt("pick ", 5);
    ASSERT_GE(info().fieldControlId, 2000) << "the caret stands on the first list";
    EXPECT_EQ(PlxMenuEnable(hWnd, 12164), 1) << "options may be added";
    EXPECT_EQ(PlxMenuEnable(hWnd, 12165), 0) << "but there is none to delete";
    caretAt(" or ", 4);
    EXPECT_EQ(PlxMenuEnable(hWnd, 12164), 1);
    EXPECT_EQ(PlxMenuEnable(hWnd, 12165), 1) << "its one option may go";
    caretAt("pick ");
    EXPECT_EQ(PlxMenuEnable(hWnd, 12164), 0) << "text is no list";
}

TEST_F(PlxMenuTest, AQueryInTextWithoutFormsMakesNoForm)
{
    read("<p>plain</p>");
    EXPECT_EQ(PlxMenuEnable(hWnd, 12160), 0);
    EXPECT_EQ(ctx().formCount, 0) << "asking whether a field may go in is no insertion";
}

TEST_F(PlxMenuTest, ReadOnlyWindowsOfferOnlyTheViewingCommands)
{
    read("<p>some <b>words</b></p>");
    select("some");
    EditorSetReadOnly(hWnd, 1);
    EXPECT_EQ(availabilityFaults({}), "") << "nothing that edits";
    EXPECT_EQ(PlxMenuEnable(hWnd, 12110), 1);
    EXPECT_EQ(PlxMenuEnable(hWnd, 12111), 1);
    for (int id = 12100; id <= 12109; ++id)
        EXPECT_EQ(PlxMenuEnable(hWnd, id), 1) << id;
    EditorSetReadOnly(hWnd, 0);
    EXPECT_EQ(PlxMenuEnable(hWnd, 12110), 0);
    EXPECT_EQ(PlxMenuEnable(hWnd, 12111), 0);
}

TEST_F(PlxMenuTest, IdsOutsideTheRangeAreAvailableAndNeverChecked)
{
    read("<p><b>bold</b></p>");
    for (int id : {0, 12097, 12180, 40000}) {
        EXPECT_EQ(PlxMenuEnable(hWnd, id), 1) << id;
        EXPECT_EQ(PlxMenuSelect(hWnd, id), 0) << id;
        EXPECT_EQ(PlxCommand(hWnd, id), 0) << id;
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PlxMenuTest, WithoutAContextTheQueriesAreSilentAndCommandsReported)
{
    HWND bare = newEditor();
    EXPECT_EQ(PlxMenuEnable(bare, 12112), 0);
    EXPECT_EQ(PlxMenuSelect(bare, 12106), 0);
    EXPECT_EQ(PlxMenuEnable(nullptr, 12100), 0);
    EXPECT_EQ(PlxMenuSelect(nullptr, 12100), 0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(PlxCommand(bare, 12112), 0);
    expectNotInitialized("PlxCommand");
}

TEST_F(PlxMenuTest, CheckMarksShowTheParagraphAndTheFontAtTheCaret)
{
    read("<p>plain</p><h3>third</h3><p align=center>middle</p><p align=right>east</p>"
         "<ol><li>numbered</li></ol><ul><li><ul><li>nested</li></ul></li></ul>"
         "<dl><dt>term</dt><dd>meaning</dd></dl><blockquote>quoted</blockquote><pre>fixed</pre>"
         "<address>home</address><p><b>strong</b> <i>slanted</i> <u>under</u> <strike>gone</strike> "
         "x<sup>up</sup> y<sub>down</sub> <kbd>typed</kbd> <tt>mono</tt></p>");
    struct Case {
        const char* caret;
        std::set<int> checked;
    };
    // Ruler (12106) is checked outside the view mode; left alignment (12125) while none of
    // the others is set; normal (12124) without any HTML type. The style marks follow the
    // font: headers, terms and addresses are shown bold or italic.
    const std::set<int> always = {12106};
    const std::vector<Case> cases = {
        {"plain", always + std::set<int>{12124, 12125, 12178}},
        {"third", always + std::set<int>{12114, 12125, 12129}},
        {"middle", always + std::set<int>{12124, 12127, 12178}},
        {"east", always + std::set<int>{12124, 12126, 12178}},
        {"numbered", always + std::set<int>{12125, 12136, 12138}},
        {"nested", always + std::set<int>{12125, 12137, 12139}},
        {"term", always + std::set<int>{12125, 12129, 12138, 12146}},
        {"meaning", always + std::set<int>{12125, 12138, 12147}},
        {"quoted", always + std::set<int>{12119, 12125}},
        {"fixed", always + std::set<int>{12121, 12125}},
        {"home", always + std::set<int>{12123, 12125, 12130}},
        {"strong", always + std::set<int>{12124, 12125, 12129, 12178}},
        {"slanted", always + std::set<int>{12124, 12125, 12130, 12178}},
        {"under", always + std::set<int>{12124, 12125, 12131, 12178}},
        {"up", always + std::set<int>{12124, 12125, 12132, 12178}},
        {"down", always + std::set<int>{12124, 12125, 12133, 12178}},
        {"gone", always + std::set<int>{12124, 12125, 12134, 12178}},
        {"typed", always + std::set<int>{12124, 12125, 12149, 12178}},
        {"mono", always + std::set<int>{12122, 12124, 12125, 12178}},
    };
    for (const Case& c : cases) {
        caretAt(c.caret, 1);
        EXPECT_EQ(checkedIds(), c.checked) << "caret in \"" << c.caret << "\"";
    }
}
