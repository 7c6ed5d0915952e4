// PlxRead: a page's text, paragraphs and their formatting in the editor's document, the
// host's notifications, and what bad input and failures leave behind.
#include "read_fixture.h"

#include "addon/base/print_error.h"
#include "addon/core/para_type.h"
#include "platform/editor/vek32.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

using namespace ks;
using ks::test::PlxReadTest;

namespace {

constexpr int kHeaderShift = 6, kMiscShift = 9;
constexpr int kSpace = 120;   // the context's paragraph spacing

int header(int word) { return (word >> kHeaderShift) & 7; }
int misc(int word) { return (word >> kMiscShift) & 7; }
int listType(int word) { return (word >> 3) & 7; }
int listLevel(int word) { return word & 7; }

struct TempFile {
    explicit TempFile(const std::string& text, const char* name = "page.htm")
    {
        dir = std::filesystem::temp_directory_path() / ("plx_read_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << text;
    }
    ~TempFile() { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
    std::string path;
};

}

TEST_F(PlxReadTest, TextAndParagraphsReachTheDocument)
{
    EXPECT_EQ(read("only text, no tag"), 1);
    EXPECT_EQ(text(), "only text, no tag");

    EditorDestroyWindow(hWnd);
    hWnd = newEditor();
    ASSERT_EQ(PlxInitialize(hWnd, hostWnd), 1);
    read("<html><head><title>Hello</title>head text</head><body>\r\n"
         "<p>One  two\r\n   three.<p>Four<br>five</p><div>six</div>seven</body></html>");
    EXPECT_EQ(text(), "One two three.|Four/five|six|seven|");
    EXPECT_EQ(lineOf("head text"), -1);
}

TEST_F(PlxReadTest, TheTitleGoesToTheHostAndTheContext)
{
    read("<title>A   long day's\r\njourney</title><p>x");
    ASSERT_EQ(heard(3274).size(), 1u);
    EXPECT_EQ(heard(3274)[0], "A long day's journey");
    EXPECT_STREQ(ctx().docTitle, "A long day's journey");
    EXPECT_EQ(text(), "x");

    std::string longTitle(200, 't');
    read("<title>" + longTitle + "</title>");
    EXPECT_EQ(std::string(ctx().docTitle), std::string(127, 't')) << "the context keeps 127 characters";
}

TEST_F(PlxReadTest, ParagraphsGetTheContextsSpacingAndHeadersMore)
{
    read("<p>first<p>second<h2>head</h2>after");
    Props p = props(lineOf("first"));
    EXPECT_EQ(p.before, kSpace);
    EXPECT_EQ(p.after, kSpace);
    Props h = props(lineOf("head"));
    EXPECT_EQ(header(h.word), 2);
    EXPECT_EQ(h.before, kSpace + kSpace / 2);
    EXPECT_EQ(h.after, kSpace - kSpace / 2);
    EXPECT_EQ(pointsAt(lineOf("head"), 0), 18) << "the header's font element";
    EXPECT_EQ(header(props(lineOf("after")).word), 0);
}

TEST_F(PlxReadTest, AlignmentSitsOnTheEnclosingGroupUntilTheEndTag)
{
    read("<p align=center>mid</p>plain<h1 align=right>head</h1>next<center>c1<p>c2</center><p>done");
    EXPECT_EQ(props(lineOf("mid")).flags & 0xC03, 1);
    EXPECT_EQ(props(lineOf("plain")).flags & 0xC03, 0) << "the paragraph's end tag clears it";
    EXPECT_EQ(props(lineOf("head")).flags & 0xC03, 2);
    EXPECT_EQ(props(lineOf("next")).flags & 0xC03, 0);
    EXPECT_EQ(props(lineOf("c1")).flags & 1, 1);
    EXPECT_EQ(props(lineOf("c2")).flags & 1, 1);
    EXPECT_EQ(props(lineOf("done")).flags & 1, 0);
}

TEST_F(PlxReadTest, BlocksSetTheirParagraphTypes)
{
    read("<pre>a  b\r\n\tc</pre><blockquote>quoted</blockquote><address>street</address>end");
    EXPECT_EQ(text(), "a  b/ c|quoted|street|end");
    Props pre = props(lineOf("a  b"));
    EXPECT_EQ(misc(pre.word), 4);
    EXPECT_EQ(pre.style & 0x10, 0x10) << "no wrap";
    EXPECT_EQ(faceAt(lineOf("a  b"), 0), "Courier New");
    Props quote = props(lineOf("quoted"));
    EXPECT_EQ(misc(quote.word), 1);
    EXPECT_EQ(quote.left, 600);
    EXPECT_EQ(misc(props(lineOf("street")).word), 2);
    EXPECT_EQ(styleAt(lineOf("street"), 0) & 4, 4u) << "the address element is italic";
    EXPECT_EQ(misc(props(lineOf("end")).word), 0);
    EXPECT_EQ(props(lineOf("end")).left, 0);
}

TEST_F(PlxReadTest, ARuleIsAParagraphOfItsOwn)
{
    read("above<hr width=50% align=left size=4>below<hr width=120 align=right>");
    EXPECT_EQ(text(), "above||below||");
    Props rule = props(1);
    EXPECT_EQ(misc(rule.word), 3);
    EXPECT_EQ(EditorGetParaRule(hWnd, 1), 50) << "width 50 percent, left (no alignment word)";
    EXPECT_GT(rule.right, 0);
    EXPECT_EQ(rule.left, 0);
    EXPECT_EQ(rule.line, -60) << "4 pixels thick";
    EXPECT_EQ(EditorGetParaRule(hWnd, 3), int((2u << 16) | (std::uint32_t(-120) & 0xFFFF)))
        << "an absolute width, in pixels, aligned right";
}

TEST_F(PlxReadTest, CharacterStylesAndFontsFollowTheTags)
{
    read("<h1>a<b>b</b>c</h1><p>n<i>i<u>iu</u></i><strike>s</strike><sup>p</sup><sub>d</sub>"
         "<tt>t</tt><code>c</code><kbd>k</kbd><var>v</var><samp>s</samp><hv>h</hv><tr>r</tr>");
    int line = lineOf("n");
    auto styleOf = [&](char c) {
        char chars[301];
        int n = EditorGetLineChars(hWnd, line, chars, nullptr);
        for (int i = 0; i < n; ++i)
            if (chars[i] == c)
                return styleAt(line, i);
        return 0xFFFFFFFFu;
    };
    EXPECT_EQ(styleOf('i') & 7, 4u);
    EXPECT_EQ(styleOf('s') & 8, 8u);
    EXPECT_EQ(styleOf('p') & 0x10, 0x10u);
    EXPECT_EQ(styleOf('d') & 0x20, 0x20u);
    EXPECT_EQ(styleAt(lineOf("abc"), 1) & 2, 2u) << "bold in a header";
    auto elementOf = [&](char c) {
        char chars[301];
        std::uint16_t fonts[301];
        int n = EditorGetLineChars(hWnd, line, chars, fonts);
        int user = -1;
        for (int i = 0; i < n && user < 0; ++i)
            if (chars[i] == c)
                EditorGetFontData(hWnd, fonts[i], nullptr, nullptr, nullptr, &user);
        return user;
    };
    EXPECT_EQ(elementOf('t'), 19);
    EXPECT_EQ(elementOf('c'), 13);
    EXPECT_EQ(elementOf('k'), 15);
    EXPECT_EQ(elementOf('v'), 14);
    EXPECT_EQ(elementOf('h'), 18);
    EXPECT_EQ(elementOf('r'), 17) << "tr outside a table is Times Roman";
}

TEST_F(PlxReadTest, FontTagsNestAndRestore)
{
    read("<font color=red face=Arial size=+2>big <font size=1 color=#00ff00>small</font> again</font> plain");
    int line = 0;
    unsigned colour = 0;
    auto colourAt = [&](int col) {
        EditorGetFontColors(hWnd, fontAt(line, col), &colour, nullptr);
        return colour;
    };
    EXPECT_EQ(faceAt(line, 0), "Arial");
    EXPECT_EQ(colourAt(0), 0x0000FFu);
    EXPECT_EQ(pointsAt(line, 0), 17) << "base 3 + 2: HTML size 5";
    EXPECT_EQ(colourAt(4), 0x00FF00u);
    EXPECT_EQ(pointsAt(line, 4), 8);
    std::string all = text();
    EXPECT_EQ(colourAt(int(all.find("again"))), 0x0000FFu) << "restored";
    EXPECT_EQ(pointsAt(line, int(all.find("again"))), 17);
    EXPECT_EQ(colourAt(int(all.find("plain"))), 0u);
    EXPECT_EQ(faceAt(line, int(all.find("plain"))), "Times New Roman");
}

TEST_F(PlxReadTest, ManyFontTagsAreBoundedByTheFontStack)
{
    std::string page;
    for (int i = 0; i < 150; ++i)
        page += "<font size=+1>x";
    for (int i = 0; i < 150; ++i)
        page += "</font>y";
    EXPECT_EQ(read(page), 1);
    EXPECT_EQ(ctx().lastError, 0);
    EXPECT_EQ(text().size(), 300u) << "every character kept";
}

TEST_F(PlxReadTest, ListsIndentNumberAndNest)
{
    read("<ol type=a start=3><li>one<li>two<ul><li>in</ul></ol><dl><dt>term<dd>definition</dl>after");
    Props one = props(lineOf("one"));
    EXPECT_EQ(listType(one.word), 1);
    EXPECT_EQ(listLevel(one.word), 1);
    EXPECT_EQ(one.left, 600);
    EXPECT_EQ(one.first, -375);
    int bullet = -1, style = -1, start = -1;
    ASSERT_EQ(EditorGetListInfo(hWnd, lineOf("one"), &bullet, &style, &start), 1);
    EXPECT_EQ(bullet, 0);
    EXPECT_EQ(style, 2);
    EXPECT_EQ(start, 3);
    Props in = props(lineOf("in"));
    EXPECT_EQ(listType(in.word), 2);
    EXPECT_EQ(listLevel(in.word), 2);
    EXPECT_EQ(in.left, 900);
    ASSERT_EQ(EditorGetListInfo(hWnd, lineOf("in"), &bullet, &style, &start), 1);
    EXPECT_EQ(bullet, 1);
    EXPECT_EQ(style, 1) << "the second level's bullet";
    Props term = props(lineOf("term"));
    EXPECT_EQ(listType(term.word), 5);
    EXPECT_EQ(term.word & 0x4000, 0x4000);
    EXPECT_EQ(styleAt(lineOf("term"), 0) & 2, 2u);
    Props definition = props(lineOf("definition"));
    EXPECT_EQ(definition.word & 0x4000, 0);
    EXPECT_EQ(styleAt(lineOf("definition"), 0) & 2, 0u);
    Props after = props(lineOf("after"));
    EXPECT_EQ(listType(after.word), 0);
    EXPECT_EQ(after.left, 0);
}

TEST_F(PlxReadTest, NestedListsKeepLevelSevenAndLooseItemsAreBullets)
{
    std::string page;
    for (int i = 0; i < 8; ++i)
        page += "<ol>";
    page += "<li>deep";
    read(page + "</ol></ol></ol></ol></ol></ol></ol></ol><li>loose");
    EXPECT_EQ(listLevel(props(lineOf("deep")).word), 7);
    Props loose = props(lineOf("loose"));
    EXPECT_EQ(listType(loose.word), 2);
    EXPECT_EQ(listLevel(loose.word), 1);
    EXPECT_EQ(loose.left, 300);
    int bullet = -1;
    ASSERT_EQ(EditorGetListInfo(hWnd, lineOf("loose"), &bullet, nullptr, nullptr), 1);
    EXPECT_EQ(bullet, 1);
}

TEST_F(PlxReadTest, LinksBecomeHiddenDataAndLinkText)
{
    read("see <a href=\"next.htm\" target=_top>the next</a> page <a name=here>here</a>.");
    EXPECT_EQ(text(), "see {href=\"next.htm\" target=_top}the next page {name=here}here.");
    int line = 0;
    int at = int(text().find("the next")) - 2;   // less the braces of the dump
    EXPECT_EQ(styleAt(line, at) & 0x4001, 0x4001u);
    unsigned colour = 0;
    EditorGetFontColors(hWnd, fontAt(line, at), &colour, nullptr);
    EXPECT_EQ(colour, 0xFF0000u);
    EXPECT_EQ(heard(3280), (std::vector<std::string>{"next.htm"}));
    EXPECT_EQ(styleAt(line, int(text().find("here.")) - 4) & 0x4000, 0u) << "a named anchor is no link";
}

TEST_F(PlxReadTest, TheAnchorArgumentPutsTheCaretOnTheAnchor)
{
    std::string page;
    for (int i = 0; i < 30; ++i)
        page += "<p>paragraph " + std::to_string(i);
    page += "<p><a name=\"spot\">here</a><p>fake \"spot\" in text<p><a name=bare>bare</a>";
    read(page, nullptr, "spot");
    EXPECT_EQ(info().caretLine, lineOf("here"));
    EXPECT_EQ(PlxPositionName(hWnd, "bare"), 1) << "an anchor written without quotes";
    EXPECT_EQ(info().caretLine, lineOf("bare"));
    EXPECT_EQ(PlxPositionName(hWnd, "spo"), 0) << "part of a name names nothing";
    EXPECT_EQ(PlxPositionName(hWnd, "bar"), 0);
}

TEST_F(PlxReadTest, TheBodySetsColoursAndTheHeadItsEntries)
{
    read("<head><base href=\"http://x/\"><basefont size=5><meta http-equiv=refresh content=5>"
         "<meta name=author content=\"Ann\"><meta UserTagId=7 UserTagData=\"kept data\"></head>"
         "<body bgcolor=#336699 text=white>words</body>");
    EXPECT_EQ(info().background, 0x996633u);
    EXPECT_EQ(ctx().bkColor, 0x996633u);
    EXPECT_EQ(ctx().textColor, 0xFFFFFFu);
    EXPECT_EQ(ctx().baseFontSize, 5);
    EXPECT_EQ(heard(3279), (std::vector<std::string>{"http://x/"}));
    char text1[301], text2[301];
    ASSERT_GE(PlxGetTagData(hWnd, 3, 1, 0, nullptr, nullptr, text1, text2), 0);
    EXPECT_STREQ(text1, "refresh");
    EXPECT_STREQ(text2, "5");
    ASSERT_GE(PlxGetTagData(hWnd, 3, 2, 0, nullptr, nullptr, text1, text2), 0);
    EXPECT_STREQ(text1, "author");
    EXPECT_STREQ(text2, "Ann");
    ASSERT_EQ(PlxGetUserTag(hWnd, 7, text1), 1);
    EXPECT_STREQ(text1, "kept data");
}

TEST_F(PlxReadTest, UnknownTagsOfEveryLengthAreLeftOut)
{
    std::string page = "<p>";
    for (int n = 1; n <= 12; ++n)
        page += "<" + std::string(std::size_t(n), 'q') + " a=1>" + std::to_string(n) + "</" +
                std::string(std::size_t(n), 'Q') + ">";
    read(page + "<blockquotes>x</blockquotes><7up>");
    EXPECT_EQ(text(), "123456789101112x<7up>");
}

TEST_F(PlxReadTest, ScriptsAreLeftOutAndReported)
{
    read("before<script>document.write('<p>not text</p>');</script>after");
    EXPECT_EQ(text(), "beforeafter");
    EXPECT_EQ(PlxGetUsfList(hWnd) & 0x10, 0x10u);
}

TEST_F(PlxReadTest, AReadAppendsAndLeavesTheDocumentUnmodifiedWithClickableLinks)
{
    read("<p>one");
    read("<p>two<p>more");
    EXPECT_EQ(text(), "two|more") << "a document of one line is emptied first";
    read("<p>three");
    EXPECT_EQ(text(), "two|morethree") << "a longer one is read onto, where it ends";
    EXPECT_EQ(info().modified, 0);
    EXPECT_EQ(info().caretLine, 0);
    EXPECT_TRUE(EditorGetModeFlags(hWnd, 1) & 0x8000) << "link clicks on";
    EXPECT_FALSE(EditorGetModeFlags(hWnd, 2) & 0x10000) << "bulk mode off again";

    PlxSetFlags(hWnd, 1, 0x80);
    EditorSetModeFlags(hWnd, 0, 0x8000);
    read("three");
    EXPECT_FALSE(EditorGetModeFlags(hWnd, 1) & 0x8000) << "flag 0x80 leaves link clicks alone";
}

TEST_F(PlxReadTest, FilesAreReadByNameAndBadInputsGiveNothing)
{
    TempFile page("<p>from a file\r\n");
    EXPECT_EQ(PlxRead(hWnd, 0, (page.path + "   ").c_str(), nullptr, 0, nullptr), 1) << "trailing blanks go";
    EXPECT_EQ(text(), "from a file") << "the line end ending the page shows nothing";
    EXPECT_EQ(ctx().fileName, page.path);
    EXPECT_TRUE(boxes.empty());

    EXPECT_EQ(PlxRead(hWnd, 0, "", nullptr, 0, nullptr), 0);
    EXPECT_EQ(PlxRead(hWnd, 0, "   ", nullptr, 0, nullptr), 0);
    EXPECT_EQ(PlxRead(hWnd, 0, nullptr, nullptr, 0, nullptr), 0);
    EXPECT_EQ(PlxRead(hWnd, 0, (page.path + ".missing").c_str(), nullptr, 0, nullptr), 0);
    EXPECT_TRUE(boxes.empty()) << "no box for a name that cannot be opened";

    std::string fifo = (page.dir / "pipe.htm").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(PlxRead(hWnd, 0, fifo.c_str(), nullptr, 0, nullptr), 0) << "a pipe would never end the read";
    EXPECT_EQ(PlxRead(hWnd, 0, page.dir.string().c_str(), nullptr, 0, nullptr), 0) << "nor is a folder a page";
    EXPECT_TRUE(boxes.empty());

    EXPECT_EQ(PlxRead(hWnd, 1, nullptr, nullptr, 5, nullptr), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Error locking the input buffer");
    boxes.clear();

    HWND stranger = newEditor();
    EXPECT_EQ(PlxRead(stranger, 0, page.path.c_str(), nullptr, 0, nullptr), 0);
    expectNotInitialized("PlxRead");
    EXPECT_EQ(text(), "from a file") << "nothing changed";
}

TEST_F(PlxReadTest, AMemoryBlockIsNeverReadPastItsEnd)
{
    read("<p>first<p>second");
    std::string html = "<p>bounded";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, html.size());
    std::memcpy(GlobalLock(block), html.data(), html.size());
    GlobalUnlock(block);
    EXPECT_EQ(PlxRead(hWnd, 1, nullptr, block, 1 << 20, nullptr), 1) << "a length past the block";
    EXPECT_EQ(text(), "first|secondbounded");
    EXPECT_EQ(PlxRead(hWnd, 1, nullptr, block, -1, nullptr), 1) << "no length and no zero";
    EXPECT_EQ(text(), "first|secondboundedbounded");
    GlobalFree(block);

    HGLOBAL zeroed = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 64);
    std::memcpy(GlobalLock(zeroed), "<b>z", 4);
    GlobalUnlock(zeroed);
    EXPECT_EQ(PlxRead(hWnd, 1, nullptr, zeroed, -1, nullptr), 1);
    EXPECT_EQ(text(), "first|secondboundedboundedz") << "without a length the text ends at its zero";
    GlobalFree(zeroed);
}

TEST_F(PlxReadTest, HostileNestingGivesAShorterDocumentNeverAnOverrun)
{
    std::string page;
    for (int i = 0; i < 200; ++i)
        page += "<blockquote><ul><font size=+9>";
    page += "deep text";
    for (int i = 0; i < 200; ++i)
        page += "</font></ul></blockquote>";
    page += "after";
    EXPECT_EQ(read(page), 1);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(), "Ran out of Group Table for HTML data (GetHtmlWord).");
    EXPECT_EQ(text().find("deep text"), std::string::npos) << "the read stops where the table is full";
    EXPECT_FALSE(EditorGetModeFlags(hWnd, 2) & 0x10000) << "the end pass ran";
}
TEST_F(PlxReadTest, LongWordsAreKeptWhole)
{
    std::string token;
    for (int i = 0; i < 1000; ++i)
        token += char('a' + i % 26);
    read("<p>" + token + " end");
    EXPECT_EQ(text(), token + " end");
}

