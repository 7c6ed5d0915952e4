// The menu commands as a host's menus use them: which ids are available and checked at
// the caret, what running one does to the document, and the switch to the view mode with
// its question.
#include "read_fixture.h"

#include "platform/win/scripted_dialogs.h"
#include "platform/win/user_dialogs.h"
#include "tests/support/dialog_controls.h"
#include "tests/support/temp_dir.h"

#include <QImage>

#include <set>
#include <string>
#include <vector>

using namespace ks;
using ks::test::PlxReadTest;

namespace {

constexpr int kFirst = 12098, kLast = 12179;

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

class PlxMenuTest : public PlxReadTest {
protected:
    void TearDown() override
    {
        win::setUserDialogs({});
        PlxReadTest::TearDown();
    }
    // The questions asked, answered with answer.
    void answerQuestions(int answer)
    {
        win::UserDialogs dialogs;
        dialogs.messageBox = [this, answer](HWND owner, const std::string& text, const std::string& caption,
                                            UINT type) {
            questions.push_back({owner, text, caption, type});
            return answer;
        };
        win::setUserDialogs(dialogs);
    }
    void caretAt(const std::string& text, int offset = 0)
    {
        int line = lineOf(text);
        ASSERT_GE(line, 0) << text;
        char chars[301];
        int n = EditorGetLineChars(hWnd, line, chars, nullptr);
        std::size_t col = std::string(chars, std::size_t(n)).find(text);
        EditorMoveCaret(hWnd, line, int(col) + offset, 0);
    }
    void select(const std::string& text)
    {
        caretAt(text);
        int start = EditorLineColToPos(hWnd, info().caretLine, info().caretColumn);
        EditorSelectRange(hWnd, start, start + int(text.size()));
    }
    // Every formatting id whose availability differs from the expected set.
    std::string availabilityFaults(const std::set<int>& expected)
    {
        std::string faults;
        for (int id = 12112; id <= kLast; ++id)
            if (PlxMenuEnable(hWnd, id) != (expected.count(id) ? 1 : 0))
                faults += std::to_string(id) + (expected.count(id) ? " should be available; " : " should not; ");
        return faults;
    }
    std::set<int> checkedIds()
    {
        std::set<int> ids;
        for (int id = kFirst; id <= kLast; ++id)
            if (PlxMenuSelect(hWnd, id))
                ids.insert(id);
        return ids;
    }
    int header()
    {
        int level = -1;
        PlxGetParaAttrib(hWnd, &level, nullptr, nullptr, nullptr, nullptr);
        return level;
    }

