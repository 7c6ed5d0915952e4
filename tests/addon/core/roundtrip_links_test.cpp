// Links and anchors through a save and a read: every text a link held stays a link to the
// same place, and a page the writer made is written again the same.
#include "roundtrip_fixture.h"

#include <string>
#include <vector>

using ks::test::PlxRoundTripTest;

namespace {

class PlxLinkRoundTripTest : public PlxRoundTripTest {
protected:
    // Where a click inside word (on its second character) in the shown text leads, as "href
    // name"; "none" off links.
    std::string linkOf(const std::string& word)
    {
        for (int line = 0; line < info().lineCount; ++line) {
            char chars[301];
            int n = EditorGetLineChars(hWnd, line, chars, nullptr);
            for (int col = 0; col + int(word.size()) <= n; ++col)
                if (!(styleAt(line, col) & 0x40) && std::string(chars + col, word.size()) == word)
                    return linkAt(line, col + 1);
        }
        return "(no " + word + ")";
    }
    std::string linkAt(int line, int col)
    {
        EditorMoveCaret(hWnd, line, col, 0);
        char href[301] = "", name[301] = "";
        if (PlxGetLinkDataEx(hWnd, href, name, nullptr) != 1)
            return "none";
        return std::string(href) + " " + name;
    }
    // linkOf for each word, one a line.
    std::string linksOf(const std::vector<std::string>& words)
    {
        std::string all;
        for (const std::string& word : words)
            all += word + ": " + linkOf(word) + "\n";
        return all;
    }
};

}

// Browsers put a link around the blocks it holds: each block's text leads where the link
// leads. Only the first text is the anchor's target (its name), and the text after the link
// leads nowhere. The page is saved with a link inside each block, which is written again the
// same.
TEST_F(PlxLinkRoundTripTest, TheTextOfEachBlockInsideALinkLeadsWhereTheLinkLeads)
{
    const std::string page = "<a href=x.htm name=top><h3>Title</h3><p>text</p><ul><li>item</ul>"
                             "<table><tr><td>cell<td>next</table><p>one<br>two</p></a><p>after</p>";
    const std::vector<std::string> words = {"Title", "text", "item", "cell", "next", "one", "two", "after"};
    const std::string leads = "Title: x.htm top\ntext: x.htm \nitem: x.htm \ncell: x.htm \nnext: x.htm \n"
                              "one: x.htm \ntwo: x.htm \nafter: none\n";
    ASSERT_EQ(read(page), 1);
    EXPECT_EQ(linksOf(words), leads);
    std::string first = documentWrittenAgainTheSame();
    EXPECT_EQ(linksOf(words), leads) << first;
}

// A link's text that runs on to the end of preformatted text, or to the page's end, is saved
// with the link ended inside the block: read back, the block's text and its lines are the same.
TEST_F(PlxLinkRoundTripTest, ALinkRunningToTheEndOfPreformattedTextEndsInsideIt)
{
    writtenAgainTheSame("<pre>y <a href=ll>e</body>\n");
    EXPECT_EQ(text(), "y {href=ll}e/|");
    EXPECT_EQ(linkOf("e"), "ll ");
}

// An anchor begun in a header that another anchor's text began in ends that anchor, not the
// header: the text after it is the header's, bold, when read and when read back.
TEST_F(PlxRoundTripTest, AnAnchorInAHeaderBegunInAnotherAnchorLeavesTheHeadersBoldness)
{
    writtenAgainTheSame("<a><h1><a><h1></a>h");
    int line = lineOf("h");
    ASSERT_GE(line, 0);
    EXPECT_NE(styleAt(line, 0) & 2u, 0u) << text();
}

// A blank at a line's start shows nothing, also after a link's start and a tag inside it:
// the link's text begins with its word, when read and when read back.
TEST_F(PlxLinkRoundTripTest, ABlankAtALinksStartShowsNothingAfterATagInsideIt)
{
    const char* pages[] = {"<p><a href=x><span> y</span></a>z", "<p>a<br><a href=x><span> y</span></a>z"};
    eachInEmptyWindow(pages, [&](const char* page) {
        SCOPED_TRACE(page);
        writtenAgainTheSame(page);
        EXPECT_EQ(text().find("} y"), std::string::npos) << text();
        EXPECT_EQ(linkOf("y"), "x ");
    });
}
