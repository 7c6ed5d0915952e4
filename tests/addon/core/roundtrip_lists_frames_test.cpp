// Lists and framesets written as HTML and read back: the same document, and the same bytes
// when the read-back one is written.
#include "roundtrip_fixture.h"

#include <string>
#include <vector>

using namespace ks;
using ks::test::PlxRoundTripTest;

// Percentages that do not add up to 100 are stretched to it to lay the frames out, as a
// browser does; the frameset keeps the sizes the page gave. They were stretched in place, so
// with a frame left out (an empty frameset) the one written read back stretched again:
// "2%,2%" was written "50%" and then "100%".
TEST_F(PlxRoundTripTest, FrameSizesAreWrittenAsThePageGaveThem)
{
    std::vector<std::string> firsts = eachWrittenAgainTheSame(
        {"m<frameset rows=\"2%,2%\"><frame ><frameset", "<frameset rows=\"2%,25%\"><frame ><frameset"});
    EXPECT_NE(firsts[0].find("rows=2%"), std::string::npos) << firsts[0];
    EXPECT_NE(firsts[1].find("rows=2%"), std::string::npos) << firsts[1];
    ASSERT_EQ(read("<frameset cols=\"20%,30%\"><frame><frame></frameset>"), 1);
    const addon::FrameRecord& root = ctx().rootFrame;
    ASSERT_EQ(root.childCount, 2);
    EXPECT_EQ(root.children[0].width * 3, root.children[1].width * 2) << "laid out stretched";
    EXPECT_EQ(root.children[1].size, 30);
}

// A frameset read into a cleared window is laid out and written by its own rows or columns
// and borders; those of the frameset read before stayed, and columns were laid out as rows.
TEST_F(PlxRoundTripTest, AFramesetReadAfterAnotherTakesNothingOfIt)
{
    ASSERT_EQ(read("<frameset rows=\"50%,50%\"><frame><frame></frameset>"), 1);
    PlxSetActiveWnd(hWnd);
    ASSERT_EQ(PlxClearWindow(hWnd), 1);
    ASSERT_EQ(read("<frameset cols=\"50%,50%\" frameborder=no><frame><frame></frameset>"), 1);
    const addon::FrameRecord& root = ctx().rootFrame;
    ASSERT_EQ(root.childCount, 2);
    EXPECT_EQ(root.children[1].top, root.children[0].top) << "side by side";
    EXPECT_NE(written().find("<frameset cols=\"50%, 50%\" frameborder=no>"), std::string::npos) << written();
}

// A div's end with no div open, right after a list item's tag, ends nothing: the item's text
// follows in the item, as a browser shows it. It ended an empty item, and the text after it
// stood in the list as a div of its own, which read back joined the empty item.
TEST_F(PlxRoundTripTest, ADivsEndBeforeAnItemsTextLeavesTheTextInTheItem)
{
    std::vector<std::string> firsts = eachWrittenAgainTheSame(
        {"x<li></div>y", "x<dd></div></div>y", "<dl><dt><dd></div>y</dl>", "x<dt></div>y"});
    EXPECT_NE(firsts[0].find("<li>y"), std::string::npos) << firsts[0];
    EXPECT_NE(firsts[1].find("<dd>y"), std::string::npos) << firsts[1];
    EXPECT_NE(firsts[2].find("<dd>y"), std::string::npos) << firsts[2];
    EXPECT_NE(firsts[3].find("<dt><b>y</b>"), std::string::npos) << firsts[3];
    for (const std::string& first : firsts)
        EXPECT_EQ(first.find("<div"), first.rfind("<div")) << "only the x before the list:\n" << first;
}

// A header in a list item that the page's end leaves without its paragraph's end: its
// bullet is written in the header's size, as the end the header gets when read back gives
// it. Written in the size of the item's text, it took the header's at the next save.
TEST_F(PlxRoundTripTest, AnUnendedHeaderItemsBulletTakesTheHeadersSize)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<ul><li><h1>e", "<h1><li><tr>e", "<h2 id=;><tr><li"}))
        EXPECT_NE(first.find("<li></font>"), std::string::npos) << first;
}

// A paragraph's end with a stray "tr" left open takes the paragraph's font, not the "tr"'s
// Times Roman: the writer ends the "tr" before it, and a header item's bullet, written in
// the size of the end read first, took the header's size at the next save.
TEST_F(PlxRoundTripTest, AParagraphsEndInAStrayRowTakesTheParagraphsFont)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<h2><tr><li>e<li", "<h2><li>o<tr><table", "<h2><li><tr>e<body>"}))
        EXPECT_NE(first.find("<font color=#000000 size=5>\r\n<li></font>"), std::string::npos) << first;
}