    struct Question {
        HWND owner;
        std::string text, caption;
        UINT type;
    };
    std::vector<Question> questions;
};

const char kViewQuestion[] = "File Modified. A Hyperlink Jump in the Viewer Mode may Lose the Modifications. "
                             "Do You Still Wish to Switch to the Viewer Mode?";

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

TEST_F(PlxMenuTest, CommandsChangeTheDocumentAtTheCaret)
{
    read("<p>first words</p><p>second</p>");
    caretAt("first");
    EXPECT_EQ(PlxCommand(hWnd, 12114), 1);
    EXPECT_EQ(header(), 3) << "header 3";
    EXPECT_EQ(PlxMenuSelect(hWnd, 12114), 1);
    EXPECT_EQ(PlxCommand(hWnd, 12124), 1);
    EXPECT_EQ(header(), 0) << "normal again";

    EXPECT_EQ(PlxCommand(hWnd, 12136), 1);
    EXPECT_EQ(PlxMenuSelect(hWnd, 12136), 1) << "an ordered list";
    EXPECT_EQ(PlxCommand(hWnd, 12124), 1);

    select("words");
    EXPECT_EQ(PlxCommand(hWnd, 12129), 1);
    EXPECT_EQ(styleAt(lineOf("words"), 7) & 2, 2u) << "bold";
    EXPECT_EQ(PlxCommand(hWnd, 12135), 1);
    EXPECT_EQ(styleAt(lineOf("words"), 7) & 0x3F, 0u) << "every style gone";

    caretAt("second");
    EXPECT_EQ(PlxCommand(hWnd, 12127), 1);
    EXPECT_EQ(props(lineOf("second")).flags & 0x803, 1) << "centred";
    EXPECT_EQ(PlxCommand(hWnd, 12125), 1);
    EXPECT_EQ(props(lineOf("second")).flags & 0xC03, 0x400) << "left again";

    int lines = info().lineCount;
    EXPECT_EQ(PlxCommand(hWnd, 12153), 1);
    EXPECT_GT(info().lineCount, lines) << "a rule went in";
    bool rule = false;
    for (int line = 0; line < info().lineCount; ++line)
        rule = rule || EditorTestLineFlag(hWnd, line, 0x100);
    EXPECT_TRUE(rule);
}

TEST_F(PlxMenuTest, SpacingAndTableCommandsToggleAndBuild)
{
    read("<p>spaced</p>");
    caretAt("spaced");
    bool spaced = PlxMenuSelect(hWnd, 12178) == 1;
    EXPECT_EQ(PlxCommand(hWnd, 12178), 1);
    EXPECT_EQ(PlxMenuSelect(hWnd, 12178) == 1, !spaced) << "spacing switched";
    EXPECT_EQ(PlxCommand(hWnd, 12178), 1);
    EXPECT_EQ(PlxMenuSelect(hWnd, 12178) == 1, spaced) << "and back";

    EXPECT_EQ(PlxMenuEnable(hWnd, 12167), 0);
    EXPECT_EQ(PlxCommand(hWnd, 12166), 1);
    int cells = 0;
    for (int line = 0; line < info().lineCount; ++line) {
        int cell = 0;
        EditorGetLineInfo(hWnd, line, &cell, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        cells += cell > 0;
        if (cell > 0 && PlxMenuEnable(hWnd, 12167) == 0)
            EditorMoveCaret(hWnd, line, 0, 0);
    }
    EXPECT_GT(cells, 0) << "a table went in";
    ASSERT_EQ(PlxMenuEnable(hWnd, 12167), 1) << "the caret is in the table";
    int lines = info().lineCount;
    EXPECT_EQ(PlxCommand(hWnd, 12167), 1);
    EXPECT_GT(info().lineCount, lines) << "a row went in";
}

TEST_F(PlxMenuTest, TheUnusedIdRunsNothing)
{
    read("<p>same</p>");
    caretAt("same");
    VekInfo before = info();
    EXPECT_EQ(PlxMenuEnable(hWnd, 12120), 1);
    EXPECT_EQ(PlxCommand(hWnd, 12120), 0);
    EXPECT_EQ(info().lineCount, before.lineCount);
    EXPECT_EQ(info().modified, before.modified);
    EXPECT_EQ(header(), 0);
}

TEST_F(PlxMenuTest, TheViewModeIsEnteredAfterTheQuestionAndLeftAgain)
{
    read("<p>text to keep</p>");
    answerQuestions(IDNO);
    EditorSetModified(hWnd, 1);
    EXPECT_EQ(PlxCommand(hWnd, 12105), 1);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].text, kViewQuestion);
    EXPECT_EQ(questions[0].caption, "");
    EXPECT_EQ(questions[0].type, MB_YESNO);
    EXPECT_EQ(questions[0].owner, hWnd);
    EXPECT_EQ(PlxInViewMode(hWnd), 0) << "No leaves everything";
    EXPECT_EQ(EditorGetReadOnly(hWnd), 0);
    EXPECT_EQ(info().modified, 1);

    answerQuestions(IDYES);
    EXPECT_EQ(PlxCommand(hWnd, 12105), 1);
    EXPECT_EQ(questions.size(), 2u) << "asked again";
    EXPECT_EQ(PlxInViewMode(hWnd), 1);
    EXPECT_NE(EditorGetReadOnly(hWnd), 0);
    EXPECT_EQ(text(), "text to keep|") << "the document is rebuilt, not lost";
    EXPECT_EQ(PlxMenuSelect(hWnd, 12107), 1);
    EXPECT_EQ(PlxMenuSelect(hWnd, 12106), 0);
    EXPECT_EQ(PlxMenuEnable(hWnd, 12112), 0);

    questions.clear();
    EXPECT_EQ(PlxCommand(hWnd, 12105), 1);
    EXPECT_TRUE(questions.empty()) << "already in the view mode";
    EXPECT_EQ(PlxCommand(hWnd, 12104), 1);
    EXPECT_EQ(PlxInViewMode(hWnd), 0);
    EXPECT_EQ(EditorGetReadOnly(hWnd), 0);
    EXPECT_EQ(text(), "text to keep|");
    EXPECT_EQ(PlxMenuEnable(hWnd, 12112), 1) << "editable again";
    EXPECT_EQ(PlxMenuSelect(hWnd, 12106), 1);
}

