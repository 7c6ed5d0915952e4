// Running the menu commands: what each does to the document, the dialogs they open, the
// file commands, frames, and the switch to the view mode with its question.
#include "menu_fixture.h"

#include "platform/win/scripted_dialogs.h"
#include "tests/support/dialog_controls.h"
#include "tests/support/temp_dir.h"

#include <QImage>

#include <cstring>

using namespace ks;
using ks::test::PlxMenuTest;

namespace {

const char kViewQuestion[] = "File Modified. A Hyperlink Jump in the Viewer Mode may Lose the Modifications. "
                             "Do You Still Wish to Switch to the Viewer Mode?";


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
    ASSERT_EQ(questions.size(), 2u) << "a frame's change counts for the frameset";
    EXPECT_EQ(questions[1].text, "File Modified. Do You Wish to Save the Modifications?")
        << "the changed frame's edits are saved only when the user says so";
    EXPECT_NE(temp.read("b.htm").find("<h2>"), std::string::npos) << "Yes saved them";
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

TEST_F(PlxMenuTest, FileCommandsSaveStartAnewAndOpen)
{
    test::TempDir temp;
    std::string saved = (temp.path() / "saved.htm").string();
    std::string other = temp.write("other.htm", "<p>another page</p>").string();
    read("<p>kept words</p>");
    std::strcpy(ctx().fileName, saved.c_str());
    EditorSetModified(hWnd, 1);
    EXPECT_EQ(PlxCommand(hWnd, 12100), 1);
    EXPECT_NE(temp.read("saved.htm").find("kept words"), std::string::npos) << "saved under its name";
    EXPECT_EQ(info().modified, 0);

    std::vector<bool> asked;   // save (true) or open
    win::UserDialogs files;
    files.fileDialog = [&](bool save, const OPENFILENAME&, const std::string&) {
        asked.push_back(save);
        return win::FileChoice{save ? (temp.path() / "copy.htm").string() : other, 1};
    };
    win::setUserDialogs(files);
    EXPECT_EQ(PlxCommand(hWnd, 12101), 1);
    EXPECT_NE(temp.read("copy.htm").find("kept words"), std::string::npos) << "saved under the name asked for";

    EXPECT_EQ(PlxCommand(hWnd, 12102), 1);
    EXPECT_EQ(text(), "|") << "a new, empty document";
    EXPECT_EQ(PlxCommand(hWnd, 12103), 1);
    EXPECT_EQ(text(), "another page|") << "the file chosen is read";
    EXPECT_EQ(asked, (std::vector<bool>{true, false}));
}

TEST_F(PlxMenuTest, ViewingCommandsOfAReadOnlyWindow)
{
    read("<p>shown</p>");
    bool ruler = EditorQueryCommand(hWnd, 686) & 8, toolbar = EditorQueryCommand(hWnd, 692) & 8;
    EXPECT_EQ(PlxCommand(hWnd, 12106), 1);
    EXPECT_EQ(PlxCommand(hWnd, 12107), 1);
    EXPECT_NE(bool(EditorQueryCommand(hWnd, 686) & 8), ruler) << "the ruler switched";
    EXPECT_NE(bool(EditorQueryCommand(hWnd, 692) & 8), toolbar) << "the toolbar switched";

    EditorSetReadOnly(hWnd, 1);
    EXPECT_EQ(PlxCommand(hWnd, 12110), 1);
    EXPECT_EQ(info().viewState, 1) << "the editor's view is on";
    EXPECT_EQ(PlxCommand(hWnd, 12111), 1);
    EXPECT_EQ(text(), "shown|") << "rebuilt, not lost";
}