TEST_F(PlxReadTest, ABlankBeforeAParagraphEndIsDroppedButKeptBeforeTextAndObjects)
{
    ASSERT_EQ(read("<ul>\n<li>one\n<li>two <b>bold</b>\n</ul>\n<p>word\n<b>bold</b> \n<i>it</i>\n</p>"
                   "<form>name\n<input name=a size=3>\nafter</form>"), 1);
    EXPECT_EQ(text(), "one|two bold|word bold it|name #after|");
    std::uint16_t fonts[301];
    char chars[301];
    int n = EditorGetLineChars(hWnd, lineOf("word"), chars, fonts);
    ASSERT_GE(n, 5);
    EXPECT_EQ(fonts[4], fonts[0]) << "the blank between the words keeps the formatting of the text it ended";
}

TEST_F(PlxReadTest, ASelfClosedTagClosesWhatItOpens)
{
    read("<h3><a id=\"t\"/>Title</h3><p>body</p><p>more<br/>lines</p>");
    EXPECT_EQ(text(), "{id=\"t\"}Title|body|more/lines|");
    EXPECT_EQ(header(typeWord(lineOf("Title"))), 3);
    EXPECT_EQ(header(typeWord(lineOf("body"))), 0) << "the heading ended at its own end tag";

    // Each self-closed anchor once took one of the hundred groups for good.
    ASSERT_EQ(PlxClearWindow(hWnd), 1);
    std::string page;
    for (int i = 0; i < 150; ++i)
        page += "<p><a name=\"a" + std::to_string(i) + "\"/>para" + std::to_string(i) + "</p>";
    read(page);
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    EXPECT_GE(lineOf("para149"), 0);
}