TEST_F(PlxMenuTest, TheHostsFlagOrAnUnchangedDocumentSwitchesWithoutAsking)
{
    read("<p>text</p>");
    answerQuestions(IDNO);
    EditorSetModified(hWnd, 0);
    EXPECT_EQ(PlxCommand(hWnd, 12105), 1);
    EXPECT_EQ(PlxInViewMode(hWnd), 1) << "nothing to lose";
    EXPECT_EQ(PlxCommand(hWnd, 12104), 1);

    PlxSetFlags(hWnd, 1, 0x40);
    EditorSetModified(hWnd, 1);
    EXPECT_EQ(PlxCommand(hWnd, 12105), 1);
    EXPECT_EQ(PlxInViewMode(hWnd), 1) << "the host asked for no question";
    EXPECT_TRUE(questions.empty());
}

TEST_F(PlxMenuTest, EditorCommandsReachTheEditor)
{
    read("<p>all of it</p>");
    caretAt("of");
    EXPECT_EQ(PlxCommand(hWnd, 12099), 1);
    EXPECT_EQ(info().selectionKind, 2) << "everything selected";
    bool marks = PlxMenuSelect(hWnd, 12098) == 1;
    EXPECT_EQ(PlxCommand(hWnd, 12098), 1);
    EXPECT_EQ(PlxMenuSelect(hWnd, 12098) == 1, !marks) << "paragraph marks switched";

    caretAt("all");
    int lines = info().lineCount;
    EXPECT_EQ(PlxCommand(hWnd, 12173), 1);
    EXPECT_GT(info().lineCount, lines) << "a page break went in";
}