TEST_F(PlxReadTest, StyleAndScriptAreNoTextWhereverTheyStand)
{
    read("<p>one</p><style>p { color: red }</style><p>two<script>var a = '<p>x</p>';</script> three</p>"
         "<p>four<style type=\"text/css\">\r\nh1 { margin: 0 }\r\n</STYLE> five<style/> six</p>");
    EXPECT_EQ(text(), "one|two three|four five six|");
}

TEST_F(PlxReadTest, AnIdOnAnyElementIsANamedAnchorWhereItBegins)
{
    std::string page;
    for (int i = 0; i < 30; ++i)
        page += "<p>paragraph " + std::to_string(i);
    page += "<h2 id=\"part\">Part</h2><p>text <span id=s>in a span</span></p><ul><li id=item>item</ul>"
            "<p><a id=bare href=\"#part\">back</a></p><section id=sec><h3 id=head>Heading</h3>body</section>";
    read(page);
    EXPECT_NE(text().find("{id=\"part\"}Part|"), std::string::npos) << text();
    EXPECT_NE(text().find("|{id=\"sec\"id=\"head\"}Heading|body|"), std::string::npos)
        << "a section's id goes into its heading's paragraph, not an empty one: " << text();
    EXPECT_EQ(header(typeWord(lineOf("Heading"))), 3);
    EXPECT_EQ(PlxPositionName(hWnd, "part"), 1);
    EXPECT_EQ(info().caretLine, lineOf("Part"));
    EXPECT_EQ(PlxPositionName(hWnd, "s"), 1);
    EXPECT_EQ(info().caretLine, lineOf("in a span"));
    EXPECT_EQ(PlxPositionName(hWnd, "item"), 1);
    EXPECT_EQ(info().caretLine, lineOf("item"));
    EXPECT_EQ(PlxPositionName(hWnd, "bare"), 1) << "an anchor's own id, unquoted";
    EXPECT_EQ(info().caretLine, lineOf("back"));
}

TEST_F(PlxReadTest, IdsWaitingBeforeAFormFieldAndTheFieldsOwnAreAnchorsBeforeItsControlNotItsValue)
{
    read("<div id=menu><form><select name=s id=kind><option value=d>Search A</option><option>B</option></select>"
         "<input name=q id=box></form></div><div id=note><form><textarea name=t>text</textarea></form></div><p>x</p>");
    EXPECT_EQ(text(), "{id=\"menu\"id=\"kind\"}#{id=\"box\"}#||{id=\"note\"}#||x|");
    auto* options = static_cast<const addon::FieldOption*>(ctx().fields[0].value);
    EXPECT_STREQ(options[0].display, "Search A");
    EXPECT_STREQ(static_cast<const char*>(ctx().fields[2].value), "text");
    for (const char* id : {"menu", "kind", "box", "note"}) {
        EXPECT_EQ(PlxPositionName(hWnd, id), 1) << id;
        EXPECT_EQ(info().caretLine, lineOf(std::string("id=\"") + id + "\"")) << id;
    }
}

TEST_F(PlxReadTest, AnIdInsideALinksTextIsAnAnchorRightAfterTheLinkWhichStaysWhole)
{
    read("<p><a onclick='f()'><span id=mark>&#x25bc;</span> Doc</a> more</p>"
         "<p><a href=x.htm>some <b id=bold>bold</b> <span id=pic>text<img src=missing.png alt=m></span> y</a> z</p>");
    EXPECT_EQ(text(), "{onclick='f()'}&#x25bc; Doc{id=\"mark\"} more|{href=x.htm}some bold text# y{id=\"bold\"id=\"pic\"} z|");
    for (const char* id : {"mark", "bold", "pic"}) {
        EXPECT_EQ(PlxPositionName(hWnd, id), 1) << id;
        EXPECT_EQ(info().caretLine, lineOf(std::string("id=\"") + id + "\"")) << id;
    }
    std::string page = written();
    EXPECT_NE(page.find("<a href=x.htm>some <b>bold</b> text<img src=missing.png alt=m> y</a><a id=\"bold\"></a><a id=\"pic\"></a>"),
              std::string::npos) << page;
}