TEST_F(PlxMenuTest, CommandsGoToTheActiveFrameAndTheViewModeToTheFrameset)
{
    test::TempDir temp;
    temp.write("a.htm", "<p>left page</p>");
    temp.write("b.htm", "<p>right page</p>");
    std::string top = temp.write("top.htm", "<frameset cols=50%,50%><frame src=a.htm><frame src=b.htm></frameset>")
                          .string();
    ASSERT_EQ(PlxRead(hWnd, 0, top.c_str(), nullptr, 0, nullptr), 1);
    HWND left = ctx().rootFrame.children[0].window, right = ctx().rootFrame.children[1].window;
    ASSERT_TRUE(left && right);
    ASSERT_EQ(PlxSetActiveWnd(right), 1);

    EXPECT_EQ(PlxCommand(hWnd, 12113), 1);
    int level = -1;
    PlxGetParaAttrib(right, &level, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(level, 2) << "the active frame's paragraph became a header";
    PlxGetParaAttrib(left, &level, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(level, 0);
    EXPECT_EQ(PlxMenuSelect(hWnd, 12113), 1) << "the check mark is the active frame's";

    answerQuestions(IDYES);
    EXPECT_EQ(PlxCommand(hWnd, 12105), 1);
    EXPECT_EQ(questions.size(), 1u) << "a frame's change counts for the frameset";
    EXPECT_EQ(ctx().viewMode, 1) << "the frameset's window is in the view mode";
    // The frameset was rebuilt: its frames are new windows, shown read-only.
    for (int i = 0; i < 2; ++i) {
        HWND frame = ctx().rootFrame.children[i].window;
        ASSERT_TRUE(frame);
        EXPECT_NE(EditorGetReadOnly(frame), 0) << i;
        EXPECT_EQ(PlxMenuEnable(frame, 12112), 0) << i;
    }
}

TEST_F(PlxMenuTest, DialogCommandsOpenTheirDialogsAndCancelChangesNothing)
{
    read("<p>plain words</p><hr><p>see <a href=x.htm>the link</a></p>"
         "<form action=go><p>form text <input name=n></p><p>list <select name=s></select></p></form>");
    test::DialogControls controls;
    win::ScriptedDialogs script;
    struct Case {
        int id;
        const char* caret;   // null: the rule line
        bool selectIt;
        const char* dialog;
    };
    const std::vector<Case> cases = {
        {12108, "plain", false, "SelectFontElement"}, {12109, "plain", false, "SelectLinkAttrib"},
        {12154, nullptr, false, "RuleParam"},         {12155, "plain", false, "PictureParam"},
        {12156, "plain", false, "LinkParam"},         {12162, "form text", false, "PictureParam"},
        {12175, "words", true, "FontSizeParam"},      {12176, "the link", false, "LinkDataParam"},
        {12157, "plain", false, "FormListParam"},     {12159, "form text", false, "SetFormParam"},
        {12160, "form text", false, "TextFieldParam"}, {12161, "form text", false, "ButtonFieldParam"},
        {12163, "form text", false, "SelectFieldParam"}, {12164, "list ", false, "AddSelectionItem"},
    };
    for (const Case& c : cases) {
        if (!c.caret) {
            caretAt("plain");
            EditorMoveCaret(hWnd, info().caretLine + 1, 0, 0);
        } else if (c.selectIt) {
            select(c.caret);
        } else {
            caretAt(c.caret, std::string(c.caret) == "list " ? 5 : 1);   // on the list itself
        }
        ASSERT_EQ(PlxMenuEnable(hWnd, c.id), 1) << c.id;
        std::string before = text();
        script.expect(c.dialog, [](win::DialogUser& user) { user.cancel(); });
        EXPECT_EQ(PlxCommand(hWnd, c.id), 1) << c.id;
        ASSERT_FALSE(script.shown().empty()) << c.id;
        EXPECT_EQ(script.shown().back().templateName, c.dialog) << c.id;
        EXPECT_EQ(text(), before) << c.id;
    }
    EXPECT_EQ(script.shown().size(), cases.size());
    EXPECT_TRUE(script.faults().empty());
}

TEST_F(PlxMenuTest, APictureChosenInTheDialogGoesInAtTheCaret)
{
    test::TempDir temp;
    std::string picture = (temp.path() / "dot.bmp").string();
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(QString::fromStdString(picture), "BMP"));
    read("<p>before after</p>");
    caretAt(" after");
    test::DialogControls controls;
    win::ScriptedDialogs script;
    script.expect("PictureParam", [&](win::DialogUser& user) {
        user.type(729, picture);
        user.ok();
    });
    EXPECT_EQ(PlxCommand(hWnd, 12155), 1);
    EXPECT_EQ(text(), "before# after|");
    EXPECT_TRUE(script.faults().empty());
}

TEST_F(PlxMenuTest, AFormIsBuiltFromTheMenus)
{
    read("<p>Name</p><p>Colour</p>");
    test::DialogControls controls;
    win::ScriptedDialogs script;
    caretAt("Name");
    EXPECT_EQ(PlxMenuEnable(hWnd, 12160), 0) << "not yet form text";
    EXPECT_EQ(PlxCommand(hWnd, 12158), 1);
    EXPECT_EQ(typeWord(info().caretLine) & 0x1000, 0x1000) << "marked as form text";
    EXPECT_EQ(PlxMenuSelect(hWnd, 12158), 1);

    caretAt("Name", 4);
    ASSERT_EQ(PlxMenuEnable(hWnd, 12160), 1);
    script.expect("TextFieldParam", [](win::DialogUser& user) {
        user.type(757, "who");
        user.ok();
    });
    EXPECT_EQ(PlxCommand(hWnd, 12160), 1);
    ASSERT_EQ(ctx().fieldCount, 1);
    EXPECT_STREQ(ctx().fields[0].name, "who");
    EXPECT_EQ(ctx().fields[0].type, 0) << "a text line";

    caretAt("Colour");
    EXPECT_EQ(PlxCommand(hWnd, 12158), 1);
    caretAt("Colour", 6);
    script.expect("SelectFieldParam", [](win::DialogUser& user) {
        user.type(757, "colour");
        user.ok();
    });
    EXPECT_EQ(PlxCommand(hWnd, 12163), 1);
    ASSERT_EQ(ctx().fieldCount, 2);
    EXPECT_EQ(ctx().fields[1].type, 9) << "a selection list";

    caretAt("Colour", 6);
    ASSERT_EQ(info().fieldControlId, ctx().fields[1].controlId) << "the caret on the list";
    EXPECT_EQ(PlxMenuEnable(hWnd, 12165), 0) << "no option yet";
    script.expect("AddSelectionItem", [](win::DialogUser& user) {
        user.type(757, "red");
        user.click(762);   // selected, so that deleting takes it
        user.ok();
    });
    EXPECT_EQ(PlxCommand(hWnd, 12164), 1);
    EXPECT_EQ(ctx().fields[1].checked, 0) << "one option";
    ASSERT_EQ(PlxMenuEnable(hWnd, 12165), 1);
    EXPECT_EQ(PlxCommand(hWnd, 12165), 1);
    EXPECT_EQ(ctx().fields[1].checked, -1) << "and none again";

    caretAt("Name");
    EXPECT_EQ(PlxCommand(hWnd, 12158), 1);
    EXPECT_EQ(typeWord(info().caretLine) & 0x1000, 0) << "the second time removes the mark";
    EXPECT_TRUE(script.faults().empty());
}