TEST_F(PlxReadTest, AnchorsThatFollowEachOtherDoNotRunTogether)
{
    read("<p><a name=top></a><a href=\"x.htm\">go</a> and <a title=\"x>y\" href=z.htm>t</a>"
         "<a name=a></a><a name=b></a><a name=c></a>end</p>");
    EXPECT_EQ(text(), "{name=tophref=\"x.htm\"}go and {title=\"x>y\" href=z.htm}t{name=aname=bname=c}end|");
    int top = int(text().find("name=top")) - 1, x = int(text().find("href=\"x")) - 1;
    EXPECT_NE(fontAt(0, top), fontAt(0, x)) << "the two anchors' data stay apart by their fonts";
    int a = int(text().find("name=a")) - 3, b = a + 6, c = b + 6;
    EXPECT_NE(fontAt(0, a), fontAt(0, b));
    EXPECT_NE(fontAt(0, b), fontAt(0, c));
    EXPECT_EQ(heard(3280), (std::vector<std::string>{"x.htm", "z.htm"}));
    EXPECT_EQ(styleAt(0, int(text().find("go")) - 2) & 0x4000, 0x4000u);
    for (const char* name : {"top", "a", "b", "c"})
        EXPECT_EQ(PlxPositionName(hWnd, name), 1) << name;
}

TEST_F(PlxReadTest, SectioningElementsAreBlocks)
{
    read("one<section>two</section>three<nav>four</nav><article><header>five</header>six<aside>seven</aside>"
         "</article><main>eight<figure>nine</figure></main><footer>ten</footer>");
    EXPECT_EQ(text(), "one|two|three|four|five|six|seven|eight|nine|ten|");
    EXPECT_EQ(misc(typeWord(lineOf("two"))), 0) << "no quote, list or other block type";
}
